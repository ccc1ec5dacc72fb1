#include "support/FocusApp.h"
#include "support/WaitFor.h"
#include "support/RunningVoxmere.h"
#include "support/TestEnvironment.h"
#include "xkeys/XKeys.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <gtest/gtest.h>

#include <memory>

// The real voxmere on a private X server, accessibility bus and sound server, with the stand-in
// engine under the real engine's name: keys through XTest, speech into the virtual microphone.
namespace {

// The release grace, and what the microphone's feed adds: the player returns only once the feed's
// null sink has played everything, and that sink's latency and rewinds follow the size of the
// microphone's 0.2 s fragments.
constexpr double releaseAfter = 0.25 + 0.5;

QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The length of the WAV inside a multipart request.
double wavSeconds(const QByteArray& body) {
    const qsizetype riff = body.indexOf("RIFF");
    if (riff < 0 || body.size() < riff + 44)
        return -1;
    return qFromLittleEndian<quint32>(body.constData() + riff + 40) / 32000.0;
}

class Speech {
  public:
    explicit Speech(const QString& words) {
        QProcess::execute("espeak-ng", {"-w", path(), words});
        QProcess soxi;
        soxi.start("soxi", {"-D", path()});
        soxi.waitForFinished();
        seconds = soxi.readAllStandardOutput().trimmed().toDouble();
    }
    QString path() const { return dir.filePath("speech.wav"); }
    // Into the virtual microphone, in real time.
    void play() const { QProcess::execute("paplay", {"--device=micsink", path()}); }

    QTemporaryDir dir;
    double seconds = 0;
};

class DictationEndToEnd : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { voxmere = std::make_unique<RunningVoxmere>(); }
    static void TearDownTestSuite() { voxmere.reset(); }

    void SetUp() override {
        ASSERT_TRUE(voxmere->running());
        ASSERT_TRUE(RunningVoxmere::engineAnswers());
        ASSERT_TRUE(app.waitFor(QString("ready %1").arg(app.process.processId())));
        before = requests();
    }

    static int requests() { return voxmere->requests(); }
    static QByteArray body(int n) { return voxmere->body(n); }
    static void reply(const QByteArray& lines) { voxmere->reply(lines); }
    static QByteArray history() {
        return read(TestEnvironment::home() + "/.local/share/Voxmere/history.json");
    }
    static QByteArray debugLog() {
        return read(TestEnvironment::home() + "/.local/share/Voxmere/debug.log");
    }
    void holdAndSpeak(const Speech& speech) {
        ASSERT_TRUE(sendKeys({"+Alt_R"}));
        speech.play();
        ASSERT_TRUE(sendKeys({"-Alt_R"}));
    }

    static inline std::unique_ptr<RunningVoxmere> voxmere;
    FocusApp app;
    int before = 0;
};

} // namespace

TEST_F(DictationEndToEnd, HeldKeySpeechArrivesInTheFocusedFieldAndTheHistory) {
    ASSERT_TRUE(app.focus("field"));
    reply("text hello from the field test\n");
    const Speech speech("hello from the field test");
    holdAndSpeak(speech);
    ASSERT_TRUE(app.waitFor("text:Hello from the field test"));
    ASSERT_EQ(requests(), before + 1);
    // Held from before the speech to after it, then the release grace.
    EXPECT_NEAR(wavSeconds(body(before + 1)), speech.seconds + releaseAfter, 0.35);
    // The history is written on its own thread, which a busy machine may run after the paste.
    EXPECT_TRUE(waitFor([] { return history().contains("\"text\":\"Hello from the field test\""); }))
        << history().toStdString();
    EXPECT_TRUE(history().contains("\"app\":\"focusapp\""));
}

TEST_F(DictationEndToEnd, OnAButtonTheTextIsOnTheClipboard) {
    ASSERT_TRUE(app.focus("button"));
    reply("text nothing to type into\n");
    holdAndSpeak(Speech("nothing to type into"));
    ASSERT_TRUE(QTest::qWaitFor(
        [] { return debugLog().contains("app=focusapp trusted=true field=notEditable"); }, 5000));
    QTest::qWait(600); // confirmed 0.3 s later, the card 0.2 s after the paste
    QProcess xclip;
    xclip.start("xclip", {"-o", "-selection", "clipboard"});
    xclip.waitForFinished();
    EXPECT_EQ(xclip.readAllStandardOutput(), "Nothing to type into");
}

TEST_F(DictationEndToEnd, TabWhileHoldingCancelsAndSendsNothing) {
    ASSERT_TRUE(app.focus("field"));
    const Speech speech("this is cancelled");
    ASSERT_TRUE(sendKeys({"+Alt_R"}));
    speech.play();
    ASSERT_TRUE(sendKeys({"Tab", "-Alt_R"}));
    QTest::qWait(1500);
    EXPECT_EQ(requests(), before);
}

TEST_F(DictationEndToEnd, ATapLatchesUntilTheSecondPress) {
    ASSERT_TRUE(app.focus("field"));
    reply("text latched on\n");
    ASSERT_TRUE(sendKeys({"+Alt_R", "-Alt_R"}));
    Speech("latched on").play();
    EXPECT_EQ(requests(), before) << "still recording after the tap";
    ASSERT_TRUE(sendKeys({"+Alt_R", "-Alt_R"}));
    EXPECT_TRUE(app.waitFor("text:Latched on"));
    EXPECT_EQ(requests(), before + 1);
}

TEST_F(DictationEndToEnd, ThirtySecondsArriveAsTwoPiecesJoined) {
    ASSERT_TRUE(app.focus("field"));
    reply("text the first piece\ntext and the second\n");
    const Speech speech(QString("a long dictation that keeps going and going. ").repeated(12));
    ASSERT_GT(speech.seconds, 25);
    holdAndSpeak(speech);
    ASSERT_TRUE(app.waitFor("text:The first piece and the second", 10000));
    EXPECT_EQ(requests(), before + 2);
    EXPECT_NEAR(wavSeconds(body(before + 1)) + wavSeconds(body(before + 2)),
                speech.seconds + releaseAfter, 0.35);
}
