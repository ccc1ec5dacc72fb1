#pragma once

#include <mutex>

// Counts dictation pieces waiting at the engine so call transcription can step aside while
// someone is dictating. Safe from any thread.
class DictationGate {
  public:
    void begin();
    void end();
    int inFlight() const;

  private:
    mutable std::mutex dictationLock;
    int dictationInFlight = 0;
};
