#include "ui/floating/CallPill.h"

#include "core/Scheduler.h"
#include "delivery/OverlayPanel.h"
#include "meetings/MeetingStore.h"
#include "settings/Settings.h"
#include "ui/floating/CallPillHost.h"
#include "ui/floating/CallPillView.h"
#include "uistate/UIState.h"

#include <QLayout>

CallPill::CallPill(Services services, QObject* parent)
    : QObject(parent), s(std::move(services)) {
    // A saved card follows its call, and goes when the call is deleted.
    const auto follow = [this](const QUuid& id) {
        if (savedID_ == id)
            update();
    };
    connect(&s.store, &MeetingStore::meetingChanged, this, follow);
    connect(&s.store, &MeetingStore::meetingRemoved, this, follow);
    for (auto line : {&MeetingStore::lineAdded, &MeetingStore::lineChanged,
                      &MeetingStore::lineRemoved})
        connect(&s.store, line, this, [follow](const QUuid& id, int) { follow(id); });
}

CallPill::~CallPill() {
    delete panel_;
}

CallActivity CallPill::activity() const {
    return s.activity ? s.activity() : CallActivity{};
}

const Meeting* CallPill::savedMeeting() const {
    return savedID_ ? s.store.find(*savedID_) : nullptr;
}

void CallPill::update() {
    const CallActivity a = activity();
    const bool busy = a.recordingOrFinishing();
    if (busy)
        savedID_.reset();
    else if (wasBusy && a.meetingID)
        startSavedCard(*a.meetingID);
    wasBusy = busy;
    emit changed();
    const bool wanted = busy || savedMeeting();
    if (s.settings.showCallPill() && wanted && !offScreen) {
        if (isShowing())
            return fit();
        createPanel();
        place(s.settings.callPillCorner());
        panel_->showWithoutActivating();
    } else if (panel_) {
        panel_->hide();
    }
}

void CallPill::startSavedCard(const QUuid& id) {
    savedID_ = id;
    const int card = ++savedGeneration;
    s.scheduler.after(this, savedSeconds, [this, card] {
        if (savedGeneration == card)
            clearSaved();
    });
    // The card is smaller than the strip it replaces.
    placeLater();
}

void CallPill::clearSaved() {
    savedID_.reset();
    ++savedGeneration;
    update();
}

void CallPill::dismissSaved() {
    clearSaved();
}

void CallPill::openMeeting() {
    s.state.setTab(Tab::meetings);
    s.state.setMeetingID(savedID_ ? savedID_ : activity().meetingID);
    emit windowRequested();
    if (savedID_)
        clearSaved();
}

bool CallPill::mini() const {
    return s.settings.callPillMini();
}

bool CallPill::tall() const {
    return s.settings.callPillTall();
}

void CallPill::setMini(bool mini) {
    if (mini == this->mini())
        return;
    s.settings.setCallPillMini(mini);
    resized();
}

void CallPill::setTall(bool tall) {
    if (tall == this->tall())
        return;
    s.settings.setCallPillTall(tall);
    resized();
}

// The panel changes size around its corner.
void CallPill::resized() {
    emit changed();
    placeLater();
}

// The views settle their new size first; the corner is taken now, so it stays where it was.
void CallPill::placeLater() {
    if (!panel_)
        return;
    const QPoint corner = CallPillPlacement::corner(panel_->geometry());
    s.scheduler.after(this, 0, [this, corner] {
        if (panel_)
            place(corner);
    });
}

// A new line or warning changes the strip's height; it keeps its corner.
void CallPill::fit() {
    panel_->layout()->activate();
    if (host->view()->sizeHint() != panel_->size())
        place(CallPillPlacement::corner(panel_->geometry()));
}

void CallPill::droppedMini() {
    place(CallPillPlacement::snapped(panel_->geometry(), s.screens()));
}

void CallPill::createPanel() {
    if (panel_)
        return;
    host = new CallPillHost(*this);
    panel_ = new OverlayPanel(host, s.everyWorkspace);
    // The strip sizes its panel itself, around the corner it keeps; a layout would hold the
    // panel at its largest size and grow it from the top-left.
    panel_->layout()->setSizeConstraint(QLayout::SetNoConstraint);
    connect(panel_, &OverlayPanel::dragged, this, &CallPill::save);
    connect(host, &CallPillHost::dropped, this, &CallPill::droppedMini);
    connect(host->view(), &CallPillView::resized, this, [this] {
        if (isShowing())
            fit();
    });
}

bool CallPill::isShowing() const {
    return panel_ && panel_->isVisible();
}

void CallPill::place(const std::optional<QPoint>& corner) {
    panel_->layout()->activate();
    panel_->setGeometry(CallPillPlacement::frame(host->view()->sizeHint(), corner, s.screens()));
    save();
}

void CallPill::save() {
    s.settings.setCallPillCorner(CallPillPlacement::corner(panel_->geometry()));
}
