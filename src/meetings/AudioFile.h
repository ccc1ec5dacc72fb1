#pragma once

#include <QString>
#include <QtGlobal>

#include <cstdint>

#include <optional>
#include <vector>

// Audio files named on the command line, as the samples everything else uses: 16 kHz, mono
// (the first channel), signed 16-bit. A 16 kHz 16-bit PCM WAV is read directly; anything else
// is decoded and resampled.
namespace AudioFile {
std::optional<std::vector<int16_t>> read(const QString& path);
}
