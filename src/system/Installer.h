#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class Scheduler;

// Keeps Voxmere running from the user's own folder rather than from the medium it came on:
// started from a read-only install medium it offers to copy itself to ~/.local/opt/Voxmere and
// starts the copy; started from anywhere else it ejects a leftover install medium.
class Installer {
  public:
    enum class Answer { move, notNow };
    struct Mount {
        QString device;
        QString path;
        bool readOnly = false;
    };
    // Everything the installer asks of the computer. Paths are as the system names them;
    // `root` is prepended whenever a file is touched, so tests work in a folder of their own.
    struct System {
        QString root;
        QString executable;
        QString home;
        std::function<QList<Mount>()> mounts;
        // Asks the process to quit (it is not waited for here).
        std::function<void(qint64 pid)> askToQuit;
        std::function<bool(const QString& path)> moveToTrash;
        std::function<bool(const QString& executable)> launch;
        std::function<Answer()> offer;
        std::function<void(const QString& reason)> alertFailure;
        // Runs udisksctl with these arguments: its exit status and its error output.
        std::function<std::pair<int, QString>(const QStringList& args)> udisksctl;
        std::function<void(double seconds)> wait;
    };
    // The real computer, with the alerts on screen.
    static System real();

    Installer(System system, Scheduler& background);

    // True when the copy was started and this process should quit without going on.
    bool moveIfOnInstallMedium(const QStringList& args);
    // A leftover install medium is ejected about 2 s later, in the background.
    void ejectInstallerDisk();

    QString destination() const;
    QString applicationsEntry() const;

  private:
    // The medium the given file lies on: under /media/ or /run/media/, read-only, with
    // Voxmere/bin/voxmere at its top level.
    std::optional<Mount> installMediumOf(const QString& path) const;
    bool isInstallMedium(const Mount& mount) const;
    QString onDisk(const QString& path) const;
    void quitRunningCopies();
    // Puts the staged copy in place of any earlier one; why not, when it could not.
    QString replaceWith(const QString& staged);

    System system;
    Scheduler& background;
};
