#include "ui/floating/CallPrompt.h"
#include "delivery/OverlayPanel.h"
#include "support/ManualScheduler.h"
#include "support/TempSettings.h"
#include "ui/floating/CallPromptView.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

class CallPromptTest : public ::testing::Test {
  protected:
    TempSettings temp;
    Settings& settings = temp.settings;
    ManualScheduler scheduler;
    CallPrompt prompt{{settings, scheduler}};
    int recorded = 0;

    void offer(const QString& app) {
        prompt.show(app, [this] { ++recorded; });
    }
    CallPromptView& view() { return *prompt.view(); }
};

} // namespace

TEST_F(CallPromptTest, TheOfferSitsInTheTopRightCornerAndLeavesAfter25Seconds) {
    offer("Zoom");
    ASSERT_TRUE(prompt.isShowing());
    EXPECT_EQ(view().title(), "Zoom call starting");
    EXPECT_EQ(view().detail(), "Want notes? Let the others know first.");
    EXPECT_TRUE(view().recordButton()->isVisibleTo(prompt.panel()));
    EXPECT_TRUE(view().notNowButton()->isVisibleTo(prompt.panel()));
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect frame = prompt.panel()->geometry();
    EXPECT_EQ(frame.right(), area.right() - CallPrompt::margin);
    EXPECT_EQ(frame.top(), area.top() + CallPrompt::margin);

    scheduler.advance(24.9);
    EXPECT_TRUE(prompt.isShowing());
    scheduler.advance(0.2);
    EXPECT_FALSE(prompt.isShowing());
    EXPECT_EQ(recorded, 0);
}

TEST_F(CallPromptTest, TheTimersOfAnOlderPromptLeaveANewerOneAlone) {
    settings.setShowCallPill(false);
    offer("Zoom");
    scheduler.advance(20);
    view().recordButton()->click();
    // Within the Zoom confirmation's 3 s and its offer's 25 s.
    scheduler.advance(1);
    offer("Google Meet");
    scheduler.advance(10);
    ASSERT_TRUE(prompt.isShowing());
    EXPECT_EQ(view().title(), "Google Meet call starting");
    EXPECT_TRUE(view().recordButton()->isVisibleTo(prompt.panel()));
    scheduler.advance(14.9);
    EXPECT_TRUE(prompt.isShowing());
    scheduler.advance(0.2);
    EXPECT_FALSE(prompt.isShowing());
    EXPECT_EQ(recorded, 1);
}

TEST_F(CallPromptTest, NotNowTakesThePromptAwayWithoutRecording) {
    offer("Slack");
    view().notNowButton()->click();
    scheduler.advance(0);
    EXPECT_FALSE(prompt.isShowing());
    EXPECT_EQ(recorded, 0);
}

TEST_F(CallPromptTest, WithTheCallStripRecordHandsOverAtOnce) {
    settings.setShowCallPill(true);
    offer("Zoom");
    view().recordButton()->click();
    EXPECT_EQ(recorded, 1);
    scheduler.advance(0);
    EXPECT_FALSE(prompt.isShowing());
    EXPECT_FALSE(prompt.model.started());
}

TEST_F(CallPromptTest, WithoutTheCallStripRecordConfirmsForItsOwnThreeSeconds) {
    settings.setShowCallPill(false);
    offer("Zoom");
    const int offerHeight = prompt.panel()->height();
    scheduler.advance(23);
    view().recordButton()->click();
    EXPECT_EQ(recorded, 1);
    EXPECT_LT(prompt.panel()->height(), offerHeight) << "placed again without the buttons";
    EXPECT_EQ(view().title(), "Recording Zoom");
    EXPECT_EQ(view().detail(), "Stop from the menu bar icon or the Calls tab.");
    EXPECT_FALSE(view().recordButton()->isVisibleTo(prompt.panel()));
    EXPECT_FALSE(view().notNowButton()->isVisibleTo(prompt.panel()));
    scheduler.advance(2.9);
    EXPECT_TRUE(prompt.isShowing()) << "the offer's 25 s do not cut the confirmation short";
    scheduler.advance(0.2);
    EXPECT_FALSE(prompt.isShowing());
}
