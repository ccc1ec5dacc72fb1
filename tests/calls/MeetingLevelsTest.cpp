#include "calls/MeetingLevels.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(MeetingLevels, SettersNotifyOnlyOnChangeAndResetSilencesBothSides) {
    MeetingLevels levels;
    QSignalSpy you(&levels, &MeetingLevels::youChanged);
    QSignalSpy talking(&levels, &MeetingLevels::themTalkingChanged);

    levels.setYou(0.25f);
    levels.setYou(0.25f);
    levels.setThemTalking(true);
    levels.setThem(0.1f);
    levels.setYouTalking(true);
    EXPECT_EQ(you.count(), 1);
    EXPECT_EQ(talking.count(), 1);

    levels.reset();
    EXPECT_EQ(levels.you(), 0.0f);
    EXPECT_EQ(levels.them(), 0.0f);
    EXPECT_FALSE(levels.youTalking());
    EXPECT_FALSE(levels.themTalking());
    EXPECT_EQ(you.count(), 2);
    EXPECT_EQ(talking.count(), 2);
}
