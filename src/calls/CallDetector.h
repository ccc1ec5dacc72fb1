#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class MeetingRecorder;
class PulseContext;
class Scheduler;
class Settings;
struct PulseSourceOutput;

// Notices calls: every 2 s it asks which applications record from a microphone, offers to
// record a known call application once it has been seen twice in a row, and stops a recording
// it started once that application has left the microphone for about 10 s.
class CallDetector : public QObject {
    Q_OBJECT
  public:
    struct CallApp {
        QString prefix;
        QString name;
        bool browser = false;
    };
    // An application recording from a microphone: its identifier and process.
    struct MicUser {
        QString id;
        qint64 pid = 0;
        bool corked = false; // paused, as some applications do while the user is muted
    };
    using Listing = std::function<void(std::function<void(QList<MicUser>)> done)>;

    struct Services {
        Scheduler& main;
        Settings& settings;
        MeetingRecorder& recorder;
        // Asks without blocking the main thread; `done` may run on any thread.
        Listing listMicUsers;
        // Titles of the windows of this process (for naming calls in browsers).
        std::function<QStringList(qint64 pid)> windowTitles;
    };

    static constexpr double pollSeconds = 2;

    explicit CallDetector(Services services, QObject* parent = nullptr);
    ~CallDetector() override;

    static const QList<CallApp>& callApps();
    // The streams that record a microphone for some application other than the process
    // `ownPid`; monitors and the server's own filters don't count.
    static QList<MicUser> micUsers(const std::vector<PulseSourceOutput>& outputs, qint64 ownPid);
    // Without waiting on the main thread's behalf: asks the sound server and waits for it.
    static QList<MicUser> currentMicUsers(PulseContext& context);
    // What the listing mode prints: the identifiers of applications using a microphone now.
    static QStringList appsUsingMic(PulseContext& context);
    // The call's name from the window titles of a browser's process or its parents.
    QString browserCallName(const QString& name, qint64 pid) const;

    void start();
    // One poll with this listing.
    void poll(const QList<MicUser>& users);

  signals:
    // A call worth recording: `call` names it, `app` is the application whose use of the
    // microphone ends the recording.
    void offered(const QString& call, const QString& app);

  private:
    struct Active {
        CallApp app;
        qint64 pid = 0;
    };
    void schedule();
    QHash<QString, Active> active(const QList<MicUser>& users, bool withCorked) const;
    void followRecording(const QHash<QString, Active>& now);
    void offer(const QString& name, const Active& a);

    Services s;
    QHash<QString, int> seen;
    QSet<QString> prompted;
    int quietPolls = 0;
};
