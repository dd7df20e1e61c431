// Volume monitor, icon list and launcher: parts that need an event loop, a
// GUI application and GIO. main() points GIO at a temporary set of
// applications before anything asks it.
#include "platform/IconList.h"
#include "platform/IconNames.h"
#include "platform/Launcher.h"
#include "platform/NativePath.h"
#include "platform/VolumeMonitor.h"
#include "support/RecordingScript.h"
#include "support/TempTree.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quil;

namespace {

TempTree *applications = nullptr; // the XDG folders of this test program

QString writeScript(TempTree &tree, const QByteArray &relative, const QByteArray &body)
{
    const QString path = tree.file(relative, "#!/bin/sh\n" + body);
    ::chmod(toNative(path).constData(), 0755);
    return path;
}

bool waitForEvent(QSignalSpy &spy, int event, const QString &mountPoint)
{
    const auto seen = [&] {
        for (const QList<QVariant> &signal : spy)
            if (signal[0].toInt() == event && signal[1].toString() == mountPoint)
                return true;
        return false;
    };
    for (int round = 0; round < 50 && !seen(); ++round)
        spy.wait(200);
    return seen();
}

// Keeps the current folder of the process for the test and restores it.
struct CurrentFolder
{
    QString saved = QDir::currentPath();
    explicit CurrentFolder(const QString &folder) { QDir::setCurrent(folder); }
    ~CurrentFolder() { QDir::setCurrent(saved); }
};

} // namespace

// Any mount anywhere was reported as a disk arrival or removal; only the
// disks a user sees are now, and a tmpfs or a bind mount reports nothing.
TEST(VolumeMonitor, ReportsTheDisksOnly)
{
    VolumeMonitor monitor;
    ASSERT_TRUE(monitor.isWatching());
    QSignalSpy spy(&monitor, &VolumeMonitor::deviceChange);
    LoopDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << "this machine refuses to loop-mount a disk image";
    EXPECT_TRUE(waitForEvent(spy, VolumeMonitor::DeviceArrival, disk.path()));
    bool listed = false;
    for (const Volume &volume : monitor.volumes())
        listed = listed || volume.mountPoint == disk.path();
    EXPECT_TRUE(listed);

    // A tmpfs and a bind mount, then the disk remounted read-only: the node
    // change of the disk comes after the table has shown the other two.
    spy.clear();
    TempTree tree;
    TmpfsMount tmpfs(tree.path("tmpfs"));
    ASSERT_TRUE(tmpfs.mounted());
    const QByteArray bound = toNative(tree.folder("bound"));
    ASSERT_EQ(::mount(toNative(disk.path()).constData(), bound.constData(), nullptr, MS_BIND, nullptr), 0);
    ASSERT_EQ(::mount(nullptr, toNative(disk.path()).constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    EXPECT_TRUE(waitForEvent(spy, VolumeMonitor::NodeChange, QString()));
    ::umount2(bound.constData(), MNT_DETACH);
    tmpfs.unmount();
    for (const QList<QVariant> &signal : spy) {
        EXPECT_NE(signal[1].toString(), tmpfs.path());
        EXPECT_NE(signal[1].toString(), tree.path("bound"));
        EXPECT_NE(signal[1].toString(), disk.path());
    }
    for (const Volume &volume : monitor.volumes())
        EXPECT_TRUE(volume.mountPoint != tmpfs.path() && volume.mountPoint != tree.path("bound"));

    spy.clear();
    disk.unmount();
    EXPECT_TRUE(waitForEvent(spy, VolumeMonitor::DeviceRemoval, disk.path()));
}

TEST(VolumeMonitor, MountsBelowSystemFoldersAreNoVolumes)
{
    VolumeMonitor monitor;
    for (const Volume &volume : monitor.volumes()) {
        EXPECT_FALSE(volume.mountPoint.startsWith("/proc/"));
        EXPECT_FALSE(volume.mountPoint.startsWith("/sys/"));
        EXPECT_FALSE(volume.mountPoint.startsWith("/dev/"));
    }
}

TEST(IconList, EveryIndexGivesAPicture)
{
    for (int index : {int(IconNames::GenericFile), int(IconNames::Folder), int(IconNames::Computer),
                      int(IconNames::HardDisk), IconNames::indexOf("application-x-quil-unknown", "quil-nothing")})
        EXPECT_FALSE(IconList::icon(index).isNull()) << index;
    // One list: the same index gives the same picture.
    EXPECT_EQ(IconList::icon(IconNames::Folder).cacheKey(), IconList::icon(IconNames::Folder).cacheKey());
}

TEST(Launcher, OneArgumentFormPassesTheStringVerbatim)
{
    TempTree tree;
    const QString record = tree.path("record");
    const QString script = recordingScript(tree, "rec.sh", record);
    const QString cwd = tree.folder("current folder");
    CurrentFolder current(cwd);
    const QByteArray tricky = "it's \"quoted\"; $(touch pwned) `touch pwned2` *.txt & | > x";
    const QString document = tree.folder("dir with blanks") + "/" + QString::fromUtf8(tricky);
    Launcher launcher;
    ASSERT_TRUE(launcher.run(script, document, Launcher::ArgumentForm::OneArgument));
    const QList<QByteArray> items = waitForRecord(record);
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0], toNative(cwd));
    EXPECT_EQ(items[1], toNative(document));
    EXPECT_FALSE(QFile::exists(cwd + "/pwned"));
    EXPECT_FALSE(QFile::exists(cwd + "/pwned2"));
    EXPECT_FALSE(QFile::exists(cwd + "/x"));
}

TEST(Launcher, SplitFormSplitsLikeACommandLine)
{
    TempTree tree;
    const QString record = tree.path("record");
    // The program's own path holds a blank, and is given in quotes.
    tree.folder("bin dir");
    const QString script = recordingScript(tree, "bin dir/rec.sh", record);
    Launcher launcher;
    ASSERT_TRUE(launcher.run('"' + script + '"', R"(one "two three"  four $(x))", Launcher::ArgumentForm::Split));
    const QList<QByteArray> items = waitForRecord(record);
    ASSERT_EQ(items.size(), 5);
    EXPECT_EQ(items.mid(1), (QList<QByteArray>{"one", "two three", "four", "$(x)"}));
    EXPECT_EQ(Launcher::arguments("", Launcher::ArgumentForm::OneArgument), QStringList());
    EXPECT_EQ(Launcher::arguments(" ", Launcher::ArgumentForm::Split), QStringList());
}

TEST(Launcher, BytesThatAreNotUtf8ArriveUnchanged)
{
    TempTree tree;
    const QString record = tree.path("record");
    const QString script = recordingScript(tree, "rec.sh", record);
    const QByteArray raw = tree.rootBytes() + "/caf\xE9\xFF.txt";
    Launcher launcher;
    ASSERT_TRUE(launcher.run(script, fromNative(raw)));
    const QList<QByteArray> items = waitForRecord(record);
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[1], raw);
}

TEST(Launcher, ProgramNamesAreFoundOnPath)
{
    TempTree tree;
    const QString record = tree.path("record");
    tree.folder("bin");
    recordingScript(tree, "bin/quil-recorder-test", record);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", toNative(tree.path("bin")) + ":" + oldPath);
    Launcher launcher;
    const bool started = launcher.run("quil-recorder-test", "x");
    qputenv("PATH", oldPath);
    ASSERT_TRUE(started);
    EXPECT_EQ(waitForRecord(record).value(1), "x");
}

// A program planted in the current (browsed) folder is not run by its bare
// name, not even with an empty PATH entry; "./name" still names it.
TEST(Launcher, BareNamesAreNotTakenFromTheCurrentFolder)
{
    TempTree tree;
    const QString record = tree.path("record");
    const QString cwd = tree.folder("browsed");
    recordingScript(tree, "browsed/quil-planted-test", record);
    CurrentFolder current(cwd);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", oldPath + "::.");
    Launcher launcher;
    const bool bare = launcher.run("quil-planted-test", "x");
    qputenv("PATH", oldPath);
    EXPECT_FALSE(bare);
    EXPECT_TRUE(Launcher::resolveProgram("quil-planted-test").isEmpty());
    ASSERT_TRUE(launcher.run("./quil-planted-test", "y"));
    EXPECT_EQ(waitForRecord(record).value(1), "y");
}

TEST(Launcher, MissingProgramsFail)
{
    TempTree tree;
    Launcher launcher;
    EXPECT_FALSE(launcher.run(tree.path("no-such-program")));
    EXPECT_FALSE(launcher.run("quil-no-such-program-anywhere", "a b", Launcher::ArgumentForm::Split));
    EXPECT_FALSE(launcher.run(""));
    EXPECT_FALSE(launcher.run("\""));
    EXPECT_EQ(launcher.start(tree.path("no-such-program")), nullptr);
    EXPECT_FALSE(launcher.openDocument(tree.path("missing.txt")));
}

TEST(Launcher, StartedProgramReportsItsEnd)
{
    TempTree tree;
    const QString gate = tree.fifo("gate");
    const QString script = writeScript(tree, "wait.sh", "read line < '" + toNative(gate) + "'\nexit 3\n");
    Launcher launcher;
    std::unique_ptr<StartedProcess> process = launcher.start(script);
    ASSERT_NE(process, nullptr);
    QSignalSpy spy(process.get(), &StartedProcess::ended);
    EXPECT_FALSE(process->hasEnded());
    EXPECT_EQ(process->exitCode(), StartedProcess::stillActive);
    // Let the program go on: it ends with code 3.
    const int fd = ::open(toNative(gate).constData(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "go\n", 3), 3);
    ::close(fd);
    ASSERT_TRUE(spy.count() > 0 || spy.wait(10000));
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 3);
    EXPECT_TRUE(process->hasEnded());
    EXPECT_EQ(process->exitCode(), 3);
}

TEST(Launcher, PollingFirstStillSendsEndedOnce)
{
    TempTree tree;
    const QString script = writeScript(tree, "quick.sh", "exit 0\n");
    Launcher launcher;
    std::unique_ptr<StartedProcess> process = launcher.start(script);
    ASSERT_NE(process, nullptr);
    QSignalSpy spy(process.get(), &StartedProcess::ended);
    ASSERT_TRUE(QTest::qWaitFor([&] { return process->hasEnded(); }, 10000));
    EXPECT_EQ(process->exitCode(), 0);
    ASSERT_TRUE(spy.count() > 0 || spy.wait(10000));
    QCoreApplication::processEvents();
    EXPECT_EQ(spy.count(), 1);
}

TEST(Launcher, DocumentsOpenWithTheirDefaultApplication)
{
    ASSERT_NE(applications, nullptr);
    const QString record = applications->path("opened");
    QFile::remove(record);
    TempTree tree;
    const QString document = tree.file("notes with blanks.txt", "text");
    Launcher launcher;
    ASSERT_TRUE(launcher.hasDefaultApplication("text/plain"));
    EXPECT_FALSE(launcher.hasDefaultApplication("application/x-quil-no-such-type"));
    ASSERT_TRUE(launcher.openDocument(document)) << "GIO found no default application";
    EXPECT_EQ(waitForRecord(record).value(1), toNative(document));

    // An existing file that is not executable, given as the program, is opened.
    QFile::remove(record);
    ASSERT_TRUE(launcher.run(document, "ignored"));
    EXPECT_EQ(waitForRecord(record).value(1), toNative(document));

    // The text editor may be started on a file it is still to create.
    QFile::remove(record);
    const QString fresh = tree.path("new.txt");
    std::unique_ptr<StartedProcess> editor = launcher.startDefaultApplication("text/plain", fresh);
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor->hasEnded(); }, 10000));
    EXPECT_EQ(waitForRecord(record).value(1), toNative(fresh));
}

int main(int argc, char **argv)
{
    // GIO reads the applications and their defaults once, on first use.
    TempTree xdg;
    applications = &xdg;
    installTestTextOpener(xdg, "quil-test-editor");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
