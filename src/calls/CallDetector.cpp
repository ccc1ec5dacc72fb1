#include "calls/CallDetector.h"

#include "calls/MeetingRecorder.h"
#include "core/DebugLog.h"
#include "core/Scheduler.h"
#include "platform/PulseContext.h"
#include "platform/PulseSourceOutput.h"
#include "settings/Settings.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>

namespace {
const QString ownIdentifier = QStringLiteral("com.qerin.voxmere");
constexpr int quietPollsBeforeStop = 4;
constexpr int parentsLookedAt = 8;

// The parent of a process, from the end of its name's brackets in /proc (names may hold blanks).
qint64 parentOf(qint64 pid) {
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() : 0;
}

QString callSiteIn(const QString& title) {
    const QString t = title.toLower();
    if (t.contains("meet"))
        return "Google Meet";
    if (t.contains("teams"))
        return "Microsoft Teams";
    if (t.contains("zoom"))
        return "Zoom";
    if (t.contains("whatsapp"))
        return "WhatsApp";
    return {};
}
} // namespace

CallDetector::CallDetector(Services services, QObject* parent)
    : QObject(parent), s(std::move(services)) {}

CallDetector::~CallDetector() = default;

const QList<CallDetector::CallApp>& CallDetector::callApps() {
    static const QList<CallApp> apps = {
        {"us.zoom.", "Zoom"},
        {"com.microsoft.teams", "Microsoft Teams"},
        {"net.whatsapp.", "WhatsApp"},
        {"com.apple.FaceTime", "FaceTime"},
        {"com.apple.avconferenced", "FaceTime"},
        {"com.tinyspeck.slackmacgap", "Slack"},
        {"com.hnc.Discord", "Discord"},
        {"com.cisco.webex", "Webex"},
        {"Cisco-Systems.Spark", "Webex"},
        {"org.whispersystems.signal-desktop", "Signal"},
        {"ru.keepcoder.Telegram", "Telegram"},
        {"com.google.Chrome", "Chrome", true},
        {"com.apple.Safari", "Safari", true},
        {"com.apple.WebKit", "Safari", true},
        {"company.thebrowser.Browser", "Arc", true},
        {"com.microsoft.edgemac", "Edge", true},
        {"org.mozilla.firefox", "Firefox", true},
        {"com.brave.Browser", "Brave", true},
        // The names Linux applications record under: process binaries and desktop ids.
        {"zoom", "Zoom"},
        {"ZoomWebinar", "Zoom"},
        {"us.zoom.Zoom", "Zoom"},
        {"teams", "Microsoft Teams"},
        {"teams-for-linux", "Microsoft Teams"},
        {"com.github.IsmaelMartinez.teams_for_linux", "Microsoft Teams"},
        {"whatsapp", "WhatsApp"},
        {"slack", "Slack"},
        {"com.slack.Slack", "Slack"},
        {"discord", "Discord"},
        {"Discord", "Discord"},
        {"com.discordapp.Discord", "Discord"},
        {"signal-desktop", "Signal"},
        {"org.signal.Signal", "Signal"},
        {"telegram-desktop", "Telegram"},
        {"org.telegram.desktop", "Telegram"},
        {"webex", "Webex"},
        {"chrome", "Chrome", true},
        {"google-chrome", "Chrome", true},
        {"chromium", "Chrome", true},
        {"org.chromium.Chromium", "Chrome", true},
        {"firefox", "Firefox", true},
        {"org.mozilla.firefox", "Firefox", true},
        {"brave", "Brave", true},
        {"com.brave.Browser", "Brave", true},
        {"msedge", "Edge", true},
        {"microsoft-edge", "Edge", true},
    };
    return apps;
}

QList<CallDetector::MicUser> CallDetector::micUsers(const std::vector<PulseSourceOutput>& outputs,
                                                    qint64 ownPid) {
    QList<MicUser> users;
    for (const PulseSourceOutput& out : outputs) {
        const bool filter = out.client == PA_INVALID_INDEX || out.role == "filter";
        if (out.fromMonitor || filter || (ownPid && out.pid == ownPid))
            continue;
        const QString id = !out.portalAppId.isEmpty() ? out.portalAppId
                           : !out.appId.isEmpty()     ? out.appId
                                                      : out.binary;
        if (!id.isEmpty() && !id.startsWith(ownIdentifier))
            users.append({id, out.pid, out.corked});
    }
    return users;
}

QList<CallDetector::MicUser> CallDetector::currentMicUsers(PulseContext& context) {
    return micUsers(PulseSourceOutput::list(context),
                    QCoreApplication::applicationPid());
}

QStringList CallDetector::appsUsingMic(PulseContext& context) {
    QStringList ids;
    for (const MicUser& user : currentMicUsers(context))
        if (!user.corked)
            ids.append(user.id);
    return ids;
}

QString CallDetector::browserCallName(const QString& name, qint64 pid) const {
    if (!s.windowTitles)
        return name;
    // Browsers capture in a child process; the windows belong to the parent.
    for (int depth = 0; pid > 1 && depth < parentsLookedAt; ++depth, pid = parentOf(pid))
        for (const QString& title : s.windowTitles(pid))
            if (const QString site = callSiteIn(title); !site.isEmpty())
                return site;
    return name;
}

void CallDetector::start() {
    schedule();
}

void CallDetector::schedule() {
    s.main.after(this, pollSeconds, [this] {
        s.listMicUsers(
            [this, self = QPointer<QObject>(this), &main = s.main](QList<MicUser> users) {
                main.after(self, 0, [this, users] { poll(users); });
            });
        schedule();
    });
}

QHash<QString, CallDetector::Active> CallDetector::active(const QList<MicUser>& users,
                                                          bool withCorked) const {
    QHash<QString, Active> now;
    for (const MicUser& user : users) {
        if (user.corked && !withCorked)
            continue;
        const auto& apps = callApps();
        const auto row = std::find_if(apps.begin(), apps.end(),
                                      [&](const CallApp& a) { return user.id.startsWith(a.prefix); });
        if (row != apps.end())
            now.insert(row->name, {*row, user.pid});
    }
    return now;
}

void CallDetector::poll(const QList<MicUser>& users) {
    // Only a live stream is offered; a muted call that pauses its stream is still going on.
    const QHash<QString, Active> now = active(users, false);
    for (const QString& name : seen.keys())
        if (!now.contains(name)) {
            seen.remove(name);
            prompted.remove(name);
        }
    for (const QString& name : now.keys())
        seen[name] += 1;
    if (s.recorder.isRecording())
        return followRecording(active(users, true));
    quietPolls = 0;
    if (!s.settings.offerCallRecording() || s.recorder.finishing())
        return;
    QStringList names = now.keys();
    std::sort(names.begin(), names.end());
    for (const QString& name : names)
        if (seen.value(name) > 1 && !prompted.contains(name))
            return offer(name, now.value(name));
}

// A recording started by hand is never stopped here: only the application we offered for.
void CallDetector::followRecording(const QHash<QString, Active>& now) {
    const std::optional<QString>& key = s.recorder.sourceKey();
    if (!key)
        return;
    if (now.contains(*key)) {
        quietPolls = 0;
        return;
    }
    if (++quietPolls > quietPollsBeforeStop) {
        quietPolls = 0;
        s.recorder.stop();
    }
}

void CallDetector::offer(const QString& name, const Active& a) {
    prompted.insert(name);
    const QString call = a.app.browser ? browserCallName(name, a.pid) : name;
    debugLog("call detected app=" + call);
    emit offered(call, name);
}
