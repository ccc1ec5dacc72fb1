#pragma once

#include <QString>
#include <QStringList>

class PolishEngine;

// Polishing through an engine, only when its model is available.
namespace Polish {

bool available(const PolishEngine& engine);
// At start-up: prepares a session when a model is available, otherwise does nothing.
void prewarm(PolishEngine& engine);
// `text` unchanged when no model is available. Blocks: call it off the main thread.
QString run(PolishEngine& engine, const QString& text, const QStringList& vocab);

} // namespace Polish
