#include "calls/MeetingLevels.h"

#include "core/ChangeField.h"
#include "core/Dispatch.h"

namespace {
template <typename T, typename Signal>
void change(MeetingLevels* levels, T& field, T value, Signal changed) {
    Q_ASSERT(isMainThread());
    if (changeField(field, value))
        emit(levels->*changed)();
}
} // namespace

void MeetingLevels::setYou(float level) {
    change(this, you_, level, &MeetingLevels::youChanged);
}

void MeetingLevels::setThem(float level) {
    change(this, them_, level, &MeetingLevels::themChanged);
}

void MeetingLevels::setYouTalking(bool talking) {
    change(this, youTalking_, talking, &MeetingLevels::youTalkingChanged);
}

void MeetingLevels::setThemTalking(bool talking) {
    change(this, themTalking_, talking, &MeetingLevels::themTalkingChanged);
}

void MeetingLevels::reset() {
    setYou(0);
    setThem(0);
    setYouTalking(false);
    setThemTalking(false);
}
