#include "meetings/Speakers.h"

#include "core/Paths.h"
#include "support/MeetingSamples.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <map>

using Turn = Speakers::Turn;

TEST(SpeakersParse, KeepsOnlyWellFormedTurnLinesAndNumbersByFirstAppearance) {
    const QString out = "log: starting\n"
                        "  4.0   --  6.5  speaker_00 \n"
                        "1.0 -- 3.0 speaker_03\n"
                        "2.0\t--\t3.0\tspeaker_01\n"
                        "7.0 -- 8.0\n"
                        "7.0 -- 8.0 speaker_01 extra\n"
                        "7.0 - 8.0 speaker_01\n"
                        "7.0 -- 8.0 spk_01\n"
                        "nan -- 8.0 speaker_01\n"
                        "9.0 -- 9.0 speaker_01\n"
                        "-1.0 -- 2.0 speaker_01\n"
                        "\n"
                        "6.5 -- 9.0 speaker_03\n";
    EXPECT_EQ(Speakers::parse(out),
              (QList<Turn>{{1.0, 3.0, 1}, {4.0, 6.5, 2}, {6.5, 9.0, 1}}));
    EXPECT_TRUE(Speakers::parse("Elapsed seconds: 1.2\n").isEmpty());
}

namespace {
// A far side where each speaker's audio holds its own number, so the fake voiceprint can tell
// whose audio it was given.
struct Call {
    QList<Turn> turns;
    std::vector<int16_t> samples;
    std::map<int, std::optional<Speakers::Print>> prints;

    void add(int speaker, double start, double end) {
        turns.append({start, end, speaker});
        samples.resize(std::max(samples.size(), size_t(end * 16000)));
        std::fill(samples.begin() + qsizetype(start * 16000), samples.begin() + qsizetype(end * 16000),
                  int16_t(speaker));
    }
    QList<Turn> merged() const {
        return Speakers::merge(turns, samples, [this](Speakers::Samples audio) {
            return audio.empty() ? std::nullopt : prints.at(audio[0]);
        });
    }
};

// Two unit prints whose similarity is `s`.
Speakers::Print along(float s) {
    return {s, std::sqrt(1 - s * s)};
}
const Speakers::Print first{1, 0};
} // namespace

TEST(SpeakersMerge, TheSmallerSpeakerDecidesHowAlikeVoicesMustBe) {
    Call apart;
    apart.add(1, 0, 50);
    apart.add(2, 50, 110);
    apart.prints = {{1, first}, {2, along(0.77f)}};
    EXPECT_EQ(apart.merged(), apart.turns);

    Call together;
    together.add(1, 0, 40);
    together.add(2, 40, 100);
    together.prints = {{1, first}, {2, along(0.77f)}};
    EXPECT_EQ(together.merged(), (QList<Turn>{{0, 40, 1}, {40, 100, 1}}));
}

TEST(SpeakersMerge, FoldsShortSpeakersThatSoundLikeAnother) {
    Call call;
    call.add(1, 0, 60);
    call.add(2, 60, 80);  // 20 s, folded at 0.35
    call.add(3, 80, 110); // 30 s is never short
    call.add(1, 110, 120);
    call.prints = {{1, first}, {2, along(0.35f)}, {3, along(0.36f)}};
    const Speakers::Print away{-1, 0};
    call.prints[3] = away;
    EXPECT_EQ(call.merged(),
              (QList<Turn>{{0, 60, 1}, {60, 80, 1}, {80, 110, 2}, {110, 120, 1}}));
}

TEST(SpeakersMerge, FoldsTheUnprintableIntoTheMainSpeakerAndRenumbersWithoutGaps) {
    Call call;
    call.add(2, 0, 10); // no print: joins the speaker with the most speech
    call.add(1, 10, 70);
    call.add(3, 70, 130);
    call.prints = {{1, Speakers::Print{0, 1}}, {2, std::nullopt}, {3, Speakers::Print{1, 0}}};
    EXPECT_EQ(call.merged(), (QList<Turn>{{0, 10, 1}, {10, 70, 1}, {70, 130, 2}}));

    call.prints = {{1, std::nullopt}, {2, std::nullopt}, {3, std::nullopt}};
    EXPECT_EQ(call.merged(), call.turns);
}

namespace {
// A speaker folder whose program is the stand-in, or a script given in its place.
struct Folder {
    QTemporaryDir dir;
    explicit Folder(const QString& script = {}) {
        QDir().mkpath(dir.filePath("bin"));
        const QString tool = dir.filePath("bin/sherpa-onnx-offline-speaker-diarization");
        if (script.isEmpty())
            QFile::copy(SPEAKERS_STANDIN, tool);
        else
            MeetingSamples::write(tool, ("#!/bin/sh\n" + script).toUtf8());
        QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        MeetingSamples::write(dir.filePath("segmentation.onnx"), "x");
        MeetingSamples::write(dir.filePath("embedding.onnx"), "x");
    }
};

std::vector<int16_t> tones(const QList<std::pair<double, double>>& parts) {
    std::vector<int16_t> out;
    for (const auto& [seconds, hz] : parts)
        for (int i = 0; i < int(seconds * 16000); ++i)
            out.push_back(int16_t(hz > 0 ? 8000 * std::sin(2 * M_PI * hz * i / 16000) : 0));
    return out;
}

QStringList scratchFiles() {
    return QDir(Paths::dataFile("tmp")).entryList(QDir::Files);
}
} // namespace

TEST(SpeakersFind, RunsTheProgramOnAPrivateFileThatIsAlwaysRemoved) {
    Paths::ensureDataDir();
    Folder folder;
    const Speakers speakers(folder.dir.path());
    ASSERT_TRUE(speakers.available());
    const auto audio = tones({{2, 100}, {1, 0}, {2, 250}, {2, 100}});
    EXPECT_EQ(speakers.find(audio, std::nullopt),
              (QList<Turn>{{0, 2, 1}, {3, 5, 2}, {5, 7, 1}}));
    EXPECT_EQ(speakers.find(audio, 1), (QList<Turn>{{0, 2, 1}, {3, 7, 1}}));
    EXPECT_TRUE(scratchFiles().isEmpty());
    EXPECT_EQ(QFile::permissions(Paths::dataFile("tmp")) & 0x0077, 0);

    EXPECT_FALSE(speakers.find({}, std::nullopt));
    QFile::remove(folder.dir.filePath("segmentation.onnx"));
    EXPECT_FALSE(speakers.available());
}

TEST(SpeakersFind, AFailingHungOrGarbledProgramFindsNothing) {
    Paths::ensureDataDir();
    const auto audio = tones({{2, 200}});
    // The arguments as the real program takes them, and the library folder it needs.
    Folder failing("echo \"$@\" \"$LD_LIBRARY_PATH\"; exit 3\n");
    EXPECT_FALSE(Speakers(failing.dir.path()).find(audio, 0));
    const QString log = MeetingSamples::read(Paths::dataFile("debug.log"));
    EXPECT_TRUE(log.contains("speakers failed status=3"));

    Folder hung("exec sleep 30\n");
    // Four times the audio's length, or the minimum, whichever is longer.
    EXPECT_FALSE(Speakers(hung.dir.path(), 0.5).find(tones({{0.1, 200}}), std::nullopt));

    Folder garbled("printf '1.0 -- 2.0 speaker_\\377\\n'\n");
    EXPECT_FALSE(Speakers(garbled.dir.path()).find(audio, std::nullopt));
    EXPECT_TRUE(scratchFiles().isEmpty());
}

TEST(SpeakersFind, PassesTheCountOrThresholdClusteringAndItsLibraryFolder) {
    Paths::ensureDataDir();
    Folder echo("here=$(dirname \"$0\")/..\n"
                "printf '%s\\n' \"$@\" \"${LD_LIBRARY_PATH%%:*}\" > \"$here/args.txt\"\n");
    const QString dir = echo.dir.path();
    const auto arguments = [&](std::optional<int> count) {
        EXPECT_EQ(Speakers(dir).find(tones({{1, 200}}), count), QList<Turn>());
        return QString(MeetingSamples::read(dir + "/args.txt")).split('\n');
    };
    const QStringList three = arguments(3);
    ASSERT_EQ(three.size(), 8);
    EXPECT_EQ(three.mid(0, 5),
              (QStringList{"--segmentation.pyannote-model=" + dir + "/segmentation.onnx",
                           "--embedding.model=" + dir + "/embedding.onnx",
                           "--embedding.num-threads=4", "--segmentation.num-threads=2",
                           "--clustering.num-clusters=3"}));
    EXPECT_TRUE(three[5].endsWith(".wav"));
    EXPECT_EQ(three[6], dir + "/lib");
    EXPECT_EQ(arguments(0)[4], "--clustering.cluster-threshold=0.5");
    EXPECT_EQ(arguments(std::nullopt)[4], "--clustering.cluster-threshold=0.5");
}
