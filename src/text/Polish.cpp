#include "text/Polish.h"

#include "text/PolishEngine.h"

namespace Polish {

bool available() {
    return PolishEngine::shared().available();
}

void prewarm() {
    if (available())
        PolishEngine::shared().prewarm();
}

QString run(const QString& text, const QStringList& vocab) {
    return available() ? PolishEngine::shared().clean(text, vocab) : text;
}

} // namespace Polish
