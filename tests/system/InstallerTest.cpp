#include "system/Installer.h"

#include "support/ManualScheduler.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// A computer in a folder: a home, an install medium under /media and a process table.
class InstallerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        medium = {"/dev/sdb1", "/media/ann/VOXMERE", true};
        put("/media/ann/VOXMERE/Voxmere/bin/voxmere", "new");
        put("/media/ann/VOXMERE/Voxmere/share/voxmere/speakers/embedding.onnx", "model");
    }
    void put(const QString& path, const QByteArray& contents) {
        QDir().mkpath(QFileInfo(disk(path)).path());
        QFile file(disk(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    QString disk(const QString& path) const { return root.path() + path; }
    QByteArray read(const QString& path) const {
        QFile file(disk(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // A process of ours running the given executable.
    void running(qint64 pid, const QString& executable) {
        QDir().mkpath(disk("/proc/" + QString::number(pid)));
        ASSERT_TRUE(QFile::link(executable, disk("/proc/" + QString::number(pid) + "/exe")));
    }
    Installer make(const QString& executable = "/media/ann/VOXMERE/Voxmere/bin/voxmere") {
        Installer::System s;
        s.root = root.path();
        s.executable = executable;
        s.home = "/home/ann";
        s.mounts = [this] { return QList<Installer::Mount>{medium, {"/dev/sda1", "/", false}}; };
        s.askToQuit = [this](qint64 pid) {
            log << "quit " + QString::number(pid);
            QDir(disk("/proc/" + QString::number(pid))).removeRecursively();
        };
        s.moveToTrash = [this](const QString& path) {
            log << "trash " + path.mid(root.path().size());
            return trashWorks && QDir().rename(path, disk("/trash"));
        };
        s.launch = [this](const QString& path) {
            log << "launch " + path;
            return true;
        };
        s.offer = [this] {
            log << "offer";
            return answer;
        };
        s.alertFailure = [this](const QString& reason) { log << "failed " + reason; };
        s.udisksctl = [this](const QStringList& args) {
            log << "udisksctl " + args.join(' ');
            return std::pair<int, QString>{ejectStatus, "busy\n"};
        };
        s.wait = [](double) {};
        return Installer(s, scheduler);
    }

    QTemporaryDir root;
    Installer::Mount medium;
    Installer::Answer answer = Installer::Answer::move;
    int ejectStatus = 0;
    bool trashWorks = true;
    ManualScheduler scheduler;
    QStringList log;
};

} // namespace

TEST_F(InstallerTest, OffersOnlyFromAReadOnlyInstallMediumAndNeverInTheBackground) {
    EXPECT_FALSE(make().moveIfOnInstallMedium({"--background"}));
    EXPECT_FALSE(make("/home/ann/.local/opt/Voxmere/bin/voxmere").moveIfOnInstallMedium({}));
    medium.readOnly = false;
    EXPECT_FALSE(make().moveIfOnInstallMedium({}));
    EXPECT_TRUE(log.isEmpty());

    medium.readOnly = true;
    answer = Installer::Answer::notNow;
    EXPECT_FALSE(make().moveIfOnInstallMedium({}));
    EXPECT_FALSE(make().moveIfOnInstallMedium({}));
    EXPECT_EQ(log, (QStringList{"offer", "offer"})) << "Not Now asks again at the next launch";
    EXPECT_FALSE(QFileInfo::exists(disk("/home/ann/.local/opt/Voxmere")));
}

TEST_F(InstallerTest, MovingQuitsTheRunningCopyTrashesItAndStartsTheNewOne) {
    put("/home/ann/.local/opt/Voxmere/bin/voxmere", "old");
    running(4242, "/home/ann/.local/opt/Voxmere/bin/voxmere");
    running(77, "/usr/bin/other");

    EXPECT_TRUE(make().moveIfOnInstallMedium({}));
    EXPECT_EQ(log, (QStringList{"offer", "quit 4242", "trash /home/ann/.local/opt/Voxmere",
                                "launch /home/ann/.local/opt/Voxmere/bin/voxmere"}));
    EXPECT_EQ(read("/home/ann/.local/opt/Voxmere/bin/voxmere"), "new");
    EXPECT_EQ(read("/home/ann/.local/opt/Voxmere/share/voxmere/speakers/embedding.onnx"), "model");
    EXPECT_EQ(read("/trash/bin/voxmere"), "old");
    const QString entry = read("/home/ann/.local/share/applications/com.qerin.voxmere.desktop");
    EXPECT_TRUE(entry.contains("Exec=\"/home/ann/.local/opt/Voxmere/bin/voxmere\"\n"))
        << entry.toStdString();
    EXPECT_EQ(QDir(disk("/home/ann/.local/opt")).entryList(QDir::AllEntries | QDir::Hidden |
                                                          QDir::NoDotAndDotDot),
              QStringList{"Voxmere"})
        << "no staging folder is left";
}

TEST_F(InstallerTest, AMoveThatFailsLeavesNothingAndTheEarlierCopyInPlace) {
    put("/home/ann/.local/opt/Voxmere/bin/voxmere", "old");
    trashWorks = false;
    EXPECT_FALSE(make().moveIfOnInstallMedium({}));
    ASSERT_EQ(log.size(), 3);
    EXPECT_TRUE(log[2].startsWith("failed the earlier copy")) << log[2].toStdString();
    EXPECT_EQ(read("/home/ann/.local/opt/Voxmere/bin/voxmere"), "old");
    EXPECT_EQ(QDir(disk("/home/ann/.local/opt")).entryList(QDir::AllEntries | QDir::Hidden |
                                                          QDir::NoDotAndDotDot),
              QStringList{"Voxmere"})
        << "the staged copy is gone";
}

TEST_F(InstallerTest, ALeftoverMediumIsEjectedTwoSecondsLaterButNeverTheOneWeRunFrom) {
    make().ejectInstallerDisk();
    scheduler.advance(10);
    EXPECT_TRUE(log.isEmpty()) << "running from it";

    auto installed = make("/home/ann/.local/opt/Voxmere/bin/voxmere");
    installed.ejectInstallerDisk();
    scheduler.advance(1.9);
    EXPECT_TRUE(log.isEmpty());
    scheduler.advance(0.2);
    EXPECT_EQ(log, (QStringList{"udisksctl unmount -b /dev/sdb1", "udisksctl power-off -b /dev/sdb1"}));

    log.clear();
    medium = {"/dev/loop3", "/run/media/ann/VOXMERE", true};
    put("/run/media/ann/VOXMERE/Voxmere/bin/voxmere", "new");
    installed.ejectInstallerDisk();
    scheduler.advance(2);
    EXPECT_EQ(log, (QStringList{"udisksctl unmount -b /dev/loop3",
                                "udisksctl loop-delete -b /dev/loop3"}));

    log.clear();
    medium.readOnly = false;
    installed.ejectInstallerDisk();
    scheduler.advance(2);
    EXPECT_TRUE(log.isEmpty()) << "a writable volume is left alone";
}
