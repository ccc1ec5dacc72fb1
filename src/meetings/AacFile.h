#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

// Compressed call audio: AAC at 32 kb/s, 16 kHz mono, in an .m4a (MP4) container.
namespace AacFile {

// Reads up to `max` samples into the buffer; the count read, 0 at the end, −1 on error.
using Source = std::function<qint64(std::span<int16_t> buffer)>;

// Encodes everything the source gives into `path`. True only when every sample was read and
// encoded, the trailer written and the file closed without error.
bool encode(const Source& source, const QString& path);
// The samples as they went in: the encoder's delay skipped, the padding of its last frame cut.
// None for a file that isn't 16 kHz audio or can't be decoded.
std::optional<std::vector<int16_t>> decode(const QString& path);

} // namespace AacFile
