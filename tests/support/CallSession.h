#pragma once

#include "support/PulseTools.h"
#include "support/WaitFor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

// Calls recorded by the real executable against the private sound server of
// tests/fixtures/with-pulse.sh: a private HOME, and a copy of the executable with the stand-in
// engine beside it, answering each voice by its pitch ("pitch-replies" of the stand-in). The
// target defines VOXMERE_BIN and STANDIN_ENGINE.
class CallSession {
  public:
    QTemporaryDir home, engine;

    explicit CallSession(const QByteArray& pitchReplies) {
        write(engine.filePath("model.bin"), {});
        EXPECT_TRUE(QFile::copy(VOXMERE_BIN, program));
        EXPECT_TRUE(QFile::link(STANDIN_ENGINE, engine.filePath("whisper-server")));
        write(engine.filePath("pitch-replies"), pitchReplies);
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
    static QByteArray read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // A file or folder in the application's data folder.
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
    QString markdown(const QString& id) const {
        return QString::fromUtf8(read(data("meetings/" + meeting(id).value("file").toString())));
    }

    QString audio(const QString& id, const QString& side, const QString& ext) const {
        return data("meetings/audio/" + id + "-" + side + "." + ext);
    }
    // Both sides compressed: the last step after a call, once its speakers are found.
    bool packed(const QString& id) const {
        for (const char* side : {"you", "them"})
            if (!QFileInfo(audio(id, side, "m4a")).size() ||
                QFileInfo::exists(audio(id, side, "wav")))
                return false;
        return true;
    }

    void setEnv(const QString& name, const QString& value) { env.insert(name, value); }

    int logCount(const QString& text) const {
        return int(QString::fromUtf8(read(data("debug.log"))).count(text));
    }

  private:
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QString program = engine.filePath("voxmere");
};

// Samples as the bytes pacat plays.
inline QByteArray pcm(const std::vector<int16_t>& samples, double gain = 1) {
    QByteArray out(qsizetype(samples.size() * 2), 0);
    auto* to = reinterpret_cast<int16_t*>(out.data());
    for (size_t i = 0; i < samples.size(); ++i)
        to[i] = int16_t(samples[i] * gain);
    return out;
}

// Plays into a sink and waits until it has been heard.
inline void play(const QString& sink, const QByteArray& audio) {
    auto player = playSamples(sink, audio, 16000);
    ASSERT_TRUE(player->waitForFinished(int(audio.size() / 32) + 10000));
}

// Each line of a meeting as "who|speaker|text", lower case, drafts marked with a leading "~".
inline QStringList lines(const QJsonObject& meeting) {
    QStringList out;
    for (const auto& v : meeting.value("lines").toArray()) {
        const QJsonObject l = v.toObject();
        out.append((l.value("draft").toBool() ? "~" : "") + l.value("who").toString() + "|" +
                   l.value("speaker").toString() + "|" + l.value("text").toString().toLower());
    }
    return out;
}
