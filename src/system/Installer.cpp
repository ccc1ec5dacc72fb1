#include "system/Installer.h"

#include "core/DebugLog.h"
#include "core/Scheduler.h"
#include "system/DesktopEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QThread>

#include <csignal>
#include <unistd.h>

namespace {
constexpr double quitWaitSeconds = 5.0;
constexpr double quitPollSeconds = 0.1;

bool underMediaFolder(const QString& path) {
    return path.startsWith("/media/") || path.startsWith("/run/media/");
}

// /proc/self/mounts writes blanks and a few other bytes as octal escapes ("\040").
QString unescapeMountField(const QByteArray& field) {
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out += char(code);
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return QString::fromUtf8(out);
}

QList<Installer::Mount> systemMounts() {
    QList<Installer::Mount> mounts;
    QFile file("/proc/self/mounts");
    if (!file.open(QIODevice::ReadOnly))
        return mounts;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 4)
            continue;
        const bool readOnly = fields[3].split(',').contains("ro");
        mounts << Installer::Mount{unescapeMountField(fields[0]), unescapeMountField(fields[1]),
                                   readOnly};
    }
    return mounts;
}

QString readLink(const QString& path) {
    char target[4096];
    const ssize_t length = ::readlink(QFile::encodeName(path).constData(), target, sizeof target);
    return length > 0 ? QFile::decodeName(QByteArray(target, int(length))) : QString();
}

// Copies a folder tree, links as links; the first failure stops it and says why.
QString copyTree(const QString& from, const QString& to) {
    if (!QDir().mkpath(to))
        return QCoreApplication::translate("Installer", "can't create %1").arg(to);
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        const QString target = to + "/" + QDir(from).relativeFilePath(entry.filePath());
        if (entry.isSymLink()) {
            if (!QFile::link(readLink(entry.filePath()), target))
                return QCoreApplication::translate("Installer", "can't link %1").arg(target);
        } else if (entry.isDir()) {
            if (!QDir().mkpath(target))
                return QCoreApplication::translate("Installer", "can't create %1").arg(target);
        } else {
            QFile source(entry.filePath());
            if (!source.copy(target))
                return source.errorString() + ": " + target;
        }
    }
    return {};
}

void ejectMedium(const Installer::System& system, const Installer::Mount& mount) {
    const QString name = QFileInfo(mount.path).fileName();
    auto [status, error] = system.udisksctl({"unmount", "-b", mount.device});
    if (status == 0) {
        // A disk image is attached as a loop device, which is detached rather than powered off.
        const QString detach = mount.device.startsWith("/dev/loop") ? "loop-delete" : "power-off";
        std::tie(status, error) = system.udisksctl({detach, "-b", mount.device});
    }
    if (status == 0)
        debugLog("ejected installer disk " + name);
    else
        debugLog("couldn't eject " + name + ": " + error.trimmed());
}
} // namespace

Installer::Installer(System s, Scheduler& scheduler) : system(std::move(s)), background(scheduler) {}

QString Installer::destination() const {
    return system.home + "/.local/opt/Voxmere";
}

QString Installer::applicationsEntry() const {
    return system.home + "/.local/share/applications/com.qerin.voxmere.desktop";
}

QString Installer::onDisk(const QString& path) const {
    return system.root + path;
}

bool Installer::isInstallMedium(const Mount& mount) const {
    return underMediaFolder(mount.path) && mount.readOnly &&
           QFileInfo(onDisk(mount.path + "/Voxmere/bin/voxmere")).isFile();
}

std::optional<Installer::Mount> Installer::installMediumOf(const QString& path) const {
    std::optional<Mount> found;
    for (const Mount& mount : system.mounts())
        if (path.startsWith(mount.path + "/") && (!found || mount.path.size() > found->path.size()))
            found = mount;
    if (found && isInstallMedium(*found))
        return found;
    return std::nullopt;
}

bool Installer::moveIfOnInstallMedium(const QStringList& args) {
    const auto medium = installMediumOf(system.executable);
    if (!medium || args.contains("--background"))
        return false;
    if (system.offer() != Answer::move)
        return false;
    // Staged beside the destination, so a copy that fails half way leaves nothing behind and
    // the finished one goes in place with one rename.
    const QString staged = system.home + "/.local/opt/.Voxmere-" + QString::number(getpid());
    QDir(onDisk(staged)).removeRecursively();
    QString error = copyTree(onDisk(medium->path + "/Voxmere"), onDisk(staged));
    if (error.isEmpty())
        error = replaceWith(staged);
    if (!error.isEmpty()) {
        QDir(onDisk(staged)).removeRecursively();
        system.alertFailure(error);
        return false;
    }
    const QString executable = destination() + "/bin/voxmere";
    const QString icon = destination() + "/share/icons/hicolor/256x256/apps/com.qerin.voxmere.png";
    DesktopEntry::write(onDisk(applicationsEntry()),
                        DesktopEntry::text(executable, "", icon, false));
    // This process has not taken the one-instance name yet, so the copy becomes the instance.
    system.launch(executable);
    return true;
}

void Installer::quitRunningCopies() {
    const QString installed = destination() + "/bin/voxmere";
    QList<qint64> asked;
    for (const QFileInfo& process : QDir(onDisk("/proc")).entryInfoList(QDir::Dirs)) {
        bool isPid = false;
        const qint64 pid = process.fileName().toLongLong(&isPid);
        if (isPid && pid != getpid() && readLink(process.filePath() + "/exe") == installed) {
            system.askToQuit(pid);
            asked << pid;
        }
    }
    for (double waited = 0; waited < quitWaitSeconds; waited += quitPollSeconds) {
        const bool anyLeft = std::any_of(asked.begin(), asked.end(), [this](qint64 pid) {
            return QFileInfo::exists(onDisk("/proc/" + QString::number(pid)));
        });
        if (!anyLeft)
            return;
        system.wait(quitPollSeconds);
    }
}

QString Installer::replaceWith(const QString& staged) {
    if (QFileInfo::exists(onDisk(destination()))) {
        quitRunningCopies();
        if (!system.moveToTrash(onDisk(destination())))
            return QCoreApplication::translate(
                       "Installer", "the earlier copy in %1 could not be moved to the trash")
                .arg(destination());
    }
    if (!QDir().rename(onDisk(staged), onDisk(destination())))
        return QCoreApplication::translate("Installer", "could not put the copy in %1")
            .arg(destination());
    return {};
}

void Installer::ejectInstallerDisk() {
    if (installMediumOf(system.executable))
        return;
    // Never while running from one; the copy is left 2 s to settle after the relaunch.
    background.after(2.0, [system = system] {
        Installer self(system, Scheduler::global());
        for (const Mount& mount : system.mounts())
            if (self.isInstallMedium(mount))
                ejectMedium(system, mount);
    });
}

Installer::System Installer::real() {
    System s;
    s.executable = QCoreApplication::applicationFilePath();
    s.home = QDir::homePath();
    s.mounts = systemMounts;
    s.askToQuit = [](qint64 pid) { ::kill(pid_t(pid), SIGTERM); };
    s.moveToTrash = [](const QString& path) { return QFile::moveToTrash(path); };
    s.launch = [](const QString& executable) { return QProcess::startDetached(executable, {}); };
    s.offer = [] {
        const QString question =
            QCoreApplication::translate("Installer", "Move Voxmere to Applications?");
        QMessageBox box(QMessageBox::NoIcon, question, question);
        box.setInformativeText(QCoreApplication::translate(
            "Installer", "Voxmere is running from the installer disk. Move it to the "
                         "Applications folder so it keeps working after the disk is ejected."));
        QPushButton* move =
            box.addButton(QCoreApplication::translate("Installer", "Move to Applications"),
                          QMessageBox::AcceptRole);
        box.addButton(QCoreApplication::translate("Installer", "Not Now"), QMessageBox::RejectRole);
        box.setDefaultButton(move);
        box.exec();
        return box.clickedButton() == move ? Answer::move : Answer::notNow;
    };
    s.alertFailure = [](const QString& reason) {
        const QString failed = QCoreApplication::translate("Installer", "Couldn't move Voxmere");
        QMessageBox box(QMessageBox::Warning, failed, failed);
        box.setInformativeText(QCoreApplication::translate("Installer",
                                                           "Drag Voxmere onto the Applications "
                                                           "folder in the installer window "
                                                           "instead.") +
                               "\n\n" + reason);
        box.exec();
    };
    s.udisksctl = [](const QStringList& args) -> std::pair<int, QString> {
        QProcess process;
        process.start("udisksctl", args);
        if (!process.waitForFinished(30000))
            return {-1, process.errorString()};
        return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError())};
    };
    s.wait = [](double seconds) { QThread::msleep(static_cast<unsigned long>(seconds * 1000)); };
    return s;
}
