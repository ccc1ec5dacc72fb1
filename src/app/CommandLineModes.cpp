#include "app/CommandLineModes.h"

#include "app/MeetingTestMode.h"
#include "app/App.h"
#include "app/RenameMode.h"
#include "app/SnapshotMode.h"
#include "app/SpeakerModes.h"
#include "audio/MicListing.h"
#include "audio/PulseMicCapture.h"
#include "calls/CallDetector.h"
#include "meetings/VoicePrint.h"
#include "platform/PulseContext.h"
#include "ui/widgets/AppIcon.h"

#include <QCoreApplication>
#include <QTextStream>

namespace CommandLineModes {

const QList<CommandLineMode>& table() {
    using Kind = CommandLineMode::Kind;
    static const QList<CommandLineMode> modes = {
        {"--list-mics", Kind::onItsOwn, 0, false,
         [](const QStringList&) {
             PulseContext pulse(QCoreApplication::applicationName());
             QTextStream out(stdout);
             return MicListing::print(out, PulseMicCapture::inputDevices(pulse));
         },
         {}},
        {"--list-audio", Kind::onItsOwn, 0, false,
         [](const QStringList&) {
             PulseContext pulse(QCoreApplication::applicationName());
             QTextStream out(stdout);
             out << CallDetector::appsUsingMic(pulse).join('\n') << '\n';
             out.flush();
             return 0;
         },
         {}},
        {"--snapshot", Kind::onItsOwn, 1, true, &SnapshotMode::run, {}},
        {"--make-icon", Kind::onItsOwn, 1, true,
         [](const QStringList& args) {
             const QString file = args.at(args.indexOf("--make-icon") + 1);
             return AppIcon::render(1024).save(file, "PNG") ? 0 : 1;
         },
         {}},
        {"--speakers-test", Kind::onItsOwn, 1, false,
         [](const QStringList& args) {
             QTextStream out(stdout);
             return SpeakerModes::speakersTest(args, out);
         },
         {}},
        {"--voice-test", Kind::onItsOwn, 1, false,
         [](const QStringList& args) {
             QTextStream out(stdout);
             return SpeakerModes::voiceTest(args, out);
         },
         {}},
        // Hidden: loads a speaker-embedding model in a process of its own, since a damaged one
        // takes down the process that loads it.
        {VoicePrint::checkFlag, Kind::onItsOwn, 2, false,
         [](const QStringList& args) {
             const qsizetype at = args.indexOf(VoicePrint::checkFlag);
             return VoicePrint::loadCheck(args.at(at + 1), args.at(at + 2));
         },
         {}},
        {"--dictate-test", Kind::onTheUsersData, 2, false, {},
         [](App& app, const QStringList& args) { app.dictateTest(args); }, {}},
        {"--rename", Kind::onTheUsersData, 3, false, {},
         [](App& app, const QStringList& args) { RenameMode::run(args, app.meetings()); },
         &RenameMode::wanted},
        {"--find-speakers", Kind::onTheUsersData, 1, false, {},
         [](App& app, const QStringList& args) {
             SpeakerModes::findSpeakers(args, app.speakerFinder());
         },
         [](const QStringList& args) { return SpeakerModes::hasMeetingID(args, "--find-speakers"); }},
        {"--retranscribe", Kind::onTheUsersData, 1, false, {},
         [](App& app, const QStringList& args) {
             SpeakerModes::retranscribe(args, app.retranscription());
         },
         [](const QStringList& args) { return SpeakerModes::hasMeetingID(args, "--retranscribe"); }},
        {"--meeting-test", Kind::onTheUsersData, 1, false, {},
         [](App& app, const QStringList& args) { MeetingTestMode::run(args, app.callRecorder()); },
         &MeetingTestMode::wanted},
    };
    return modes;
}

std::optional<CommandLineMode> find(const QStringList& args, const QList<CommandLineMode>& modes) {
    for (const CommandLineMode& mode : modes) {
        const qsizetype at = args.indexOf(mode.flag);
        if (at >= 0 && args.size() - at - 1 >= mode.values && (!mode.accepts || mode.accepts(args)))
            return mode;
    }
    return std::nullopt;
}

} // namespace CommandLineModes
