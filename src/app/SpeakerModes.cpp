#include "app/SpeakerModes.h"

#include "calls/Retranscriber.h"
#include "calls/SpeakerFinder.h"
#include "meetings/AudioFile.h"
#include "meetings/Speakers.h"
#include "meetings/VoicePrint.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSet>
#include <QTimer>
#include <QUuid>

namespace {
constexpr int delayMs = 3000;

Speakers speakerFolder() {
    return Speakers(Speakers::defaultDir(QCoreApplication::applicationDirPath()));
}

VoicePrint voicePrint(const Speakers& speakers) {
    return VoicePrint(speakers.library(), speakers.embeddingModel(),
                      VoicePrint::childCheck(QCoreApplication::applicationFilePath()));
}

QUuid meetingID(const QStringList& args, const QString& flag) {
    return QUuid::fromString(args.at(args.indexOf(flag) + 1));
}
} // namespace

namespace SpeakerModes {

int speakersTest(const QStringList& args, QTextStream& out) {
    const auto samples = AudioFile::read(args.at(args.indexOf("--speakers-test") + 1));
    if (!samples)
        return 1;
    const Speakers speakers = speakerFolder();
    VoicePrint prints = voicePrint(speakers);
    const auto raw = speakers.find(*samples, std::nullopt).value_or(QList<Speakers::Turn>());
    QSet<int> groups;
    for (const auto& t : raw)
        groups.insert(t.speaker);
    out << "raw groups: " << groups.size() << '\n';
    const auto merged = Speakers::merge(raw, *samples, [&](Speakers::Samples s) {
        return prints.of(s);
    });
    for (const auto& t : merged)
        out << QString::asprintf("%7.1f %7.1f S%d", t.start, t.end, t.speaker) << '\n';
    out.flush();
    return 0;
}

int voiceTest(const QStringList& args, QTextStream& out) {
    const Speakers speakers = speakerFolder();
    VoicePrint prints = voicePrint(speakers);
    QList<std::pair<QString, std::optional<VoicePrint::Print>>> files;
    for (const QString& file : args.mid(args.indexOf("--voice-test") + 1)) {
        const auto samples = AudioFile::read(file);
        files.append({QFileInfo(file).fileName(), samples ? prints.of(*samples) : std::nullopt});
    }
    for (qsizetype i = 0; i < files.size(); ++i)
        for (qsizetype j = i + 1; j < files.size(); ++j)
            if (files[i].second && files[j].second)
                out << QString::asprintf(
                           "%.2f  %s  %s",
                           VoicePrint::similarity(*files[i].second, *files[j].second),
                           qPrintable(files[i].first), qPrintable(files[j].first))
                    << '\n';
    out.flush();
    return 0;
}

bool hasMeetingID(const QStringList& args, const QString& flag) {
    const qsizetype at = args.indexOf(flag);
    return at >= 0 && at + 1 < args.size() && !QUuid::fromString(args[at + 1]).isNull();
}

void findSpeakers(const QStringList& args, SpeakerFinder& finder) {
    const QUuid id = meetingID(args, "--find-speakers");
    QTimer::singleShot(delayMs, &finder,
                       [&finder, id] { finder.findSpeakers(id, std::nullopt, {}); });
}

void retranscribe(const QStringList& args, Retranscriber& retranscriber) {
    const QUuid id = meetingID(args, "--retranscribe");
    QTimer::singleShot(delayMs, &retranscriber,
                       [&retranscriber, id] { retranscriber.retranscribe(id); });
}

} // namespace SpeakerModes
