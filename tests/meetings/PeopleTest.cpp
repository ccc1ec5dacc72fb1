#include "meetings/People.h"

#include "core/Paths.h"
#include "meetings/Meeting.h"
#include "settings/Settings.h"
#include "support/MeetingSamples.h"
#include "support/TempSettings.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

namespace {
using MeetingSamples::key;

struct FixedClock : Clock {
    double t = 1e9;
    double now() const override { return t; }
};

struct PeopleTest : testing::Test {
    QTemporaryDir dir;
    QString path = dir.filePath("people.json");
    TempSettings temp;
    FixedClock clock;
    std::unique_ptr<People> make(const QList<Meeting>& meetings = {}) {
        return std::make_unique<People>(path, temp.settings, meetings, clock);
    }
};
} // namespace

TEST_F(PeopleTest, LearnsAVoiceAsTheMeanOfWhatItHeardAndKeepsTheFirstSpelling) {
    auto people = make();
    people->remember("  Ann ", People::Print{1, 0});
    clock.t += 10;
    people->remember("Bob", std::nullopt);
    clock.t += 10;
    people->remember("ann", People::Print{0, 1});
    for (const QString& none : {"you", "THEM", "   "})
        people->remember(none, People::Print{1, 0});
    ASSERT_EQ(people->all().size(), 2);
    const People::Person ann = people->all().last();
    EXPECT_EQ(ann.name, "Ann");
    EXPECT_EQ(ann.heard, 2);
    EXPECT_NEAR((*ann.voice)[0], std::sqrt(0.5), 1e-6);
    EXPECT_EQ(people->names(), (QStringList{"Ann", "Bob"}));

    // A print of another length starts the voice afresh.
    people->remember("Ann", People::Print{1, 0, 0});
    EXPECT_EQ(people->all().last().voice, (People::Print{1, 0, 0}));
    EXPECT_EQ(people->all().last().heard, 3);

    people->flush();
    EXPECT_EQ(make()->all(), people->all());
    EXPECT_TRUE(QString(MeetingSamples::read(path)).contains(QString("\"used\":%1").arg(1e9 + 20 - 978307200, 0, 'g', 17)));
}

TEST_F(PeopleTest, GuessesOnlyClearBestMatchesEachPersonOnce) {
    auto people = make();
    people->remember("Ann", People::Print{1, 0, 0});
    people->remember("Bea", People::Print{0, 1, 0});
    // S1 matches Ann at 0.70 and Bea at 0.65: too close to call.
    const People::Print s1{0.70f, 0.65f, std::sqrt(1 - 0.70f * 0.70f - 0.65f * 0.65f)};
    EXPECT_TRUE(people->guess({{key("S1"), s1}}, {}).isEmpty());
    // With Bea left out, Ann alone at 0.70 is a guess; at 0.64 it is not.
    EXPECT_EQ(people->guess({{key("S1"), s1}}, {"bea"}),
              (QHash<SpeakerKey, QString>{{key("S1"), "Ann"}}));
    EXPECT_TRUE(people->guess({{key("S1"), {0.64f, 0, 0.768f}}}, {"bea"}).isEmpty());
    // Two speakers both best matching Ann: only the closer one gets her.
    EXPECT_EQ(
        people->guess({{key("S1"), {0.95f, 0, 0.31f}}, {key("S2"), {0.90f, 0, 0.43f}}}, {"bea"}),
        (QHash<SpeakerKey, QString>{{key("S1"), "Ann"}}));

    temp.settings.setRecogniseVoices(false);
    EXPECT_TRUE(people->guess({{key("S1"), People::Print{1, 0, 0}}}, {}).isEmpty());
    people->remember("Cy", People::Print{1, 0, 0});
    EXPECT_FALSE(people->all().last().voice);
}

TEST_F(PeopleTest, ImportsNamesFromMeetingsAndKeepsAnUnreadableFile) {
    MeetingSamples::write(path, "{not json");
    Meeting m = MeetingSamples::meeting();
    m.names = Meeting::Names{{key("S1"), "Dee"}, {key("You"), "you"}, {key("S2"), ""}};
    auto people = make({m});
    people->flush();
    ASSERT_EQ(people->all().size(), 1);
    EXPECT_EQ(people->all()[0].used, double(m.start.toSecsSinceEpoch()));
    EXPECT_EQ(QDir(dir.path()).entryList({"people.json.unreadable-*"}).size(), 1);
    EXPECT_EQ(make()->all(), people->all());

    people->forgetVoices();
    people->forget("DEE");
    EXPECT_TRUE(people->all().isEmpty());
}
