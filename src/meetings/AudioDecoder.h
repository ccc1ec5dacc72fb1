#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// Any audio file FFmpeg reads, as the samples everything else uses: 16 kHz, signed 16-bit, the
// first channel.
namespace AudioDecoder {

enum class Input {
    // Our own call audio: refused unless it is already 16 kHz; the padding of the encoder's
    // last frame is cut at the stream's stated duration.
    callAudio,
    // Whatever people hand the diagnostic modes, resampled.
    anyFile,
};

// None when the file can't be opened or decoded.
std::optional<std::vector<int16_t>> decode(const QString& path, Input input);

} // namespace AudioDecoder
