#include "meetings/VoicePrint.h"

#include "core/Paths.h"
#include "support/MeetingSamples.h"
#include "support/Speech.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using Windows = QList<std::pair<qsizetype, qsizetype>>;

TEST(VoicePrintWindows, ShortAudioIsPrintedWholeAndLongAudioIn8SecondWindows) {
    EXPECT_EQ(VoicePrint::windows(31999), Windows());
    EXPECT_EQ(VoicePrint::windows(32000), (Windows{{0, 32000}}));
    EXPECT_EQ(VoicePrint::windows(192000), (Windows{{0, 192000}}));
    EXPECT_EQ(VoicePrint::windows(192001), (Windows{{0, 128000}, {128000, 192001}}));
    // Less than 3 s left after a window is not worth another.
    EXPECT_EQ(VoicePrint::windows(300000), (Windows{{0, 128000}, {128000, 256000}}));
    EXPECT_EQ(VoicePrint::windows(250000), (Windows{{0, 128000}, {128000, 250000}}));
}

TEST(VoicePrintAudio, TakesTheLongestRangesOfAtLeastOneSecondUpToTheLimit) {
    std::vector<int16_t> samples(16000 * 20);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = int16_t(i / 16000);
    const QList<VoicePrint::Range> ranges{{0, 0.5}, {10, 15}, {2, 5}};
    const auto four = VoicePrint::audio(samples, ranges, 4);
    ASSERT_EQ(four.size(), 5u * 16000);
    EXPECT_EQ(four.front(), 10);
    const auto all = VoicePrint::audio(samples, ranges, 60);
    ASSERT_EQ(all.size(), 8u * 16000);
    EXPECT_EQ(all[5 * 16000], 2);
    EXPECT_EQ(VoicePrint::audio(samples, {{19, 25}}, 60).size(), 16000u);
    EXPECT_EQ(VoicePrint::audio(samples, {{2.3, 3.3}}, 60).size(), 16000u);
}

TEST(VoicePrintMath, ComparesOnlyPrintsOfOneLength) {
    EXPECT_EQ(VoicePrint::similarity({1, 0}, {1, 0, 0}), -1);
    EXPECT_EQ(VoicePrint::similarity({}, {}), 0);
    EXPECT_FLOAT_EQ(VoicePrint::similarity({0.6f, 0.8f}, {1, 0}), 0.6f);
    EXPECT_EQ(VoicePrint::unit({3, 4}), (VoicePrint::Print{0.6f, 0.8f}));
    EXPECT_EQ(VoicePrint::unit({0, 0}), (VoicePrint::Print{0, 0}));
}

namespace {
// A speaker folder with the real library and a model made for the test.
struct Library {
    QTemporaryDir dir;
    QString model = dir.filePath("embedding.onnx");

    explicit Library(const QStringList& modelArgs = {}) {
        QDir().mkpath(dir.filePath("lib"));
        for (const char* name : {"libsherpa-onnx-c-api.so", "libonnxruntime.so"})
            QFile::link(QString(SHERPA_ONNX_LIB) + "/" + name, dir.filePath("lib/") + name);
        QProcess make;
        make.start("/usr/bin/python3", QStringList{MAKE_EMBEDDING_MODEL, model} + modelArgs);
        make.waitForFinished(60000);
    }
    VoicePrint voicePrint() const {
        return VoicePrint(dir.filePath("lib/libsherpa-onnx-c-api.so"), model,
                          VoicePrint::childCheck(VOXMERE_EXECUTABLE));
    }
};

QString debugLogText() {
    return MeetingSamples::read(Paths::dataFile("debug.log"));
}
} // namespace

TEST(VoicePrintLibrary, TellsALowVoiceFromAHighOne) {
    Library lib;
    ASSERT_TRUE(QFile::exists(lib.model)) << "python3-onnx is needed";
    VoicePrint prints = lib.voicePrint();
    const auto low1 = prints.of(speech("Thanks everyone for joining the call today.", 5));
    const auto low2 = prints.of(speech("Let us go through the numbers for this quarter.", 5));
    const auto high = prints.of(speech("Let us go through the numbers for this quarter.", 95));
    ASSERT_TRUE(low1 && low2 && high) << "espeak-ng and sox are needed";
    EXPECT_EQ(low1->size(), 32u);
    EXPECT_NEAR(VoicePrint::similarity(*low1, *low1), 1, 1e-5);
    EXPECT_GT(VoicePrint::similarity(*low1, *low2), 0.8);
    // Apart enough that neither is taken for a short stretch of the other.
    EXPECT_LT(VoicePrint::similarity(*low2, *high), 0.35);
    EXPECT_FALSE(prints.of(std::vector<int16_t>(31999, 1000)));
}

TEST(VoicePrintLibrary, SurvivesADamagedModelAndOneWithoutMetadata) {
    Paths::ensureDataDir();
    Library bare({"--no-metadata"});
    VoicePrint noMetadata = bare.voicePrint();
    const auto voice = speech("Thanks everyone for joining the call today.");
    EXPECT_FALSE(noMetadata.of(voice));
    EXPECT_TRUE(debugLogText().contains("voiceprint: model failed to load"));

    Library damaged;
    MeetingSamples::write(damaged.model, "not a model");
    VoicePrint broken = damaged.voicePrint();
    EXPECT_FALSE(broken.of(voice));
    // Never tried again in this process.
    MeetingSamples::write(damaged.model, MeetingSamples::read(Library().model));
    EXPECT_FALSE(broken.of(voice));

    VoicePrint missing("/nonexistent/libsherpa-onnx-c-api.so", damaged.model, {});
    EXPECT_FALSE(missing.of(voice));
    EXPECT_TRUE(debugLogText().contains("voiceprint: can't open library"));
}
