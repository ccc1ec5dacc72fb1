#include "core/Words.h"

namespace Words {

int count(QStringView text) {
    int words = 0;
    bool inWord = false;
    for (const QChar c : text) {
        const bool space = c.isSpace();
        if (!space && !inWord)
            ++words;
        inWord = !space;
    }
    return words;
}

} // namespace Words
