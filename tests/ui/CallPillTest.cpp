#include "calls/MeetingLevels.h"
#include "delivery/OverlayPanel.h"
#include "meetings/MeetingStore.h"
#include "ui/floating/CallLiveTranscript.h"
#include "ui/floating/CallMiniView.h"
#include "ui/floating/CallPill.h"
#include "ui/floating/CallPillHost.h"
#include "ui/floating/CallPillView.h"
#include "ui/floating/CallSavedCard.h"
#include "ui/floating/CallStrip.h"
#include "ui/calls/TalkingRows.h"
#include "uistate/UIState.h"

#include "support/ManualScheduler.h"
#include "support/MeetingSamples.h"
#include "support/TempSettings.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using MeetingSamples::line;
using Screen = OverlayPlacement::Screen;

// Two screens side by side; the primary one has a 30-pixel panel along its top.
const QList<Screen> twoScreens = {{QRect(0, 0, 1000, 800), QRect(0, 30, 1000, 770)},
                                  {QRect(1000, 0, 800, 600), QRect(1000, 0, 800, 600)}};

struct CallPillTest : ::testing::Test {
    TempSettings temp;
    Settings& settings = temp.settings;
    QTemporaryDir dir;
    MeetingStore store{dir.path()};
    MeetingLevels levels;
    UIState state;
    ManualScheduler scheduler;
    CallActivity activity;
    int opened = 0;
    std::unique_ptr<CallPill> pill;

    CallPillTest() {
        store.setReadOnly(true);
        makePill();
    }
    void makePill() {
        pill = std::make_unique<CallPill>(CallPill::Services{settings, store, levels, state,
                                                             scheduler, [this] { return activity; },
                                                             [] { return twoScreens; }});
        QObject::connect(pill.get(), &CallPill::windowRequested, [this] { ++opened; });
    }

    QUuid startCall(const QList<MeetingLine>& lines = {}) {
        Meeting m = MeetingSamples::meeting(lines);
        store.add(m);
        activity = {};
        activity.isRecording = true;
        activity.meetingID = m.id;
        pill->update();
        return m.id;
    }
    void endCall() {
        activity.isRecording = false;
        activity.finishing = true;
        pill->update();
        activity.finishing = false;
        pill->update();
    }
    CallPillView& view() { return *pill->panel()->findChild<CallPillHost*>()->view(); }
    CallStrip& strip() { return *view().strip(); }
    QPoint corner() { return CallPillPlacement::corner(pill->panel()->geometry()); }

    void mouse(QEvent::Type type, QPoint global) {
        CallPillHost* host = pill->panel()->findChild<CallPillHost*>();
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, host->mapFromGlobal(QPointF(global)), QPointF(global),
                          Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(host, &event);
    }
};

} // namespace

TEST_F(CallPillTest, ShowsWhileACallIsRecordedAndNeverWhenTurnedOffOrInSnapshots) {
    settings.setShowCallPill(false);
    startCall();
    EXPECT_FALSE(pill->isShowing());
    settings.setShowCallPill(true);
    pill->update();
    ASSERT_TRUE(pill->isShowing());
    EXPECT_TRUE(pill->panel()->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(pill->panel()->testAttribute(Qt::WA_ShowWithoutActivating));

    pill->keepOffScreen();
    pill->update();
    EXPECT_FALSE(pill->isShowing());
}

TEST_F(CallPillTest, FirstPlacedInTheTopRightOfThePrimaryScreenThenWhereItWasLeft) {
    EXPECT_FALSE(settings.callPillCorner().has_value());
    startCall();
    EXPECT_EQ(corner(), QPoint(996, 34));
    EXPECT_EQ(settings.callPillCorner(), QPoint(996, 34));

    endCall();
    scheduler.advance(CallPill::savedSeconds);
    ASSERT_FALSE(pill->isShowing());
    // Left mostly on the second screen: it opens there next time.
    settings.setCallPillCorner(QPoint(1500, 100));
    startCall();
    EXPECT_EQ(corner(), QPoint(1500, 100));
}

TEST_F(CallPillTest, ThePanelGoesOnTheScreenThatShowsMostOfIt) {
    const QSize size(340, 100);
    // 200 pixels across on the primary screen, 140 on the second: the primary's area bounds it.
    EXPECT_EQ(CallPillPlacement::frame(size, QPoint(1140, 550), twoScreens),
              QRect(660, 550, 340, 100));
    // 100 on the primary, 240 on the second, whose area ends at 600.
    EXPECT_EQ(CallPillPlacement::frame(size, QPoint(1240, 550), twoScreens),
              QRect(1000, 500, 340, 100));
    // Off every screen (a display that was unplugged): pulled into the primary's area.
    EXPECT_EQ(CallPillPlacement::frame(size, QPoint(5000, -300), twoScreens),
              QRect(660, 30, 340, 100));
}

TEST_F(CallPillTest, ShrinkingAndEnlargingKeepTheTopRightCornerAndAreRemembered) {
    startCall();
    const QPoint before = corner();
    const int stripHeight = pill->panel()->height();
    strip().button("shrink")->click();
    scheduler.advance(0);
    EXPECT_EQ(corner(), before);
    EXPECT_EQ(pill->panel()->size(),
              QSize(CallMiniView::width, CallMiniView::height) + 2 * QSize(CallPillView::shadow, CallPillView::shadow));

    pill->setMini(false);
    strip().button("enlarge")->click();
    scheduler.advance(0);
    EXPECT_EQ(corner(), before);
    EXPECT_EQ(pill->panel()->width(), CallStrip::tallWidth + 2 * CallPillView::shadow);
    EXPECT_GT(pill->panel()->height(), stripHeight - 1);

    pill->setMini(true);
    makePill();
    EXPECT_TRUE(pill->mini());
    EXPECT_TRUE(pill->tall());
}

TEST_F(CallPillTest, APressOnTheSmallButtonThatHardlyMovesOpensTheStripAndADragSnaps) {
    settings.setCallPillCorner(QPoint(500, 300));
    pill->setMini(true);
    startCall();
    const QPoint origin = pill->panel()->pos();
    const QPoint press = origin + QPoint(20, 30);

    mouse(QEvent::MouseButtonPress, press);
    mouse(QEvent::MouseMove, press + QPoint(2, 2));
    EXPECT_EQ(pill->panel()->pos(), origin) << "2.8 pixels is not a drag";
    mouse(QEvent::MouseButtonRelease, press + QPoint(2, 2));
    EXPECT_FALSE(pill->mini()) << "a click opens the strip";

    pill->setMini(true);
    scheduler.advance(0);
    const QPoint small = pill->panel()->pos();
    const QPoint grab = small + QPoint(20, 30);
    // Dropped with its left edge 30 pixels from the screen's: it snaps to the edge.
    const QPoint drop = grab + QPoint(30 - small.x(), 40);
    mouse(QEvent::MouseButtonPress, grab);
    mouse(QEvent::MouseMove, grab + QPoint(-3, 0));
    mouse(QEvent::MouseMove, drop);
    EXPECT_EQ(pill->panel()->pos(), QPoint(30, small.y() + 40));
    mouse(QEvent::MouseButtonRelease, drop);
    EXPECT_TRUE(pill->mini());
    EXPECT_EQ(pill->panel()->pos(), QPoint(0, small.y() + 40));
    EXPECT_EQ(settings.callPillCorner()->x(), pill->panel()->width());

    // 40 pixels away is far enough not to snap.
    const QRect away(40, 200, 50, 82);
    EXPECT_EQ(CallPillPlacement::snapped(away, twoScreens), CallPillPlacement::corner(away));
    const QRect nearRight(920, 200, 50, 82);
    EXPECT_EQ(CallPillPlacement::snapped(nearRight, twoScreens), QPoint(1000, 200));
}

TEST_F(CallPillTest, TheSavedCardStaysEightSecondsUnlessANewerCardReplacedIt) {
    const QUuid first = startCall({line("You", 1, "Hello there, everyone", 3.0)});
    endCall();
    ASSERT_EQ(pill->savedID(), first);
    EXPECT_EQ(view().current(), view().card());
    EXPECT_EQ(pill->panel()->width(), CallSavedCard::width + 2 * CallPillView::shadow);
    EXPECT_EQ(view().card()->value("Words"), "3");
    EXPECT_EQ(view().card()->value("Uploaded"), "0 bytes");

    scheduler.advance(5);
    const QUuid second = startCall();
    EXPECT_FALSE(pill->savedID());
    endCall();
    scheduler.advance(3.5);
    EXPECT_EQ(pill->savedID(), second) << "the first card's timer leaves the second alone";
    EXPECT_TRUE(pill->isShowing());
    scheduler.advance(4.5);
    EXPECT_FALSE(pill->savedID());
    EXPECT_FALSE(pill->isShowing());
}

TEST_F(CallPillTest, TheSavedCardGoesWithItsDeletedCallAndWhenOpened) {
    const QUuid gone = startCall();
    endCall();
    store.remove(gone);
    EXPECT_FALSE(pill->isShowing());

    const QUuid kept = startCall();
    endCall();
    state.setTab(Tab::home);
    view().card()->openButton()->click();
    EXPECT_EQ(state.tab(), Tab::meetings);
    EXPECT_EQ(state.meetingID(), kept);
    EXPECT_EQ(opened, 1);
    EXPECT_FALSE(pill->savedID());
    EXPECT_FALSE(pill->isShowing());
}

TEST_F(CallPillTest, TheNewestLineShowsAsTypedAndATalkingSideWithoutTextIsListening) {
    const QUuid id = startCall({line("Them", 1, "first", 2.0), line("You", 4, "<b>x</b>", 6.0)});
    EXPECT_EQ(strip().latestName(), "You");
    EXPECT_EQ(strip().latestText(), "<b>x</b>");
    const auto shown = strip().findChildren<QLabel*>();
    EXPECT_TRUE(std::all_of(shown.begin(), shown.end(),
                            [](QLabel* l) {
                                return l->text().isEmpty() || l->textFormat() == Qt::PlainText;
                            }));

    levels.setThemTalking(true);
    EXPECT_EQ(strip().latestName(), "Them");
    EXPECT_EQ(strip().latestText(), "listening…");

    MeetingLine draft = line("Them", 7, "so the plan", 8.0);
    draft.draft = true;
    store.addLine(id, draft);
    EXPECT_EQ(strip().latestText(), "so the plan");

    levels.setThemTalking(false);
    startCall();
    activity.systemAudioOK = false;
    pill->update();
    EXPECT_EQ(strip().latestText(),
              "Only your side is being heard. Computer audio can't be captured right now.");
}

TEST_F(CallPillTest, EngineTroubleSaysWhetherTheAudioIsKept) {
    startCall();
    EXPECT_EQ(strip().warning(), "");
    activity.engineTrouble = true;
    settings.setCallAudioDays(30);
    pill->update();
    EXPECT_EQ(strip().warning(), "Speech engine isn't responding. The audio is saved, so you can "
                                 "transcribe it again after the call.");
    settings.setCallAudioDays(0);
    pill->update();
    EXPECT_EQ(strip().warning(), "Speech engine isn't responding. Trying to restart it…");
}

TEST_F(CallPillTest, TheLiveTranscriptListsEveryLineThenWhoIsBeingHeard) {
    pill->setTall(true);
    MeetingLine draft = line("Them", 5, "and then", 6.0);
    draft.draft = true;
    startCall({line("You", 1, "one", 2.0), draft});
    CallLiveTranscript& live = *strip().transcript();
    EXPECT_EQ(live.rowCount(), 2);
    levels.setYouTalking(true);
    levels.setThemTalking(true);
    EXPECT_TRUE(live.talkingRows()->youWaiting());
    EXPECT_FALSE(live.talkingRows()->themWaiting()) << "its words are arriving in the draft";
    EXPECT_LE(live.sizeHint().height(), CallLiveTranscript::maxHeight);
}

// Enlarged, the strip's transcript reads as the store does through a line that lands between
// others and takes an echo with it, a line that grows and one that is deleted.
TEST_F(CallPillTest, TheLiveTranscriptFollowsEachLineThatChanges) {
    pill->setTall(true);
    const QString echoed = "see you all at the review";
    const QUuid id = startCall({line("You", 10, echoed, 12.0), line("Them", 30, "bye now", 31.0)});
    const CallLiveTranscript& live = *strip().transcript();
    const auto shown = [&live] {
        QStringList out;
        for (int i = 0; i < live.rowCount(); ++i)
            out << live.rowText(i);
        return out;
    };
    const MeetingLine them = line("Them", 14, echoed, 16.0);
    store.addLine(id, them);
    store.appendToLine(id, them.id, "and then lunch", 18, SpeakerKey::them());
    EXPECT_EQ(shown(), (QStringList{echoed + " and then lunch", "bye now"}));
    store.setText(id, them.id, QString());
    EXPECT_EQ(shown(), QStringList{"bye now"});
}
