#include "ui/floating/CallStrip.h"

#include "calls/MeetingLevels.h"
#include "delivery/OverlayPanel.h"
#include "meetings/MeetingStore.h"
#include "settings/Settings.h"
#include "ui/calls/SpeakerName.h"
#include "ui/widgets/Brand.h"
#include "ui/floating/CallLiveTranscript.h"
#include "ui/floating/CallPill.h"
#include "ui/floating/CallStripText.h"
#include "ui/floating/LevelBar.h"
#include "ui/widgets/Symbols.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int padX = 14;
constexpr int padY = 10;
constexpr int textSize = 12;
constexpr int tickMilliseconds = 1000;

QWidget* side(const SpeakerKey& who, LevelBar*& bar) {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(5);
    auto* name = CallStripText::name(10);
    CallStripText::showSide(name, who);
    name->setFixedWidth(30);
    bar = new LevelBar(who.isYou() ? Brand::youOnDark() : Brand::themOnDark());
    row->addWidget(name);
    row->addWidget(bar, 0, Qt::AlignVCenter);
    return box;
}

} // namespace

CallStrip::CallStrip(CallPill& pill, QWidget* parent) : QWidget(parent), pill(pill) {
    live = new CallLiveTranscript(tallWidth - 2 * padX);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(padX, padY, padX, padY);
    column->setSpacing(6);
    column->addWidget(buildHeader());
    column->addWidget(buildWarning());
    column->addWidget(live);
    column->addWidget(buildLatest());
    const CallPill::Services& s = pill.services();
    connect(&pill, &CallPill::changed, this, &CallStrip::refresh);
    followStore();
    connect(&s.levels, &MeetingLevels::youTalkingChanged, this, &CallStrip::showNewest);
    connect(&s.levels, &MeetingLevels::themTalkingChanged, this, &CallStrip::showNewest);
    connect(&s.levels, &MeetingLevels::youChanged, this, &CallStrip::showLevels);
    connect(&s.levels, &MeetingLevels::themChanged, this, &CallStrip::showLevels);
    // The call's time moves on between lines.
    ticking.setInterval(tickMilliseconds);
    connect(&ticking, &QTimer::timeout, this, &CallStrip::showTime);
    refresh();
}

// A line of the call changes the row of that line, or the newest line, and nothing else.
void CallStrip::followStore() {
    const MeetingStore& store = pill.services().store;
    connect(&store, &MeetingStore::meetingChanged, this, [this](const QUuid& id) {
        if (shownCall(id))
            refresh();
    });
    connect(&store, &MeetingStore::meetingRemoved, this, [this](const QUuid& id) {
        if (pill.activity().meetingID == id)
            refresh();
    });
    const auto line = [this](void (CallLiveTranscript::*change)(const Meeting&, int)) {
        return [this, change](const QUuid& id, int index) {
            const Meeting* m = shownCall(id);
            if (!m)
                return;
            if (pill.tall())
                (live->*change)(*m, index);
            showNewest();
        };
    };
    connect(&store, &MeetingStore::lineAdded, this, line(&CallLiveTranscript::lineAdded));
    connect(&store, &MeetingStore::lineChanged, this, line(&CallLiveTranscript::lineChanged));
    connect(&store, &MeetingStore::lineRemoved, this, line(&CallLiveTranscript::lineRemoved));
}

// The call the strip is about, when `id` names it.
const Meeting* CallStrip::shownCall(const QUuid& id) const {
    const CallActivity a = pill.activity();
    return a.meetingID == id ? pill.services().store.find(id) : nullptr;
}

QWidget* CallStrip::buildHeader() {
    auto* header = new QWidget;
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    auto* levels = new QVBoxLayout;
    levels->setSpacing(3);
    levels->addWidget(side(SpeakerKey::you(), youBar));
    levels->addWidget(side(SpeakerKey::them(), themBar));
    row->addLayout(levels);
    row->addSpacing(8);
    time = CallStripText::text(textSize);
    row->addWidget(time);
    row->addStretch(1);
    shrink = addButton("shrink", "minus", tr("Shrink to a small button"));
    enlarge = addButton("enlarge", "arrow.up.left.and.arrow.down.right", QString());
    open = addButton("open", "doc.text", tr("Open the transcript"));
    stop = addButton("stop", "stop.fill", tr("Stop recording"));
    for (QToolButton* b : {shrink, enlarge, open, stop})
        row->addWidget(b);
    connect(shrink, &QToolButton::clicked, this, [this] { pill.setMini(true); });
    connect(enlarge, &QToolButton::clicked, this, [this] { pill.setTall(!pill.tall()); });
    connect(open, &QToolButton::clicked, this, [this] { pill.openMeeting(); });
    connect(stop, &QToolButton::clicked, &pill, &CallPill::stopRequested);
    return header;
}

QToolButton* CallStrip::addButton(const QString& name, const QString& symbol,
                                  const QString& help) {
    auto* b = new QToolButton;
    b->setObjectName(name);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setCursor(Qt::PointingHandCursor);
    b->setToolTip(help);
    b->setIcon(Symbols::icon(symbol, symbol == "stop.fill" ? Brand::recording()
                                                           : QColor(255, 255, 255, 200)));
    b->setIconSize(QSize(14, 14));
    b->setFixedSize(24, 24);
    b->setStyleSheet(QStringLiteral("QToolButton { border: none; border-radius: 6px; }"
                                    " QToolButton:hover { background: rgba(255,255,255,30); }"));
    return b;
}

QWidget* CallStrip::buildWarning() {
    warningRow = new QWidget;
    auto* row = new QHBoxLayout(warningRow);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    auto* icon = new QLabel;
    icon->setPixmap(Symbols::icon("exclamationmark.triangle", Brand::orange(), 11).pixmap(11, 11));
    warningText = CallStripText::note();
    warningText->setStyleSheet("color: " + Brand::css(Brand::orange()) + ";");
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addWidget(warningText, 1);
    return warningRow;
}

QWidget* CallStrip::buildLatest() {
    latestRow = new QWidget;
    auto* row = new QHBoxLayout(latestRow);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    latestWho = CallStripText::name(textSize);
    latestWhat = CallStripText::text(textSize);
    latestWhat->setMinimumWidth(1);
    nothing = CallStripText::note();
    row->addWidget(latestWho);
    row->addWidget(latestWhat, 1);
    row->addWidget(nothing, 1);
    return latestRow;
}

void CallStrip::refresh() {
    const CallActivity a = pill.activity();
    const CallPill::Services& s = pill.services();
    const Meeting* m = a.meetingID ? s.store.find(*a.meetingID) : nullptr;
    setFixedWidth(pill.tall() ? tallWidth : width);
    showTime();
    stop->setVisible(a.isRecording);
    enlarge->setToolTip(pill.tall() ? tr("Hide the live transcript")
                                    : tr("Show the live transcript"));
    enlarge->setIcon(Symbols::icon(pill.tall() ? "arrow.down.right.and.arrow.up.left"
                                               : "arrow.up.left.and.arrow.down.right",
                                   QColor(255, 255, 255, 200)));
    warningRow->setVisible(a.engineTrouble);
    warningText->setText(CallStripText::engineTrouble(s.settings.callAudioDays()));
    live->setVisible(pill.tall());
    latestRow->setVisible(!pill.tall());
    if (pill.tall())
        live->follow(m, a, s.levels.youTalking(), s.levels.themTalking());
    else
        showLatest();
    showLevels();
    if (!a.isRecording)
        ticking.stop();
    else if (!ticking.isActive())
        ticking.start();
    updateGeometry();
}

void CallStrip::showTime() {
    const CallActivity a = pill.activity();
    const Meeting* m = a.meetingID ? pill.services().store.find(*a.meetingID) : nullptr;
    // The clock's digits keep their places as it counts.
    QFont f = a.isRecording ? Brand::mono() : font();
    f.setPixelSize(textSize);
    time->setFont(f);
    if (a.isRecording)
        time->setText(clock(m ? m->duration() : 0));
    else
        time->setText(a.finishing ? tr("Finishing transcript…") : QString());
}

// The newest words: the latest line, or, enlarged, who is being heard below the transcript.
void CallStrip::showNewest() {
    if (!pill.tall())
        return showLatest();
    const CallActivity a = pill.activity();
    const CallPill::Services& s = pill.services();
    const Meeting* m = a.meetingID ? s.store.find(*a.meetingID) : nullptr;
    live->showWaiting(m, a, s.levels.youTalking(), s.levels.themTalking());
}

void CallStrip::showLatest() {
    const CallActivity a = pill.activity();
    const CallPill::Services& s = pill.services();
    const Meeting* m = a.meetingID ? s.store.find(*a.meetingID) : nullptr;
    const auto latest =
        CallStripText::latest(m, a, s.levels.youTalking(), s.levels.themTalking());
    latestWho->setVisible(latest.has_value());
    latestWhat->setVisible(latest.has_value());
    nothing->setVisible(!latest);
    nothing->setText(CallStripText::nothingYet(a.systemAudioOK));
    if (!latest)
        return;
    CallStripText::showSide(latestWho, latest->who);
    latestWho->setText(speakerName(latest->who) + "  ");
    QFont f = latestWhat->font();
    f.setItalic(latest->listening);
    latestWhat->setFont(f);
    CallStripText::restyle(latestWhat, latest->listening
                                           ? QStringLiteral("color: rgba(255,255,255,140);")
                                           : QStringLiteral("color: white;"));
    latestFull = latest->text;
    elideLatest();
}

// One row however long the line grows: its newest words stay in view.
void CallStrip::elideLatest() {
    const int stripWidth = pill.tall() ? tallWidth : width;
    const int room = std::max(1, stripWidth - 2 * padX - latestWho->sizeHint().width());
    latestWhat->setText(latestWhat->fontMetrics().elidedText(latestFull, Qt::ElideLeft, room));
}

void CallStrip::showLevels() {
    const MeetingLevels& levels = pill.services().levels;
    youBar->setLevel(levels.you());
    themBar->setLevel(pill.activity().systemAudioOK ? levels.them() : 0);
}

// Wrapped warnings make the height depend on the width, which is fixed.
QSize CallStrip::sizeHint() const {
    const int w = pill.tall() ? tallWidth : width;
    const QLayout* l = layout();
    return {w, l->hasHeightForWidth() ? l->totalHeightForWidth(w) : l->totalSizeHint().height()};
}

QString CallStrip::status() const {
    return time->text();
}

QString CallStrip::latestName() const {
    return latestWho->isHidden() ? QString() : latestWho->text().trimmed();
}

QString CallStrip::latestText() const {
    return latestWho->isHidden() ? nothing->text() : latestFull;
}

QString CallStrip::warning() const {
    return warningRow->isHidden() ? QString() : warningText->text();
}

QToolButton* CallStrip::button(const QString& name) const {
    return findChild<QToolButton*>(name);
}

void CallStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    OverlayPanel::paintDarkCard(p, rect(), radius);
}
