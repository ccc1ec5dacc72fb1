#include "uistate/UIState.h"

#include "core/ChangeField.h"

template <typename T> void UIState::assign(T& field, const T& value, void (UIState::*signal)()) {
    if (changeField(field, value))
        emit(this->*signal)();
}

void UIState::setTab(Tab v) {
    assign(tab_, v, &UIState::tabChanged);
}
void UIState::setSearch(const QString& v) {
    assign(search_, v, &UIState::searchChanged);
}
void UIState::setEngineReady(bool v) {
    assign(engineReady_, v, &UIState::engineReadyChanged);
}
void UIState::setEngineFailed(bool v) {
    assign(engineFailed_, v, &UIState::engineFailedChanged);
}
void UIState::setModelProgress(std::optional<double> v) {
    assign(modelProgress_, v, &UIState::modelProgressChanged);
}
void UIState::setModelFailed(bool v) {
    assign(modelFailed_, v, &UIState::modelFailedChanged);
}
void UIState::setAxTrusted(bool v) {
    assign(axTrusted_, v, &UIState::axTrustedChanged);
}
void UIState::setCopiedID(std::optional<QUuid> v) {
    assign(copiedID_, v, &UIState::copiedIDChanged);
}
void UIState::setMeetingID(std::optional<QUuid> v) {
    assign(meetingID_, v, &UIState::meetingIDChanged);
}
