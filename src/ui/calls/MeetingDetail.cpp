#include "ui/calls/MeetingDetail.h"

#include "calls/MeetingLevels.h"
#include "core/Scheduler.h"
#include "delivery/Paste.h"
#include "meetings/MeetingStore.h"
#include "ui/widgets/Alert.h"
#include "ui/widgets/Brand.h"
#include "ui/widgets/IconButton.h"
#include "ui/widgets/RowColumn.h"
#include "ui/calls/MeetingDialogs.h"
#include "ui/calls/MeetingLineRow.h"
#include "ui/calls/MeetingRow.h"
#include "ui/calls/SpeakerChips.h"
#include "ui/calls/TalkingRows.h"
#include "uistate/UIState.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include <utility>

namespace {

constexpr double tickSeconds = 1.2;

// Two texts, because English is shown untranslated and says "1 speaker"; each carries %n, so a
// language with more plural forms still gets every count right.
QString receiptText(const Meeting& m, const QString& kept) {
    const int speakers = int(m.speakerKeys().size());
    const QString people = speakers == 1 ? MeetingDetail::tr("%n speaker", nullptr, speakers)
                                         : MeetingDetail::tr("%n speakers", nullptr, speakers);
    return people + " · " + MeetingDetail::tr("%n lines", nullptr, int(m.lines.size())) + " · " +
           kept + " · " + MeetingDetail::tr("Uploaded: nothing");
}

qsizetype characters(const Meeting& m) {
    qsizetype n = 0;
    for (const MeetingLine& line : m.lines)
        n += line.text.size();
    return n;
}

// A part of the page that may hold the button whose click led here goes once that returns.
void retire(QWidget* w) {
    w->hide();
    w->deleteLater();
}

} // namespace

MeetingDetail::MeetingDetail(CallServices& services, QWidget* parent)
    : QWidget(parent), s(services) {
    page = new QVBoxLayout(this);
    page->setContentsMargins(32, 20, 32, 16);
    page->setSpacing(8);
    buildToolbar();
    connect(&s.state, &UIState::copiedIDChanged, this, &MeetingDetail::showTick);
    if (s.levels) {
        connect(s.levels, &MeetingLevels::youTalkingChanged, this, &MeetingDetail::showTalking);
        connect(s.levels, &MeetingLevels::themTalkingChanged, this, &MeetingDetail::showTalking);
    }
}

void MeetingDetail::buildToolbar() {
    auto* back = new IconButton("chevron.left", tr("All calls"));
    connect(back, &IconButton::clicked, this, [this] { s.state.setMeetingID(std::nullopt); });
    title = new QLineEdit;
    title->setObjectName(QStringLiteral("meetingTitle"));
    title->setPlaceholderText(tr("Title"));
    title->setFont(Brand::serif(24));
    title->setFrame(false);
    title->setStyleSheet(QStringLiteral("background: transparent;"));
    connect(title, &QLineEdit::textEdited, this, [this](const QString& text) {
        s.store.update(id, [text](Meeting& m) { m.title = text; });
    });
    record = new QPushButton;
    connect(record, &QPushButton::clicked, this, &MeetingDetail::stopRequested);
    copy = new IconButton("doc.on.doc", tr("Copy transcript"));
    connect(copy, &IconButton::clicked, this, &MeetingDetail::copyTranscript);
    folder = new IconButton("folder", tr("Show the files"));
    connect(folder, &IconButton::clicked, this, &MeetingDetail::revealFiles);
    findAgain = new IconButton("person.2", tr("Find the speakers on the other side again"));
    connect(findAgain, &IconButton::clicked, this, &MeetingDetail::askFindSpeakers);
    redo = new IconButton("arrow.clockwise", tr("Transcribe again from the saved audio"));
    connect(redo, &IconButton::clicked, this, &MeetingDetail::retranscribeAfterAsking);
    trash = new IconButton("trash", tr("Delete"));
    connect(trash, &IconButton::clicked, this, &MeetingDetail::confirmDelete);
    auto* bar = new QHBoxLayout;
    bar->setSpacing(6);
    bar->addWidget(back);
    bar->addWidget(title, 1);
    for (QWidget* w : std::initializer_list<QWidget*>{record, copy, folder, findAgain, redo, trash})
        bar->addWidget(w);
    page->addLayout(bar);
}

void MeetingDetail::show(const Meeting& m) {
    const bool other = m.id != id;
    id = m.id;
    showTitle(m);
    const CallActivity a = s.activity ? s.activity() : CallActivity{};
    showTools(m, a);
    showTick();
    if (other)
        shownCharacters = -1;
    fillBody(m, a);
}

void MeetingDetail::meetingChanged(const Meeting& m) {
    if (m.names != shownNames || m.guesses != shownGuesses || !keepsRows(m, m.lines.size()))
        return show(m);
    showTitle(m);
    for (int i = 0; i < int(m.lines.size()); ++i)
        if (row(i)->line() != m.lines.at(i))
            replaceRow(i, m);
    showCounts(m);
}

void MeetingDetail::lineAdded(int index) {
    const Meeting* m = s.store.find(id);
    if (!m)
        return;
    if (!keepsRows(*m, m->lines.size() - 1))
        return show(*m);
    lineRows->insert(index, makeRow(*m, m->lines.at(index)));
    showCounts(*m);
}

void MeetingDetail::lineChanged(int index) {
    const Meeting* m = s.store.find(id);
    if (!m)
        return;
    if (!keepsRows(*m, m->lines.size()))
        return show(*m);
    replaceRow(index, *m);
    showCounts(*m);
}

void MeetingDetail::lineRemoved(int index) {
    const Meeting* m = s.store.find(id);
    if (!m)
        return;
    if (m->lines.isEmpty() || !keepsRows(*m, m->lines.size() + 1))
        return show(*m);
    retire(lineRows->take(index));
    showCounts(*m);
}

// The rows can follow a change line by line when there were `rowsBefore` of them and the
// speakers they offer in their menus and chips are still the call's.
bool MeetingDetail::keepsRows(const Meeting& m, qsizetype rowsBefore) const {
    return lineRows && lineRows->count() == rowsBefore &&
           (shownLive || m.speakerKeys() == shownKeys);
}

void MeetingDetail::showTitle(const Meeting& m) {
    // Rewriting the field while the user types would move the cursor.
    if (title->text() != m.title) {
        title->setText(m.title);
        title->setCursorPosition(0);
    }
}

void MeetingDetail::showTools(const Meeting& m, const CallActivity& a) {
    const bool live = a.live(m.id);
    const bool hasAudio = s.files && !s.files(m.id).isEmpty();
    bool someThem = false;
    for (const MeetingLine& line : m.lines)
        someThem = someThem || line.who.isThem();
    record->setVisible(live);
    showElapsed(m, a);
    record->setEnabled(a.isRecording);
    const bool toolsMayRun = !live && a.idle() && hasAudio;
    findAgain->setVisible(toolsMayRun && someThem && s.speakersAvailable &&
                          s.speakersAvailable());
    redo->setVisible(toolsMayRun);
    trash->setVisible(!live);
}

void MeetingDetail::showElapsed(const Meeting& m, const CallActivity& a) {
    record->setText(a.isRecording ? tr("Stop · %1").arg(clock(m.duration()))
                                  : tr("Finishing transcript…"));
}

void MeetingDetail::showElapsed() {
    if (const Meeting* m = s.store.find(id))
        showElapsed(*m, s.activity ? s.activity() : CallActivity{});
}

QLabel* MeetingDetail::note(const QString& text, const QString& colour) {
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    QFont f = label->font();
    f.setPixelSize(11);
    label->setFont(f);
    if (!colour.isEmpty())
        label->setStyleSheet("color: " + colour + ";");
    bodyLayout->addWidget(label);
    return label;
}

void MeetingDetail::fillBody(const Meeting& m, const CallActivity& a) {
    const int scrolled = transcript ? transcript->verticalScrollBar()->value() : 0;
    // The old body may hold the button whose click led here, so it goes once that returns.
    if (body) {
        page->removeWidget(body);
        body->hide();
        body->deleteLater();
    }
    body = new QWidget;
    bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->setSpacing(8);
    page->addWidget(body, 1);
    transcript = nullptr;
    lineRows = nullptr;
    talking = nullptr;
    receipt = nullptr;
    chips = nullptr;
    const bool live = a.live(m.id);
    const bool busy = a.busy(m.id);
    shownLive = live;
    shownBusy = busy;
    shownKeys = m.speakerKeys();
    shownNames = m.names;
    shownGuesses = m.guesses;
    info = note(MeetingRow::summary(m));
    info->setFont(Brand::mono());
    info->setProperty("secondary", true);
    if (!live) {
        receipt = note(receiptText(m, s.audioKeptText ? s.audioKeptText(m) : QString()));
        receipt->setObjectName(QStringLiteral("receipt"));
        receipt->setWordWrap(false);
        receipt->setFont(Brand::mono());
        receipt->setStyleSheet(
            QStringLiteral("border: 1px solid %1; border-radius: 6px; padding: 4px 8px;")
                .arg(Brand::css(Brand::cardEdge())));
        receipt->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    }
    addStatus(m, a);
    if (!live && shownKeys.size() >= 2)
        bodyLayout->addWidget(chips = makeChips(m));
    if (busy)
        note(tr("Editing is paused until this finishes."))->setProperty("secondary", true);
    addTranscript(m, a);
    if (transcript && !live)
        QTimer::singleShot(0, transcript, [t = QPointer(transcript), scrolled] {
            if (t)
                t->verticalScrollBar()->setValue(scrolled);
        });
}

void MeetingDetail::addStatus(const Meeting& m, const CallActivity& a) {
    const bool live = a.live(m.id);
    if (a.speakersID == m.id)
        note(tr("Finding who's speaking on the other side…"));
    if (a.splittingID == m.id)
        note(tr("Splitting lines where two people talk without a pause…"));
    if (a.rerunID == m.id) {
        auto* bar = new QProgressBar;
        bar->setFixedWidth(160);
        bar->setRange(0, 1000);
        bar->setValue(int(a.rerunProgress * 1000));
        bar->setTextVisible(false);
        bodyLayout->addWidget(bar);
        note(tr("Transcribing again… %1%").arg(int(a.rerunProgress * 100)));
    }
    const QString orange = Brand::orange().name();
    if (live && a.engineTrouble)
        note(tr("The speech engine isn't responding, so some lines are missing. Voxmere is "
                "restarting it. The audio is still being saved."),
             orange);
    if (live && !a.systemAudioOK)
        note(tr("Voxmere can't hear the computer's audio, so only your side is being captured. "
                "Check that the sound server is running, then record again."),
             orange);
}

SpeakerChips* MeetingDetail::makeChips(const Meeting& m) {
    auto* made = new SpeakerChips(m, [this](const SpeakerKey& key) {
        if (const Meeting* now = s.store.find(id))
            MeetingDialogs::askRename(this, s.store, *now, key, s.names ? s.names() : QStringList());
    });
    made->setEnabled(!shownBusy);
    if (shownBusy)
        made->setStyleSheet(QStringLiteral("color: %1;").arg(Brand::css(Brand::secondaryText())));
    return made;
}

void MeetingDetail::addTranscript(const Meeting& m, const CallActivity& a) {
    const bool live = a.live(m.id);
    if (m.lines.isEmpty()) {
        bodyLayout->addSpacing(20);
        note(live ? tr("Listening… text appears a few seconds after someone starts talking.")
                  : tr("Nothing was said in this recording."))
            ->setProperty("secondary", true);
        if (live && a.isRecording)
            bodyLayout->addWidget(talkingRows());
        bodyLayout->addStretch();
        return;
    }
    transcript = new QScrollArea;
    transcript->setFrameShape(QFrame::NoFrame);
    transcript->setWidgetResizable(true);
    lineRows = new RowColumn(10);
    QVBoxLayout* lines = lineRows->column();
    lines->setContentsMargins(0, 8, 8, 8);
    for (const MeetingLine& line : m.lines)
        lineRows->insert(lineRows->count(), makeRow(m, line));
    if (live && a.isRecording)
        lines->addWidget(talkingRows());
    lines->addStretch();
    transcript->setWidget(lineRows);
    bodyLayout->addWidget(transcript, 1);
    followNewest(m);
}

MeetingLineRow* MeetingDetail::makeRow(const Meeting& m, const MeetingLine& line) {
    const QUuid lineId = line.id;
    auto* row = new MeetingLineRow(s.store, m, line, shownLive, !shownLive && !shownBusy);
    connect(row, &MeetingLineRow::renameRequested, this, [this](const SpeakerKey& key) {
        if (const Meeting* now = s.store.find(id))
            MeetingDialogs::askRename(this, s.store, *now, key,
                                      s.names ? s.names() : QStringList());
    });
    connect(row, &MeetingLineRow::editRequested, this, [this, lineId] {
        const Meeting* now = s.store.find(id);
        if (!now)
            return;
        for (const MeetingLine& l : now->lines)
            if (l.id == lineId)
                return MeetingDialogs::askEditLine(this, s.store, *now, l);
    });
    connect(row, &MeetingLineRow::removeRequested, this,
            [this, lineId] { s.store.setText(id, lineId, QString()); });
    return row;
}

MeetingLineRow* MeetingDetail::row(int index) const {
    return static_cast<MeetingLineRow*>(lineRows->row(index));
}

void MeetingDetail::replaceRow(int index, const Meeting& m) {
    QWidget* old = lineRows->take(index);
    lineRows->insert(index, makeRow(m, m.lines.at(index)));
    retire(old);
}

// What sums up the lines: the info line, the receipt, the chips' counts, the tools, who is still
// being heard, and the newest text in view.
void MeetingDetail::showCounts(const Meeting& m) {
    info->setText(MeetingRow::summary(m));
    if (receipt)
        receipt->setText(receiptText(m, s.audioKeptText ? s.audioKeptText(m) : QString()));
    if (chips) {
        SpeakerChips* counted = makeChips(m);
        bodyLayout->replaceWidget(chips, counted);
        retire(std::exchange(chips, counted));
    }
    if (!shownLive)
        showTools(m, s.activity ? s.activity() : CallActivity{});
    showTalking();
    followNewest(m);
}

// While the call is recorded the page follows its text, both new lines and growing drafts.
void MeetingDetail::followNewest(const Meeting& m) {
    const qsizetype n = characters(m);
    if (shownLive && transcript && n != shownCharacters)
        QTimer::singleShot(0, transcript, [t = QPointer(transcript)] {
            if (!t)
                return;
            t->widget()->layout()->activate();
            t->verticalScrollBar()->setValue(t->verticalScrollBar()->maximum());
        });
    shownCharacters = n;
}

TalkingRows* MeetingDetail::talkingRows() {
    // Lined up with the names of the line rows, after their time column.
    talking = new TalkingRows({false, 42 + 8, 40, 12});
    showTalking();
    return talking;
}

void MeetingDetail::showTalking() {
    if (!talking || !s.levels)
        return;
    const Meeting* m = s.store.find(id);
    talking->setWaiting(TalkingRows::waiting(m, SpeakerKey::you(), true, s.levels->youTalking()),
                        TalkingRows::waiting(m, SpeakerKey::them(), true, s.levels->themTalking()));
}

void MeetingDetail::showTick() {
    copy->setSymbol(s.state.copiedID() == id ? QStringLiteral("checkmark")
                                             : QStringLiteral("doc.on.doc"));
}

void MeetingDetail::copyTranscript() {
    const Meeting* m = s.store.find(id);
    if (!m)
        return;
    Paste::copyToClipboard(m->markdown());
    s.state.setCopiedID(id);
    // A later copy of something else owns the tick; this timer must leave it alone.
    const QUuid copied = id;
    s.scheduler.after(&s.state, tickSeconds, [&state = s.state, copied] {
        if (state.copiedID() == copied)
            state.setCopiedID(std::nullopt);
    });
}

void MeetingDetail::revealFiles() {
    const Meeting* m = s.store.find(id);
    if (!m)
        return;
    QStringList paths{s.store.markdownURL(*m)};
    if (s.files)
        paths += s.files(id);
    emit revealRequested(paths);
}

void MeetingDetail::askFindSpeakers() {
    const auto count = MeetingDialogs::askSpeakerCount(this);
    if (count)
        emit findSpeakersRequested(id, *count);
}

void MeetingDetail::retranscribeAfterAsking() {
    if (MeetingDialogs::confirmRetranscribe(this))
        emit retranscribeRequested(id);
}

void MeetingDetail::confirmDelete() {
    if (!Alert::confirm(this, tr("Delete this transcript?"), tr("This can't be undone."),
                        tr("Delete")))
        return;
    const QUuid gone = id;
    s.state.setMeetingID(std::nullopt);
    s.store.remove(gone);
}
