#pragma once

#include "calls/CallJob.h"

#include <deque>
#include <optional>

// The jobs of a call still to be transcribed: pieces first, oldest first, so live text keeps
// flowing and whole-turn transcriptions wait for a quiet moment. The audio they hold is capped:
// with the engine down or slower than the call, a long call would otherwise pile up audio in
// memory and keep the engine busy for hours after it ended.
class CallJobs {
  public:
    static constexpr size_t defaultCap = 10 * 60 * 16000;

    explicit CallJobs(size_t capSamples = defaultCap) : cap(capSamples) {}

    // Returns the jobs given up to stay within the cap: the oldest pieces, then the audio of
    // the oldest turns (which then keep their draft text).
    std::vector<CallJob> add(CallJob job);
    std::optional<CallJob> take();
    // Gives up every piece and the audio of every turn; returns what was given up.
    std::vector<CallJob> abandon();
    void clear();
    bool empty() const { return drafts.empty() && finals.empty(); }
    size_t queuedSamples() const { return queued; }
    size_t peakSamples() const { return peak; }

  private:
    std::optional<CallJob> shed();

    std::deque<CallJob> drafts;
    std::deque<CallJob> finals;
    size_t cap;
    size_t queued = 0;
    size_t peak = 0;
};
