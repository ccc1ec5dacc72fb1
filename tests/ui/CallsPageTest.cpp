#include "calls/MeetingLevels.h"
#include "meetings/MeetingStore.h"
#include "ui/calls/CallsPage.h"
#include "ui/calls/MeetingDetail.h"
#include "ui/calls/MeetingLineRow.h"
#include "ui/widgets/PageScroll.h"
#include "ui/calls/SpeakerColor.h"
#include "ui/calls/TalkingRows.h"
#include "ui/widgets/Brand.h"
#include "uistate/UIState.h"

#include "support/ManualScheduler.h"
#include "support/MeetingSamples.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using MeetingSamples::key;
using MeetingSamples::line;

// Rebuilt parts of the page go away once the event loop gets to them.
void settle() {
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Answers the next modal window: fills the rename box when there is one, then presses `button`.
void answerNext(const QString& button, const QString& name = QString()) {
    QTimer::singleShot(0, [button, name] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        if (auto* combo = modal->findChild<QComboBox*>("renameName"))
            combo->setEditText(name);
        for (auto* b : modal->findChildren<QAbstractButton*>())
            if (b->text() == button)
                return b->click();
        FAIL() << "no button " << button.toStdString();
    });
}

// Changes the speakers' own names the way a translation would.
struct BracketedSpeakerNames : QTranslator {
    QString translate(const char* context, const char* source, const char*, int) const override {
        return QByteArrayView(context) == "SpeakerName" ? "[" + QString(source) + "]" : QString();
    }
};

struct Calls : ::testing::Test {
    QTemporaryDir dir;
    MeetingStore store{dir.path()};
    UIState state;
    ManualScheduler scheduler;
    CallActivity activity;
    MeetingLevels levels;
    CallsPage page{CallServices{store,
                                state,
                                scheduler,
                                [this] { return activity; },
                                {},
                                [](const QUuid&) { return QStringList{"/a/you.m4a"}; },
                                {},
                                [] { return true; },
                                &levels}};

    Calls() { store.setReadOnly(true); }

    QUuid addCall() {
        Meeting m;
        m.title = "<b>x</b>";
        m.lines = {line("You", 1, "<b>hello</b>"), line("Them", 5, "hi", "S1"),
                   line("Them", 9, "and me", "S2")};
        m.guesses = Meeting::Names{{key("S2"), "Tom"}};
        store.add(m);
        return m.id;
    }
    // `call` being recorded, open on the shown page.
    void showRecording(const Meeting& call) {
        store.add(call);
        activity.isRecording = true;
        activity.meetingID = call.id;
        state.setMeetingID(call.id);
        page.resize(900, 600);
        page.show();
        settle();
    }
    bool showingCall() const {
        return page.findChild<QStackedWidget*>()->currentWidget() == page.detail();
    }
};

} // namespace

TEST_F(Calls, ListFollowsTheStoreAndAStaleSelectionShowsTheList) {
    page.show();
    EXPECT_TRUE(page.findChildren<QPushButton*>("meetingRow").isEmpty());
    const QUuid id = addCall();
    ASSERT_EQ(page.findChildren<QPushButton*>("meetingRow").size(), 1);
    page.findChild<QPushButton*>("meetingRow")->click();
    EXPECT_EQ(state.meetingID(), id);
    EXPECT_TRUE(showingCall());
    store.remove(id);
    EXPECT_FALSE(showingCall());
}

// A window that opens on another page makes no rows; a long list makes one batch, more as the
// user scrolls, and keeps them all when the store changes under it.
TEST_F(Calls, ALongListIsMadeWhenSeenABatchAtATime) {
    const auto rowCount = [this] {
        settle();
        return page.findChildren<QPushButton*>("meetingRow").size();
    };
    for (int i = 0; i < PageScroll::batch * 2 + 5; ++i)
        addCall();
    EXPECT_EQ(rowCount(), 0);
    page.resize(900, 600);
    page.show();
    EXPECT_EQ(rowCount(), PageScroll::batch);

    QScrollBar* bar = page.findChild<QScrollArea*>()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    bar->setValue(bar->maximum());
    EXPECT_EQ(rowCount(), PageScroll::batch * 2);
    const int scrolled = bar->value();
    addCall();
    EXPECT_EQ(rowCount(), PageScroll::batch * 2);
    EXPECT_EQ(bar->value(), scrolled);
}

TEST_F(Calls, UserTextIsNeverReadAsMarkup) {
    state.setMeetingID(addCall());
    settle();
    bool sawLine = false;
    for (auto* label : page.findChildren<QLabel*>()) {
        if (label->text().contains("<b>")) {
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->text().toStdString();
            sawLine = true;
        }
    }
    EXPECT_TRUE(sawLine);
}

TEST_F(Calls, GuessShowsWithQuestionMarkUntilConfirmedThroughTheMenu) {
    const QUuid id = addCall();
    state.setMeetingID(id);
    settle();
    auto menus = page.findChildren<QToolButton*>("speakerMenu");
    ASSERT_EQ(menus.size(), 3);
    QToolButton* tom = menus.at(2);
    EXPECT_EQ(tom->text(), "Tom?");
    EXPECT_TRUE(tom->font().italic());
    QStringList items;
    QAction* confirm = nullptr;
    for (QAction* a : tom->menu()->actions()) {
        items << a->text();
        if (a->text() == "Yes, this is Tom")
            confirm = a;
    }
    EXPECT_TRUE(items.contains("Speaker 1"));
    EXPECT_TRUE(items.contains("You"));
    EXPECT_TRUE(items.contains("New speaker"));
    ASSERT_NE(confirm, nullptr);
    confirm->trigger();
    settle();
    EXPECT_EQ(store.find(id)->names->value(key("S2")), "Tom");
    menus = page.findChildren<QToolButton*>("speakerMenu");
    EXPECT_EQ(menus.at(2)->text(), "Tom");
    EXPECT_FALSE(menus.at(2)->font().italic());
}

TEST_F(Calls, SpeakersOwnNamesAreTranslatedOnThePageButNeverInTheExport) {
    BracketedSpeakerNames translation;
    QCoreApplication::installTranslator(&translation);
    const QUuid id = addCall();
    state.setMeetingID(id);
    settle();
    QStringList shown;
    for (const QToolButton* menu : page.findChildren<QToolButton*>("speakerMenu"))
        shown << menu->text();
    QCoreApplication::removeTranslator(&translation);
    EXPECT_EQ(shown, (QStringList{"[You]", "[Speaker 1]", "Tom?"}));
    const QString exported = store.find(id)->markdown();
    EXPECT_TRUE(exported.contains("**You** (00:01)") && exported.contains("**Speaker 1** (00:05)"))
        << exported.toStdString();
}

TEST_F(Calls, RenamingToAnotherSpeakersNameMergesThem) {
    const QUuid id = addCall();
    state.setMeetingID(id);
    settle();
    const auto chips = page.findChildren<QPushButton*>("speakerChip");
    ASSERT_EQ(chips.size(), 3);
    answerNext("Rename", "Speaker 1");
    chips.at(2)->click();
    settle();
    const Meeting* m = store.find(id);
    EXPECT_EQ(m->speakerKeys(), (QList{key("You"), key("S1")}));
}

TEST_F(Calls, CancelledRenameChangesNothing) {
    const QUuid id = addCall();
    state.setMeetingID(id);
    settle();
    const Meeting before = *store.find(id);
    answerNext("Cancel", "Someone");
    page.findChildren<QPushButton*>("speakerChip").at(1)->click();
    EXPECT_EQ(*store.find(id), before);
}

TEST_F(Calls, DeletingTheOpenCallReturnsToTheList) {
    const QUuid id = addCall();
    state.setMeetingID(id);
    settle();
    answerNext("Delete");
    for (auto* b : page.detail()->findChildren<QToolButton*>())
        if (b->toolTip() == "Delete")
            b->click();
    EXPECT_EQ(store.find(id), nullptr);
    EXPECT_FALSE(state.meetingID());
    EXPECT_FALSE(showingCall());
}

TEST_F(Calls, LiveOrBusyCallsHideTheEditingAndTheTools) {
    const QUuid id = addCall();
    auto tool = [this](const QString& help) {
        for (auto* b : page.detail()->findChildren<QToolButton*>())
            if (b->toolTip() == help)
                return b->isVisibleTo(page.detail());
        return false;
    };
    state.setMeetingID(id);
    EXPECT_TRUE(tool("Transcribe again from the saved audio"));
    EXPECT_TRUE(tool("Find the speakers on the other side again"));
    activity.speakersID = QUuid::createUuid(); // another meeting's tool
    page.refresh();
    settle();
    EXPECT_FALSE(tool("Transcribe again from the saved audio"));
    EXPECT_EQ(page.findChildren<QToolButton*>("speakerMenu").size(), 3);
    activity = {};
    activity.isRecording = true;
    activity.meetingID = id;
    page.refresh();
    settle();
    EXPECT_FALSE(tool("Delete"));
    EXPECT_TRUE(page.findChildren<QToolButton*>("speakerMenu").isEmpty());
}

TEST_F(Calls, ALiveCallFollowsItsNewestTextAndShowsWhoIsBeingHeard) {
    Meeting call = MeetingSamples::meeting();
    call.end.reset();
    showRecording(call);
    levels.setThemTalking(true);
    auto* talking = page.detail()->findChild<TalkingRows*>();
    ASSERT_NE(talking, nullptr);
    EXPECT_TRUE(talking->themWaiting());
    EXPECT_FALSE(talking->youWaiting());

    for (int i = 0; i < 30; ++i)
        store.addLine(call.id, line("Them", i * 5, "A line of the call, one of many", i * 5 + 4.0));
    settle();
    QScrollBar* bar = page.detail()->findChild<QScrollArea*>()->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_TRUE(page.detail()->findChild<TalkingRows*>()->themWaiting());
}

// A line landing in a long open call, or changing in it, makes that line's row alone: every other
// row stays the same widget, and the rows read as the store does.
TEST_F(Calls, ALineLandingOrChangingMakesOnlyItsOwnRow) {
    Meeting call = MeetingSamples::meeting();
    call.end.reset();
    for (int i = 0; i < 200; ++i)
        call.lines << line(i % 2 ? "Them" : "You", i * 5, QString("Line %1 of a long call").arg(i),
                           i * 5 + 4.0);
    showRecording(call);
    const auto rows = [this] {
        settle();
        QList<MeetingLineRow*> shown = page.detail()->findChildren<MeetingLineRow*>();
        const auto top = [this](QWidget* w) { return w->mapTo(page.detail(), QPoint()).y(); };
        std::sort(shown.begin(), shown.end(),
                  [&](QWidget* a, QWidget* b) { return top(a) < top(b); });
        return shown;
    };
    const QList<MeetingLineRow*> before = rows();
    ASSERT_EQ(before.size(), 200);

    store.addLine(call.id, line("Them", 502, "Said between two lines", 503.0));
    const QList<MeetingLineRow*> landed = rows();
    ASSERT_EQ(landed.size(), 201);
    EXPECT_EQ(landed.at(101)->line().text, "Said between two lines");
    QList<MeetingLineRow*> others = landed;
    others.removeAt(101);
    EXPECT_EQ(others, before);

    store.setText(call.id, call.lines[7].id, "Changed words");
    const QList<MeetingLineRow*> changed = rows();
    ASSERT_EQ(changed.size(), 201);
    for (int i = 0; i < 201; ++i)
        EXPECT_EQ(changed[i] == landed[i], i != 7) << i;
    EXPECT_EQ(changed[7]->line().text, "Changed words");
}

// A line's row is as tall as its text wrapped at the width the row leaves it, not at a guess.
TEST_F(Calls, ALiveLineIsAsTallAsItsTextWrappedAtItsWidth) {
    Meeting call = MeetingSamples::meeting();
    call.end.reset();
    call.lines = {line("Them", 1, "Yes. Marketing wants the 14th, engineering says the 21st."),
                  line("You", 5, QString("word ").repeated(150).trimmed())};
    showRecording(call);
    const QList<QLabel*> texts = page.detail()->findChildren<QLabel*>("lineText");
    ASSERT_EQ(texts.size(), 2);
    EXPECT_LT(texts[0]->height(), 2 * texts[0]->fontMetrics().lineSpacing());
    EXPECT_GT(texts[1]->height(), 4 * texts[1]->fontMetrics().lineSpacing());
    EXPECT_GE(texts[1]->height(), texts[1]->heightForWidth(texts[1]->width()));
}

TEST(SpeakerColor, CyclesThroughEightAndDrawsOddKeysAsTheFarSide) {
    EXPECT_EQ(speakerColor(key("S1")), speakerColor(key("S9")));
    EXPECT_NE(speakerColor(key("S1")), speakerColor(key("S2")));
    EXPECT_EQ(speakerColor(key("You")), Brand::you());
    for (const QString stored : {"Them", "Sales", "S", "S0", "S-3"})
        EXPECT_EQ(speakerColor(key(stored)), Brand::them()) << stored.toStdString();
}
