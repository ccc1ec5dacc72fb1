#include "meetings/CallAudio.h"
#include "ui/widgets/Brand.h"
#include "ui/floating/CallPromptModel.h"
#include "ui/floating/CallPromptView.h"

#include "support/CallSession.h"
#include "support/PulseTools.h"
#include "support/Speech.h"
#include "support/WaitFor.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLayout>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

// Calls recorded by the real executable against the private sound server, with the stand-in
// engine answering each voice by its pitch: "low" words for a low voice, "high" for a high one.
namespace {
const QString lowWords = "our budget looks healthy";
const QString highWords = "can we review quarterly numbers";

struct Session : CallSession {
    Session() : CallSession("140 " + lowWords.toUtf8() + "\n1000 " + highWords.toUtf8() + "\n") {}

    // Waits until the far side's file has grown by `seconds` of audio: the recorder hears it.
    bool hearThem(const QString& id, double seconds) const {
        const auto size = [&] { return QFileInfo(audio(id, "them", "wav")).size(); };
        const qint64 until = size() + qint64(seconds * 32000);
        return waitFor([&] { return size() > until; }, 10000);
    }

    // Microphone frames the echo gate replaced by silence, from the line logged when the call stops.
    int silencedFrames() const {
        static const QRegularExpression silenced("silenced=(\\d+)/");
        const auto found = silenced.match(QString::fromUtf8(read(data("debug.log"))));
        return found.hasMatch() ? found.captured(1).toInt() : -1;
    }
};

// The far side asks in a high voice; the user answers in a low one.
std::vector<int16_t> theirQuestion() {
    return speech("Can we review the quarterly numbers before Friday, please?", 95);
}
std::vector<int16_t> yourAnswer() {
    return speech("I think our budget looks healthy for the next quarter.", 5);
}

bool hasLine(const QJsonObject& meeting, const QString& who, const QString& words) {
    for (const QString& l : lines(meeting))
        if (l.startsWith(who + "|") && l.contains(words))
            return true;
    return false;
}

// A copy of pacat named `zoom` (a link would not do: the server names a client by its binary),
// holding the microphone as a call application would.
std::unique_ptr<QProcess> startZoom(const Session& s) {
    const QString copy = s.engine.filePath("zoom");
    if (!QFileInfo::exists(copy)) {
        EXPECT_TRUE(QFile::copy("/usr/bin/pacat", copy));
    }
    auto zoom = std::make_unique<QProcess>();
    zoom->setStandardOutputFile(QProcess::nullDevice());
    zoom->start(copy, {"--record", "--device=mic"});
    EXPECT_TRUE(zoom->waitForStarted());
    return zoom;
}

// Silence into a sink until the process is killed. A desktop's output keeps running; the
// private server's idle null sink instead gives a new monitor stream nothing for about 2 s, so
// what plays meanwhile reaches the far side that much later (an independent recorder of the
// monitor hears it just as late) while its leak into the microphone is heard at once.
std::unique_ptr<QProcess> playSilence(const QString& sink) {
    auto player = std::make_unique<QProcess>();
    player->setStandardInputFile("/dev/zero");
    player->start("pacat", {"--playback", "--device=" + sink, "--format=s16le", "--rate=16000",
                            "--channels=1"});
    EXPECT_TRUE(player->waitForStarted());
    return player;
}

QString output(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Where Voxmere's shown windows of this size are on the screen.
QList<QRect> voxmereWindows(QSize size) {
    QList<QRect> found;
    const QString ids = output("xdotool", {"search", "--onlyvisible", "--class", "voxmere"});
    for (const QString& id : ids.split('\n', Qt::SkipEmptyParts)) {
        QHash<QString, int> g;
        for (const QString& line : output("xdotool", {"getwindowgeometry", "--shell", id}).split('\n'))
            g.insert(line.section('=', 0, 0), line.section('=', 1).toInt());
        const QRect r(g["X"], g["Y"], g["WIDTH"], g["HEIGHT"]);
        if (r.size() == size)
            found.append(r);
    }
    return found;
}

// The Record button inside an offer for `app`, laid out as the application lays it out.
QRect recordButtonIn(const QString& app, QSize* panel) {
    CallPromptModel model;
    model.setApp(app);
    CallPromptView view(model);
    *panel = view.sizeHint();
    view.layout()->setGeometry(QRect(QPoint(), *panel));
    const QPushButton* b = view.recordButton();
    return {b->mapTo(&view, QPoint(0, 0)), b->size()};
}

bool isAccent(QRgb pixel) {
    const auto near = [pixel](const QColor& c) {
        return std::abs(qRed(pixel) - c.red()) + std::abs(qGreen(pixel) - c.green()) +
                   std::abs(qBlue(pixel) - c.blue()) < 24;
    };
    return near(Brand::accentFor(false)) || near(Brand::accentFor(true));
}

QImage screenshot() {
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage();
}

void click(QPoint at) {
    QProcess::execute("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y()),
                                  "click", "1"});
}

// Whether the application records both the microphone and the speakers' monitor yet.
bool capturesBothSides() {
    QHash<QString, QString> sourceNames;
    for (const QString& line : pactl({"list", "short", "sources"}).split('\n'))
        sourceNames.insert(line.section('\t', 0, 0), line.section('\t', 1, 1));
    QSet<QString> recorded;
    for (const QString& block : pactl({"list", "source-outputs"}).split("Source Output #")) {
        static const QRegularExpression source("\\bSource: (\\d+)");
        const auto m = source.match(block);
        if (m.hasMatch() && block.contains("application.process.binary = \"voxmere\""))
            recorded.insert(sourceNames.value(m.captured(1)));
    }
    return recorded.contains("mic") && recorded.contains("speakers.monitor");
}

// Seconds from the start of a side's audio (or from `from` seconds in) to the first 20 ms that
// is clearly loud; -1 when there is none.
double onset(const std::vector<int16_t>& samples, double from = 0) {
    constexpr size_t window = 320;
    for (size_t at = size_t(from * 16000) / window * window; at + window <= samples.size();
         at += window) {
        double sum = 0;
        for (size_t i = at; i < at + window; ++i)
            sum += double(samples[i]) * samples[i];
        if (std::sqrt(sum / window) > 0.05 * 32768)
            return double(at) / 16000;
    }
    return -1;
}

// Where a side's line with these words starts on the meeting clock; -1 when there is none.
double lineStart(const QJsonObject& meeting, const QString& who, const QString& words) {
    for (const auto& v : meeting.value("lines").toArray()) {
        const QJsonObject l = v.toObject();
        if (l.value("who").toString() == who && l.value("text").toString().toLower().contains(words))
            return l.value("t").toDouble();
    }
    return -1;
}

} // namespace

// A call application takes the microphone; the prompt offers to record it, "Record" starts the
// recording, both sides are written live and kept in step, and the recording stops on its own
// once the application has gone.
TEST(CallProcess, ACallIsRecordedFromThePromptAndStopsAfterItsApplicationHasGone) {
    // Turns longer than 4 s, so their first piece is written as a draft while they go on.
    const auto them = speech("Can we please review the quarterly numbers together before the "
                             "meeting on Friday afternoon? I would like to see them first.", 95);
    const auto you = speech("I think our budget looks healthy for the next quarter of the "
                            "year, and for the one after it. We should still be careful.", 5);
    ASSERT_FALSE(them.empty() || you.empty()) << "espeak-ng and sox are needed";
    ASSERT_NE(qgetenv("DISPLAY"), "") << "runs under tests/fixtures/with-x11.sh";
    auto output = playSilence("speakers");
    Session s;
    s.setEnv("QT_QPA_PLATFORM", "xcb");
    auto app = s.launch({"--background"});
    auto zoom = startZoom(s);

    QSize panel;
    const QRect button = recordButtonIn("Zoom", &panel);
    QList<QRect> prompts;
    ASSERT_TRUE(waitFor([&] { return !(prompts = voxmereWindows(panel)).isEmpty(); }, 20000))
        << "the prompt offers to record\n" << CallSession::read(s.data("debug.log")).toStdString();
    ASSERT_EQ(prompts.size(), 1);
    const QRect onScreen = button.translated(prompts[0].topLeft());
    // Painted once it is mapped: the picture shows the offer as the user sees it.
    QImage shot;
    EXPECT_TRUE(waitFor([&] {
        shot = screenshot();
        return isAccent(shot.pixel(onScreen.left() + 3, onScreen.center().y()));
    })) << "Record is drawn where it is clicked";
    shot.save("call-prompt.png");
    click(onScreen.center());
    const QString id = s.waitForNewMeeting({});
    ASSERT_FALSE(id.isEmpty()) << "Record starts the recording";
    EXPECT_EQ(s.meeting(id).value("title").toString(), "Zoom call");
    ASSERT_TRUE(waitFor(capturesBothSides, 10000));
    ASSERT_TRUE(s.hearThem(id, 1));

    // A beep into both sides at once, to find the two files' clocks by; too short to be speech.
    auto farBeep = playTone("speakers", 1000, 0.1);
    auto nearBeep = playTone("micsink", 1000, 0.1);
    finish(*farBeep);
    finish(*nearBeep);
    // The beep's frames are over before the speech starts, so it opens no turn of its own.
    ASSERT_TRUE(s.hearThem(id, 1.5));

    QSet<QString> drafted;
    QStringList now;
    const auto look = [&] {
        now = lines(s.meeting(id));
        for (const QString& l : now)
            if (l.startsWith("~"))
                drafted.insert(l.section('|', 0, 0));
    };
    const std::pair<QString, const std::vector<int16_t>*> turns[] = {{"speakers", &them},
                                                                      {"micsink", &you}};
    for (const auto& [sink, samples] : turns) {
        auto player = playSamples(sink, pcm(*samples), 16000);
        EXPECT_TRUE(waitFor([&] { look(); return player->state() == QProcess::NotRunning; }, 30000));
    }
    EXPECT_TRUE(waitFor([&] {
        look();
        return !now.filter(QRegularExpression("^You\\|.*" + lowWords)).isEmpty() &&
               !now.filter(QRegularExpression("^Them\\|.*" + highWords)).isEmpty();
    }, 15000)) << "both sides are written while the call records";
    EXPECT_TRUE(drafted.contains("~You") && drafted.contains("~Them"))
        << "each side's words show as a draft before the turn is final";

    zoom->terminate();
    ASSERT_TRUE(zoom->waitForFinished());
    QElapsedTimer gone;
    gone.start();
    ASSERT_TRUE(waitFor([&] { return s.meeting(id).contains("end"); }, 30000));
    // Five quiet polls 2 s apart: a call application that pauses is not a call that ended.
    EXPECT_GE(gone.elapsed(), 7000);
    EXPECT_LE(gone.elapsed(), 14000);
    ASSERT_TRUE(waitFor([&] { return s.packed(id); }, 30000));
    const QJsonObject m = s.meeting(id);
    EXPECT_FALSE(lines(m).join('\n').contains("~")) << "no draft outlives the call";

    CallAudio audio(s.data("meetings/audio"));
    const auto mine = audio.load(QUuid(id), SpeakerKey::you());
    const auto theirs = audio.load(QUuid(id), SpeakerKey::them());
    ASSERT_TRUE(mine && theirs);
    const double beep = onset(*theirs);
    ASSERT_GE(beep, 0);
    EXPECT_NEAR(onset(*mine), beep, 0.6) << "both sides on the meeting clock";
    const double spoken = onset(*theirs, beep + 1);
    EXPECT_NEAR(lineStart(m, "Them", highWords), spoken, 0.6)
        << "a line's time is its place in the audio";
    Session::quit(*app);
    output->kill();
    output->waitForFinished();
}

// The far side plays on the speakers and leaks into the microphone at a third of its level, as
// from laptop speakers; then the user speaks. A call application holds the microphone meanwhile.
TEST(CallProcess, BothSidesAreWrittenLiveAndTheFarSidesEchoIsNeverTheUser) {
    const auto them = theirQuestion(), you = yourAnswer();
    ASSERT_FALSE(them.empty() || you.empty()) << "espeak-ng and sox are needed";
    auto output = playSilence("speakers");
    Session s;
    auto zoom = startZoom(s);

    auto app = s.launch({"--background", "--meeting-test", "32"});
    const QString id = s.waitForNewMeeting({});
    ASSERT_FALSE(id.isEmpty());
    ASSERT_TRUE(s.hearThem(id, 1));
    auto far = playSamples("speakers", pcm(them), 16000);
    auto leak = playSamples("micsink", pcm(them, 0.33), 16000);
    finish(*far);
    finish(*leak);
    EXPECT_TRUE(waitFor(
        [&] { return hasLine(s.meeting(id), "Them", highWords) && !s.meeting(id).contains("end"); },
        8000))
        << "the far side is written while the call records";
    // The user answers after a pause.
    ASSERT_TRUE(s.hearThem(id, 1.5));
    play("micsink", pcm(you));

    ASSERT_TRUE(waitFor([&] { return s.packed(id); }, 45000)) << lines(s.meeting(id)).join('\n').toStdString();
    const QJsonObject m = s.meeting(id);
    const QString all = lines(m).join('\n');
    EXPECT_TRUE(m.contains("end"));
    EXPECT_FALSE(all.contains("~")) << "no draft outlives the call";
    EXPECT_TRUE(hasLine(m, "You", lowWords)) << all.toStdString();
    EXPECT_TRUE(hasLine(m, "Them", highWords)) << all.toStdString();
    EXPECT_FALSE(hasLine(m, "You", highWords)) << all.toStdString();
    EXPECT_GT(s.silencedFrames(), 0) << "the leak is silenced in the audio, not only in the text";
    EXPECT_FALSE(hasLine(m, "Them", lowWords)) << all.toStdString();
    Session::quit(*app);
    zoom->kill();
    zoom->waitForFinished();
    output->kill();
    output->waitForFinished();
}

TEST(CallProcess, ACallCutOffBySigkillIsRecoveredOnceAtTheNextLaunch) {
    const auto them = theirQuestion();
    ASSERT_FALSE(them.empty()) << "espeak-ng and sox are needed";
    Session s;
    auto crashed = s.launch({"--background", "--meeting-test", "120"});
    const QString id = s.waitForNewMeeting({});
    ASSERT_FALSE(id.isEmpty());
    play("speakers", pcm(them));
    ASSERT_TRUE(waitFor([&] { return hasLine(s.meeting(id), "Them", highWords); }, 15000));
    crashed->kill();
    crashed->waitForFinished();
    ASSERT_TRUE(QFileInfo::exists(s.audio(id, "them", "wav")));
    EXPECT_FALSE(s.meeting(id).contains("end"));

    auto next = s.launch({"--background"});
    ASSERT_TRUE(waitFor([&] { return s.packed(id); }, 40000));
    const QJsonObject recovered = s.meeting(id);
    EXPECT_TRUE(recovered.contains("end"));
    EXPECT_TRUE(hasLine(recovered, "Them", highWords)) << lines(recovered).join('\n').toStdString();
    EXPECT_EQ(s.logCount("cut-off call, transcribing again"), 1);
    Session::quit(*next);

    auto later = s.launch({"--background"});
    QThread::sleep(8);
    Session::quit(*later);
    EXPECT_EQ(s.logCount("cut-off call, transcribing again"), 1) << "recovered once only";
}

// The user switches to a headset and the speakers go away mid-call. The server would move a
// capture of the old speakers onto the microphone; the far side instead follows the new output
// at once and never hears the user.
TEST(CallProcess, TheFarSideFollowsANewOutputAndNeverHearsTheMicrophone) {
    const auto them = theirQuestion(), you = yourAnswer();
    ASSERT_FALSE(them.empty() || you.empty()) << "espeak-ng and sox are needed";
    auto speakers = playSilence("speakers");
    Session s;
    auto app = s.launch({"--background", "--meeting-test", "40"});
    const QString id = s.waitForNewMeeting({});
    ASSERT_FALSE(id.isEmpty());
    ASSERT_TRUE(s.hearThem(id, 1));

    pactl({"load-module", "module-null-sink", "sink_name=headset"});
    pactl({"set-default-sink", "headset"});
    auto headset = playSilence("headset");
    unloadSink("speakers");
    EXPECT_TRUE(waitFor([&] { return s.logCount("meeting tap on output headset") == 1; }, 4000))
        << "the far side follows the new output within the check's 3 s";
    play("micsink", pcm(you));
    ASSERT_TRUE(s.hearThem(id, 1));
    play("headset", pcm(them));
    EXPECT_TRUE(waitFor([&] { return hasLine(s.meeting(id), "Them", highWords); }, 15000))
        << lines(s.meeting(id)).join('\n').toStdString();
    EXPECT_TRUE(waitFor([&] { return hasLine(s.meeting(id), "You", lowWords); }, 15000));
    EXPECT_FALSE(hasLine(s.meeting(id), "Them", lowWords)) << "the microphone is never the far side";

    Session::quit(*app);
    for (auto* player : {speakers.get(), headset.get()}) {
        player->kill();
        player->waitForFinished();
    }
    pactl({"load-module", "module-null-sink", "sink_name=speakers"});
    pactl({"set-default-sink", "speakers"});
    unloadSink("headset");
}
