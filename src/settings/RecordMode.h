#pragma once

// How the dictation key records: held or tapped (a tap latches it on), pressed to start and
// again to stop, or only while held.
enum class RecordMode { smart, toggle, hold };
