#pragma once

// How ready the microphone stays between dictations: capturing all the time (so a recording
// starts with what was said just before the key), for a while after each use, or only while
// needed. The settings store keeps the choice and the microphone applies it, so it sits below
// both.
enum class MicMode { always, warm, off };
