#pragma once

#include "platform/PulseContext.h"

#include <QString>

#include <cstdint>
#include <span>
#include <vector>

// Short sounds played to the default sink and forgotten: the stream writes its samples once,
// drains and frees itself on the loop thread.
namespace PulsePlayback {
// Without the lock. Mono signed 16-bit samples at `rate`. False when no server answers.
bool play(PulseContext& context, std::span<const int16_t> samples, uint32_t rate,
          const QString& streamName);
} // namespace PulsePlayback
