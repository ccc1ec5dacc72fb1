#pragma once

#include <QString>
#include <QStringList>

// Polishing through the application's engine, only when a model is available.
namespace Polish {

bool available();
// At start-up: prepares a session when a model is available, otherwise does nothing.
void prewarm();
// `text` unchanged when no model is available. Blocks: call it off the main thread.
QString run(const QString& text, const QStringList& vocab);

} // namespace Polish
