#include "meetings/WavLayout.h"

#include <QtEndian>

namespace {
constexpr qint64 window = 4096;

quint32 le32(const QByteArray& b, qint64 at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}

quint16 le16(const QByteArray& b, qint64 at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}

void readFormat(WavLayout& layout, const QByteArray& head, qint64 p) {
    if (p + 24 > head.size())
        return;
    layout.format = le16(head, p + 8);
    layout.channels = le16(head, p + 10);
    layout.sampleRate = le32(head, p + 12);
    layout.bits = le16(head, p + 22);
}
} // namespace

std::optional<WavLayout> WavLayout::read(QFile& file) {
    if (!file.seek(0))
        return std::nullopt;
    const QByteArray head = file.read(window);
    // Only a RIFF/WAVE file: repair writes into what it finds, and nothing else may be touched.
    if (head.size() < 20 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return std::nullopt;
    WavLayout layout;
    qint64 p = 12;
    while (head.mid(p, 4) != "data") {
        if (head.mid(p, 4) == "fmt ")
            readFormat(layout, head, p);
        const qint64 n = le32(head, p + 4);
        p += 8 + n + n % 2;
        if (p + 8 > head.size())
            return std::nullopt;
    }
    layout.sizeField = p + 4;
    layout.storedSize = le32(head, p + 4);
    layout.dataOffset = p + 8;
    return layout;
}
