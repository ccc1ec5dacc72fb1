#include "text/Polish.h"

#include "text/PolishEngine.h"

namespace Polish {

bool available(const PolishEngine& engine) {
    return engine.available();
}

void prewarm(PolishEngine& engine) {
    if (available(engine))
        engine.prewarm();
}

QString run(PolishEngine& engine, const QString& text, const QStringList& vocab) {
    return available(engine) ? engine.clean(text, vocab) : text;
}

} // namespace Polish
