#include "ui/calls/CallsPage.h"

#include "meetings/MeetingStore.h"
#include "ui/widgets/Brand.h"
#include "ui/calls/MeetingDetail.h"
#include "ui/calls/MeetingRow.h"
#include "ui/widgets/PageHeader.h"
#include "ui/widgets/PageScroll.h"
#include "ui/widgets/Symbols.h"
#include "uistate/UIState.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

QWidget* emptyState() {
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 60, 0, 0);
    column->setSpacing(8);
    auto* icon = new QLabel;
    icon->setPixmap(Symbols::icon("person.2.wave.2", Brand::accent(), 30).pixmap(30, 30));
    auto* heading = new QLabel(CallsPage::tr("No calls yet"));
    QFont f = heading->font();
    f.setPixelSize(15);
    f.setWeight(QFont::DemiBold);
    heading->setFont(f);
    auto* detail = new QLabel(CallsPage::tr("Press Record a call, or join a Zoom, Meet, Teams or "
                                            "WhatsApp call and Voxmere will offer to listen in."));
    detail->setWordWrap(true);
    detail->setMaximumWidth(380);
    detail->setAlignment(Qt::AlignCenter);
    detail->setProperty("secondary", true);
    for (QLabel* l : {icon, heading, detail})
        column->addWidget(l, 0, Qt::AlignHCenter);
    return box;
}

} // namespace

CallsPage::CallsPage(CallServices services, QWidget* parent)
    : QWidget(parent), s(std::move(services)) {
    stack = new QStackedWidget;
    list = buildList();
    call = new MeetingDetail(s);
    connect(call, &MeetingDetail::stopRequested, this, &CallsPage::stopRequested);
    connect(call, &MeetingDetail::findSpeakersRequested, this, &CallsPage::findSpeakersRequested);
    connect(call, &MeetingDetail::retranscribeRequested, this, &CallsPage::retranscribeRequested);
    connect(call, &MeetingDetail::revealRequested, this, &CallsPage::revealRequested);
    stack->addWidget(list);
    stack->addWidget(call);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(stack);
    followStore();
    connect(&s.state, &UIState::meetingIDChanged, this, &CallsPage::refresh);
    ticking.setInterval(1000);
    connect(&ticking, &QTimer::timeout, this, [this] {
        showRecordButton();
        if (stack->currentWidget() == call)
            call->showElapsed();
    });
    refresh();
}

QWidget* CallsPage::buildList() {
    auto* header = new PageHeader(
        tr("Calls"), tr("Recorded and written up on this computer. Nothing is uploaded."));
    record = new QPushButton;
    record->setObjectName(QStringLiteral("recordButton"));
    connect(record, &QPushButton::clicked, this, [this] {
        const CallActivity a = s.activity ? s.activity() : CallActivity{};
        if (a.isRecording)
            return emit stopRequested();
        if (a.recordingOrFinishing())
            return;
        emit recordRequested();
        if (s.activity)
            s.state.setMeetingID(s.activity().meetingID);
    });
    header->addTrailing(record);
    auto* content = new QWidget;
    rows = new QVBoxLayout(content);
    rows->setContentsMargins(32, 28, 32, 24);
    rows->setSpacing(8);
    rows->addWidget(header);
    rows->addStretch();
    QScrollArea* scroll = PageScroll::scroller(content);
    PageScroll::whenNearEnd(scroll, this, [this] { showMore(PageScroll::batch); });
    return scroll;
}

void CallsPage::followStore() {
    MeetingStore& store = s.store;
    connect(&store, &MeetingStore::meetingAdded, this, &CallsPage::meetingAdded);
    connect(&store, &MeetingStore::meetingRemoved, this, &CallsPage::meetingRemoved);
    connect(&store, &MeetingStore::meetingChanged, this, [this](const QUuid& id) {
        showRow(id);
        const Meeting* m = s.store.find(id);
        if (m && showing(id))
            call->meetingChanged(*m);
    });
    const auto line = [this](void (MeetingDetail::*change)(int)) {
        return [this, change](const QUuid& id, int index) {
            showRow(id);
            if (showing(id))
                (call->*change)(index);
        };
    };
    connect(&store, &MeetingStore::lineAdded, this, line(&MeetingDetail::lineAdded));
    connect(&store, &MeetingStore::lineChanged, this, line(&MeetingDetail::lineChanged));
    connect(&store, &MeetingStore::lineRemoved, this, line(&MeetingDetail::lineRemoved));
}

bool CallsPage::showing(const QUuid& id) const {
    return stack->currentWidget() == call && call->meetingID() == id;
}

bool CallsPage::isLive(const QUuid& id) const {
    const CallActivity a = s.activity ? s.activity() : CallActivity{};
    return a.isRecording && a.meetingID == id;
}

void CallsPage::meetingAdded(const QUuid& id) {
    if (made == 0) {
        // The list said there were no calls.
        listStale = true;
    } else if (!listStale) {
        const QList<Meeting>& all = s.store.meetings();
        const auto at = std::find_if(all.begin(), all.end(),
                                     [&](const Meeting& m) { return m.id == id; });
        const int wanted = std::max(made, PageScroll::batch);
        if (const int index = int(at - all.begin()); index < made) {
            makeRow(index);
            ++made;
        }
        keepRows(wanted);
    }
    if (s.state.meetingID() == id)
        refresh();
    else
        fillListIfSeen();
}

void CallsPage::meetingRemoved(const QUuid& id) {
    const int wanted = std::max(made, PageScroll::batch);
    for (int i = made - 1; i >= 0; --i)
        if (row(i)->meetingID() == id) {
            dropRow(i);
            --made;
        }
    if (s.store.meetings().isEmpty())
        listStale = true;
    else if (!listStale)
        keepRows(wanted);
    if (s.state.meetingID() == id)
        refresh();
    else
        fillListIfSeen();
}

void CallsPage::showRow(const QUuid& id) {
    if (listStale)
        return;
    const QList<Meeting>& all = s.store.meetings();
    for (int i = 0; i < made && i < all.size(); ++i)
        if (all.at(i).id == id)
            return row(i)->showMeeting(all.at(i), isLive(id));
}

void CallsPage::refresh() {
    const auto open = s.state.meetingID();
    const Meeting* m = open ? s.store.find(*open) : nullptr;
    showRecordButton();
    if (m) {
        call->show(*m);
        stack->setCurrentWidget(call);
        return;
    }
    if (isVisible())
        fillList();
    stack->setCurrentWidget(list);
}

void CallsPage::showRecordButton() {
    const CallActivity a = s.activity ? s.activity() : CallActivity{};
    const Meeting* live = a.meetingID ? s.store.find(*a.meetingID) : nullptr;
    if (a.isRecording)
        record->setText(tr("Stop · %1").arg(clock(live ? live->duration() : 0)));
    else
        record->setText(a.finishing ? tr("Finishing transcript…") : tr("Record a call"));
    record->setIcon(Symbols::icon(a.isRecording ? "stop.fill" : "record.circle.fill",
                                  Brand::recording()));
    record->setEnabled(!a.finishing);
    if (!a.isRecording)
        ticking.stop();
    else if (!ticking.isActive())
        ticking.start();
}

void CallsPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (stack->currentWidget() == list)
        fillList();
}

void CallsPage::fillListIfSeen() {
    if (stack->currentWidget() == list && isVisible())
        fillList();
}

void CallsPage::fillList() {
    const CallActivity a = s.activity ? s.activity() : CallActivity{};
    const std::optional<QUuid> live = a.isRecording ? a.meetingID : std::nullopt;
    const std::optional<QUuid> wasLive = std::exchange(listedLive, live);
    if (!listStale) {
        // Only the rows of the calls that started or stopped being recorded change.
        if (wasLive != live)
            for (const auto& id : {wasLive, live})
                if (id)
                    showRow(*id);
        return;
    }
    listStale = false;
    // As many rows as before, so that a list the user has scrolled down stays where it was.
    const int shown = std::max(made, PageScroll::batch);
    clearList();
    if (s.store.meetings().isEmpty())
        rows->insertWidget(1, emptyState());
    showMore(shown);
}

void CallsPage::clearList() {
    // Everything between the header and the closing stretch is the previous list.
    while (rows->count() > 2) {
        QLayoutItem* item = rows->takeAt(1);
        if (QWidget* w = item->widget()) {
            w->hide();
            w->deleteLater();
        }
        delete item;
    }
    made = 0;
}

void CallsPage::showMore(int count) {
    for (const int end = std::min(made + count, int(s.store.meetings().size())); made < end;
         ++made)
        makeRow(made);
}

// The row of the store's call at `index`, in its place among the rows.
void CallsPage::makeRow(int index) {
    const Meeting& m = s.store.meetings().at(index);
    auto* r = new MeetingRow(m, isLive(m.id));
    connect(r, &MeetingRow::clicked, this, [this, id = m.id] { s.state.setMeetingID(id); });
    rows->insertWidget(1 + index, r);
    // At once rather than when the event loop gets to it: a layout pass that saw the new list
    // without its rows would throw a scrolled list back to the top.
    r->show();
}

// The row may hold the button whose click led here, so it goes once that returns.
void CallsPage::dropRow(int index) {
    QLayoutItem* item = rows->takeAt(1 + index);
    item->widget()->hide();
    item->widget()->deleteLater();
    delete item;
}

// As many rows as a list made again now would have: `wanted`, or all there are.
void CallsPage::keepRows(int wanted) {
    wanted = std::min(wanted, int(s.store.meetings().size()));
    for (; made > wanted; --made)
        dropRow(made - 1);
    showMore(wanted - made);
}

MeetingRow* CallsPage::row(int index) const {
    return static_cast<MeetingRow*>(rows->itemAt(1 + index)->widget());
}
