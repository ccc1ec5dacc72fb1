#include "calls/SpeakerFinder.h"

#include "core/Paths.h"
#include "core/Wav.h"
#include "meetings/CallAudio.h"
#include "meetings/MeetingStore.h"
#include "meetings/People.h"
#include "support/CallWork.h"
#include "support/MeetingSamples.h"
#include "support/TempSettings.h"
#include "support/WaitFor.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

using MeetingSamples::key;
using MeetingSamples::line;
using Turn = Speakers::Turn;

TEST(SpeakerAssignment, GivesEachLineTheSpeakerWhoSaidMostOfIt) {
    const QList<Turn> turns{{0, 6, 1}, {6, 9, 2}, {20, 26, 1}, {26, 27.5, 2}, {40, 41, 2}};
    const QList<MeetingLine> lines{line("Them", 0, "mixed", 9),  line("Them", 20, "mostly", 29),
                                   line("Them", 40.2, "short", 40.4), line("Them", 42.9, "near"),
                                   line("Them", 43.0, "far"),      line("You", 0, "mine", 9)};
    const auto a = SpeakerFinder::assign(lines, turns, 2);
    EXPECT_EQ(a.keys.value(lines[0].id), key("S1"));
    EXPECT_EQ(a.keys.value(lines[1].id), key("S1"));
    // 10.2 s long counts as a whole second, so it overlaps the turn at 40 s.
    EXPECT_EQ(a.keys.value(lines[2].id), key("S2"));
    EXPECT_EQ(a.keys.value(lines[3].id), key("S2")); // 2.9 s from the nearest turn
    EXPECT_FALSE(a.keys.contains(lines[4].id)); // 3.0 s: keeps its speaker
    EXPECT_FALSE(a.keys.contains(lines[5].id));
    ASSERT_EQ(a.mixed.size(), 1); // 6 s and 3 s; 6 s and 1.5 s is not mixed
    EXPECT_EQ(a.mixed[0].line.id, lines[0].id);
    EXPECT_EQ(a.mixed[0].minority, 3);

    const auto one = SpeakerFinder::assign(lines, {{0, 9, 1}}, 1);
    EXPECT_EQ(one.keys.value(lines[0].id, key("unset")), std::nullopt);
    EXPECT_TRUE(one.mixed.isEmpty());
}

namespace {
std::vector<int16_t> loud(double seconds, double hz = 100) {
    std::vector<int16_t> out(size_t(seconds * 16000));
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = int16_t(8000 * std::sin(2 * M_PI * hz * double(i) / 16000));
    return out;
}
} // namespace

TEST(SpeakerSplit, CutsAtTheQuietestMomentNearEachChange) {
    auto samples = loud(10);
    std::fill(samples.begin() + 4200 * 16, samples.begin() + 4250 * 16, 0);
    QList<std::pair<double, double>> asked;
    const SpeakerFinder::Ask ask = [&](const QByteArray& wav, const QString&) {
        asked.append({0, double(wav.size() - Wav::headerSize) / 2 / 16000});
        return std::optional<QString>("Well, I think we should ship it this week.");
    };
    const MeetingLine mixed = line("Them", 1, "both", 9);
    const auto pieces =
        SpeakerFinder::split(mixed, {{0, 4, 1}, {4, 9, 2}, {9, 9.3, 1}}, samples, {}, ask);
    ASSERT_TRUE(pieces);
    ASSERT_EQ(pieces->size(), 2);
    EXPECT_EQ((*pieces)[0].t, 1);
    EXPECT_NEAR(*(*pieces)[0].e, 4.225, 1e-9);
    EXPECT_EQ((*pieces)[0].speaker, key("S1"));
    EXPECT_NEAR((*pieces)[1].t, 4.225, 1e-9);
    EXPECT_EQ((*pieces)[1].e, 9);
    EXPECT_EQ((*pieces)[1].speaker, key("S2"));
    ASSERT_EQ(asked.size(), 2);
    EXPECT_NEAR(asked[0].second, 3.225 + 0.06, 1e-3); // padded by 30 ms each side

    const SpeakerFinder::Ask gaveUp = [](const QByteArray&, const QString&) {
        return std::optional<QString>();
    };
    EXPECT_FALSE(SpeakerFinder::split(mixed, {{0, 4, 1}, {4, 9, 2}}, samples, {}, gaveUp));
    EXPECT_FALSE(SpeakerFinder::split(mixed, {{0, 9, 1}, {8.7, 9.1, 2}}, samples, {}, ask));
}

namespace {
// A meeting with its far side's audio, a speaker folder with the stand-in program, and a
// voiceprint that is just whether the voice is high.
struct Finder : CallWork {
    std::unique_ptr<SpeakerFinder> finder;
    Meeting meeting = MeetingSamples::meeting();

    Finder() {
        const QString tool = speakers.tool();
        QFile::copy(SPEAKERS_STANDIN, tool);
        MeetingSamples::write(dir.filePath("speakers/segmentation.onnx"), "x");
        MeetingSamples::write(dir.filePath("speakers/embedding.onnx"), "x");
        finder = std::make_unique<SpeakerFinder>(SpeakerFinder::Services{
            temp.settings, store, audio, speakers, people,
            [](Speakers::Samples s) -> std::optional<Speakers::Print> {
                if (s.size() < 32000)
                    return std::nullopt;
                int crossings = 0;
                for (size_t i = 1; i < 1600; ++i)
                    crossings += (s[i - 1] < 0) != (s[i] < 0);
                return crossings > 35 ? Speakers::Print{0, 1} : Speakers::Print{1, 0};
            },
            engine.function()});
    }
    void record(const std::vector<int16_t>& them, const QList<MeetingLine>& lines) {
        meeting.lines = lines;
        store.add(meeting);
        MeetingSamples::write(audio.url(meeting.id, SpeakerKey::them(), "wav"), Wav::bytes(them));
    }
    const Meeting& now() const { return *store.find(meeting.id); }
};

std::vector<int16_t> join(std::initializer_list<std::vector<int16_t>> parts) {
    std::vector<int16_t> out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}
} // namespace

TEST(SpeakerFinding, LabelsGuessesAndSplitsTheFarSideThenCallsThenOnce) {
    Finder f;
    f.people.remember("Ann", Speakers::Print{0, 1});
    const auto low = loud(4), high = loud(4, 250);
    f.record(join({low, high, low, high}),
             {line("Them", 0, "one", 3.5), line("Them", 4, "two", 7.5), line("You", 5, "me", 6),
              line("Them", 8, "one and two", 15.5)});
    f.store.update(f.meeting.id, [](Meeting& m) {
        m.names = Meeting::Names{{key("S2"), "Old name"}, {key("You"), "Me"}};
    });
    int thens = 0;
    f.finder->findSpeakers(f.meeting.id, std::nullopt, [&] { ++thens; });
    int refused = 0;
    f.finder->findSpeakers(f.meeting.id, std::nullopt, [&] { ++refused; });
    EXPECT_EQ(refused, 1);
    EXPECT_TRUE(f.finder->speakersID());

    // The last line holds both voices, 4 s each: it is transcribed again in two pieces.
    ASSERT_TRUE(waitFor([&] { return f.engine.waiting() == 1; }));
    EXPECT_TRUE(f.finder->splittingID());
    f.engine.answer("We looked at the numbers again this morning.");
    ASSERT_TRUE(waitFor([&] { return f.engine.waiting() == 1; }));
    f.engine.answer("And they still do not add up for me at all.");
    ASSERT_TRUE(waitFor([&] { return thens == 1; }));
    EXPECT_FALSE(f.finder->busy());

    const Meeting& m = f.now();
    QList<SpeakerKey> keys;
    for (const auto& l : m.lines)
        keys << l.key();
    EXPECT_EQ(keys, (QList{key("S1"), key("S2"), key("You"), key("S1"), key("S2")}));
    EXPECT_EQ(m.lines[4].text, "And they still do not add up for me at all.");
    EXPECT_EQ(m.names, (Meeting::Names{{key("You"), "Me"}}));
    EXPECT_EQ(m.guesses, (Meeting::Names{{key("S2"), "Ann"}}));
}

TEST(SpeakerFinding, OneVoiceMakesEveryLinePlainThemAndAFailedRunKeepsTheNames) {
    Finder f;
    f.record(loud(6), {line("Them", 0, "one", 5)});
    f.store.update(f.meeting.id, [](Meeting& m) {
        m.lines[0].speaker = key("S3");
        m.names = Meeting::Names{{key("S3"), "Bo"}};
    });
    bool done = false;
    f.finder->findSpeakers(f.meeting.id, 0, [&] { done = true; });
    ASSERT_TRUE(waitFor([&] { return done; }));
    EXPECT_EQ(f.now().lines[0].key(), key("Them"));

    Finder broken;
    broken.record(loud(6), {line("Them", 0, "one", 5)});
    broken.store.update(broken.meeting.id, [](Meeting& m) {
        m.lines[0].speaker = key("S3");
        m.names = Meeting::Names{{key("S3"), "Bo"}};
        m.guesses = Meeting::Names{{key("S3"), "Bea"}};
    });
    MeetingSamples::write(broken.speakers.tool(), "#!/bin/sh\nexit 1\n");
    done = false;
    broken.finder->findSpeakers(broken.meeting.id, std::nullopt, [&] { done = true; });
    ASSERT_TRUE(waitFor([&] { return done; }));
    EXPECT_EQ(broken.now().names, (Meeting::Names{{key("S3"), "Bo"}}));
    EXPECT_EQ(broken.now().guesses, (Meeting::Names{{key("S3"), "Bea"}}));
    EXPECT_FALSE(broken.finder->busy());
}

TEST(SpeakerFinding, QuittingDuringASplitDoesNotWaitForTheEngine) {
    Finder f;
    const auto low = loud(4), high = loud(4, 250);
    f.record(join({low, high}), {line("Them", 0, "one and two", 7.5)});
    f.finder->findSpeakers(f.meeting.id, std::nullopt, {});
    ASSERT_TRUE(waitFor([&] { return f.engine.waiting() == 1; }));
    f.finder.reset();
    f.engine.answer("Too late for anyone to hear.");
}
