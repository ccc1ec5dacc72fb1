#include "calls/CallJobs.h"

#include <algorithm>

std::vector<CallJob> CallJobs::add(CallJob job) {
    queued += job.samples.size();
    (job.final ? finals : drafts).push_back(std::move(job));
    std::vector<CallJob> shed;
    while (queued > cap) {
        auto given = this->shed();
        if (!given)
            break;
        shed.push_back(std::move(*given));
    }
    peak = std::max(peak, queued);
    return shed;
}

std::optional<CallJob> CallJobs::shed() {
    if (!drafts.empty()) {
        CallJob job = std::move(drafts.front());
        drafts.pop_front();
        queued -= job.samples.size();
        return job;
    }
    for (CallJob& turn : finals)
        if (!turn.samples.empty()) {
            CallJob job = turn;
            queued -= turn.samples.size();
            turn.samples.clear();
            return job;
        }
    return std::nullopt;
}

std::optional<CallJob> CallJobs::take() {
    std::deque<CallJob>& from = drafts.empty() ? finals : drafts;
    if (from.empty())
        return std::nullopt;
    CallJob job = std::move(from.front());
    from.pop_front();
    queued -= job.samples.size();
    return job;
}

std::vector<CallJob> CallJobs::abandon() {
    std::vector<CallJob> given;
    while (auto job = shed())
        given.push_back(std::move(*job));
    return given;
}

void CallJobs::clear() {
    drafts.clear();
    finals.clear();
    queued = 0;
    peak = 0;
}
