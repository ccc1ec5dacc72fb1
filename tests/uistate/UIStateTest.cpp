#include "uistate/UIState.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(UIState, StartsOnHomeWithEngineNotReadyAndTrusted) {
    UIState s;
    EXPECT_EQ(s.tab(), Tab::home);
    EXPECT_FALSE(s.engineReady());
    EXPECT_TRUE(s.axTrusted());
    EXPECT_FALSE(s.modelProgress().has_value());
    EXPECT_FALSE(s.meetingID().has_value());
}

TEST(UIState, SignalsOnlyRealChanges) {
    UIState s;
    QSignalSpy ready(&s, &UIState::engineReadyChanged);
    QSignalSpy progress(&s, &UIState::modelProgressChanged);
    s.setEngineReady(true);
    s.setEngineReady(true);
    s.setModelProgress(0.5);
    s.setModelProgress(0.5);
    s.setModelProgress(std::nullopt);
    EXPECT_EQ(ready.count(), 1);
    EXPECT_EQ(progress.count(), 2);
}

TEST(Tab, TitlesInSidebarOrderIdentifyTheTabs) {
    QStringList titles;
    for (Tab t : Tabs::allCases())
        titles << Tabs::rawValue(t);
    EXPECT_EQ(titles, (QStringList{"Home", "History", "Calls", "Vocabulary", "Settings"}));
    EXPECT_EQ(Tabs::fromRawValue("Calls"), Tab::meetings);
    EXPECT_FALSE(Tabs::fromRawValue("Meetings").has_value());
}
