#include "support/PulseTools.h"
#include "support/Speech.h"
#include "support/WaitFor.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

// Calls recorded by the real executable against the private sound server, with the stand-in
// engine answering each voice by its pitch: "low" words for a low voice, "high" for a high one.
namespace {
const QString lowWords = "our budget looks healthy";
const QString highWords = "can we review quarterly numbers";

QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray pcm(const std::vector<int16_t>& samples, double gain = 1) {
    QByteArray out(qsizetype(samples.size() * 2), 0);
    auto* to = reinterpret_cast<int16_t*>(out.data());
    for (size_t i = 0; i < samples.size(); ++i)
        to[i] = int16_t(samples[i] * gain);
    return out;
}

void play(const QString& sink, const QByteArray& audio) {
    auto player = playSamples(sink, audio, 16000);
    ASSERT_TRUE(player->waitForFinished(int(audio.size() / 32) + 10000));
}

// A private HOME and a copy of the executable with the stand-in engine beside it.
struct Session {
    QTemporaryDir home, engine;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QString program = engine.filePath("voxmere");

    Session() {
        QFile model(engine.filePath("model.bin"));
        model.open(QIODevice::WriteOnly);
        EXPECT_TRUE(QFile::copy(VOXMERE_BIN, program));
        EXPECT_TRUE(QFile::link(STANDIN_ENGINE, engine.filePath("whisper-server")));
        write(engine.filePath("pitch-replies"),
              "140 " + lowWords.toUtf8() + "\n1000 " + highWords.toUtf8() + "\n");
        env.insert("HOME", home.path());
        env.insert("XDG_DATA_HOME", home.filePath(".local/share"));
        env.insert("XDG_CONFIG_HOME", home.filePath(".config"));
        env.insert("XDG_CACHE_HOME", home.filePath(".cache"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("VOXMERE_MODEL", engine.filePath("model.bin"));
        env.insert("VOXMERE_MODEL_URL", "http://127.0.0.1:9/none");
        env.insert("VOXMERE_STANDIN_DIR", engine.path());
    }
    static void write(const QString& path, const QByteArray& data) {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }

    QString data(const QString& name = {}) const {
        return home.filePath(".local/share/Voxmere/" + name);
    }

    std::unique_ptr<QProcess> launch(const QStringList& args) const {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->setStandardOutputFile(QProcess::nullDevice());
        p->start(program, args);
        EXPECT_TRUE(p->waitForStarted());
        return p;
    }

    static void quit(QProcess& app) {
        app.terminate();
        EXPECT_TRUE(app.waitForFinished(10000));
    }

    QStringList meetingIDs() const {
        QStringList ids;
        for (const QString& f : QDir(data("meetings")).entryList({"*.json"}, QDir::Files))
            ids.append(QFileInfo(f).completeBaseName());
        return ids;
    }

    QString waitForNewMeeting(const QStringList& before) const {
        QString found;
        waitFor(
            [&] {
                for (const QString& id : meetingIDs())
                    if (!before.contains(id))
                        found = id;
                return !found.isEmpty();
            },
            30000);
        return found;
    }

    QJsonObject meeting(const QString& id) const {
        return QJsonDocument::fromJson(read(data("meetings/" + id + ".json"))).object();
    }

    QString audio(const QString& id, const QString& side, const QString& ext) const {
        return data("meetings/audio/" + id + "-" + side + "." + ext);
    }

    bool packed(const QString& id) const {
        for (const char* side : {"you", "them"})
            if (!QFileInfo(audio(id, side, "m4a")).size() ||
                QFileInfo::exists(audio(id, side, "wav")))
                return false;
        return true;
    }

    // Microphone frames the echo gate replaced by silence, from the line logged when the call stops.
    int silencedFrames() const {
        static const QRegularExpression silenced("silenced=(\\d+)/");
        const auto found = silenced.match(QString::fromUtf8(read(data("debug.log"))));
        return found.hasMatch() ? found.captured(1).toInt() : -1;
    }

    int logCount(const QString& text) const {
        return int(QString::fromUtf8(read(data("debug.log"))).count(text));
    }
};

// Each line as "who|speaker|text", drafts marked with a leading "~".
QStringList lines(const QJsonObject& meeting) {
    QStringList out;
    for (const auto& v : meeting.value("lines").toArray()) {
        const QJsonObject l = v.toObject();
        out.append((l.value("draft").toBool() ? "~" : "") + l.value("who").toString() + "|" +
                   l.value("speaker").toString() + "|" + l.value("text").toString().toLower());
    }
    return out;
}

bool hasLine(const QJsonObject& meeting, const QString& who, const QString& words) {
    for (const QString& l : lines(meeting))
        if (l.startsWith(who + "|") && l.contains(words))
            return true;
    return false;
}

} // namespace

// The far side plays on the speakers and leaks into the microphone at a third of its level, as
// from laptop speakers; then the user speaks. A call application holds the microphone meanwhile.
TEST(CallProcess, BothSidesAreWrittenLiveAndTheFarSidesEchoIsNeverTheUser) {
    const auto them = speech("Can we review the quarterly numbers before Friday, please?", 95);
    const auto you = speech("I think our budget looks healthy for the next quarter.", 5);
    ASSERT_FALSE(them.empty() || you.empty()) << "espeak-ng and sox are needed";
    Session s;
    const QString zoomCopy = s.engine.filePath("zoom");
    ASSERT_TRUE(QFile::copy("/usr/bin/pacat", zoomCopy));
    QProcess zoom;
    zoom.setStandardOutputFile(QProcess::nullDevice());
    zoom.start(zoomCopy, {"--record", "--device=mic"});
    ASSERT_TRUE(zoom.waitForStarted());

    auto app = s.launch({"--background", "--meeting-test", "32"});
    const QString id = s.waitForNewMeeting({});
    ASSERT_FALSE(id.isEmpty());
    auto far = playSamples("speakers", pcm(them), 16000);
    auto leak = playSamples("micsink", pcm(them, 0.33), 16000);
    finish(*far);
    finish(*leak);
    EXPECT_TRUE(waitFor(
        [&] { return hasLine(s.meeting(id), "Them", highWords) && !s.meeting(id).contains("end"); },
        8000))
        << "the far side is written while the call records";
    QThread::msleep(1500);
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
    zoom.kill();
    zoom.waitForFinished();
}

TEST(CallProcess, ACallCutOffBySigkillIsRecoveredOnceAtTheNextLaunch) {
    const auto them = speech("Can we review the quarterly numbers before Friday, please?", 95);
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
