#include "platform/Volumes.h"
#include "platform/NativePath.h"
#include "platform/OsError.h"
#include "platform/ShellNamespace.h"
#include "support/TempTree.h"

#include <QDir>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

using namespace quil;

namespace {
QStringList mountPoints(const QList<Volume> &volumes)
{
    QStringList points;
    for (const Volume &volume : volumes)
        points.append(volume.mountPoint);
    return points;
}
} // namespace

// Every mount anywhere counted as a disk, so a tmpfs or a loop image mounted
// by another program sent the panels to "/". A disk is what a user sees in a
// file manager's device list.
TEST(Volumes, ParseMountInfoKeepsTheUsersDisksOnly)
{
    const QString home = QDir::homePath();
    const QByteArray homeBytes = toNative(home).replace(" ", "\\040");
    const QByteArray table = "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
                             "27 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
                             "23 27 0:22 / /sys rw,relatime - sysfs sysfs rw\n"
                             "25 24 0:23 / /dev/shm rw,relatime - tmpfs tmpfs rw\n"
                             "26 27 0:40 / /run/user/1000 rw shared:5 - tmpfs tmpfs rw\n"
                             "28 27 8:17 / /run/media/root/USB\\040STICK rw shared:7 - vfat /dev/sdb1 rw\n"
                             "29 27 8:2 / /mnt/my\\040disk rw master:1 - ext4 /dev/sda2 rw\n"
                             "30 27 7:0 / /snap/core/1 ro - squashfs /dev/loop0 ro\n"
                             "31 27 0:50 / /media/data rw - tmpfs tmpfs rw\n"
                             "32 31 0:51 / /media/data rw - ext4 /dev/sdc1 rw\n"
                             "33 31 0:52 / /media/auto rw - autofs systemd-1 rw\n"
                             "34 27 7:1 / /media/stick rw - ext2 /dev/loop1 rw\n"
                             "35 27 7:1 / /media/stick-again rw - ext2 /dev/loop1 rw\n"
                             "36 27 254:0 /srv/x /media/bound rw - ext4 /dev/vda rw\n"
                             "37 27 0:60 / /media/ram rw - tmpfs tmpfs rw\n"
                             "38 27 0:61 / /media/layers rw - overlay overlay rw\n"
                             "39 27 8:33 / /media/.hidden/x rw - ext4 /dev/sdd1 rw\n"
                             "40 27 0:62 / " +
                             homeBytes +
                             "/sshfs rw - fuse.sshfs host:/ rw\n"
                             "41 27 8:49 / /media rw - ext4 /dev/sde1 rw\n"
                             "garbage line\n"
                             "\n";
    const QList<Volume> volumes = Volumes::parseMountInfo(table);
    QStringList expected{"/", home + "/sshfs", "/media/data", "/media/stick", "/run/media/root/USB STICK"};
    std::sort(expected.begin() + 1, expected.end());
    if (::getuid() != 0)
        expected.removeAll("/run/media/root/USB STICK");
    EXPECT_EQ(mountPoints(volumes), expected);
    ASSERT_GE(volumes.size(), 4);
    EXPECT_EQ(volumes[0].fileSystem, QStringLiteral("ext4"));
    EXPECT_EQ(volumes[0].device, QStringLiteral("/dev/vda"));
    // The mount on top of /media/data is the one that counts.
    EXPECT_EQ(volumes[expected.indexOf("/media/data")].device, QStringLiteral("/dev/sdc1"));
}

TEST(Volumes, ParseMountsTellsVolumesFromTheOthers)
{
    const QByteArray table = "22 27 0:21 / /proc rw - proc proc rw\n"
                             "26 27 0:40 / /run/user/1000 rw - tmpfs tmpfs rw\n"
                             "30 27 7:0 / /snap/core/1 ro - squashfs /dev/loop0 ro\n"
                             "31 27 0:50 / /mnt/data rw - tmpfs tmpfs rw\n"
                             "32 31 0:51 / /mnt/data rw - autofs systemd-1 rw\n"
                             "27 1 254:0 / / rw - ext4 /dev/vda rw\n";
    QStringList volumes, others;
    for (const Volumes::Mount &mount : Volumes::parseMounts(table))
        (mount.isVolume ? volumes : others).append(mount.volume.mountPoint);
    EXPECT_EQ(volumes, QStringList{"/"});
    // The autofs on top hides the tmpfs below it.
    EXPECT_EQ(others, (QStringList{"/proc", "/run/user/1000", "/snap/core/1", "/mnt/data"}));
}

TEST(Volumes, SystemPaths)
{
    const std::pair<const char *, bool> cases[] = {
        {"/proc", true},    {"/proc/1/fd", true},  {"/sys", true},        {"/dev/shm", true},
        {"/run", true},     {"/run/user/0", true}, {"/run/media", false}, {"/run/media/ann/USB", false},
        {"/", false},       {"/procs", false},     {"/home/proc", false}, {"/mnt/dev", false},
        {"/runner", false}, {"/devices", false},
    };
    for (const auto &[path, system] : cases)
        EXPECT_EQ(Volumes::isSystemPath(QString::fromLatin1(path)), system) << path;
}

TEST(Volumes, VolumeOfTakesTheLongestWholeItemPrefix)
{
    const QList<Volume> volumes = {{"/", "/dev/a", "ext4", {}, false},
                                   {"/mnt", "/dev/b", "ext4", {}, false},
                                   {"/mnt/usb", "/dev/c", "vfat", "STICK", true}};
    struct Case
    {
        const char *path;
        const char *mountPoint;
    };
    const Case cases[] = {{"/", "/"},
                          {"/etc/hosts", "/"},
                          {"/mnt", "/mnt"},
                          {"/mnt/x", "/mnt"},
                          {"/mntx/y", "/"},
                          {"/mnt/usb", "/mnt/usb"},
                          {"/mnt/usb/a/b", "/mnt/usb"},
                          {"/mnt/usbx", "/mnt"}};
    for (const Case &c : cases) {
        const auto volume = Volumes::volumeOf(c.path, volumes);
        ASSERT_TRUE(volume.has_value()) << c.path;
        EXPECT_EQ(volume->mountPoint, QString::fromUtf8(c.mountPoint)) << c.path;
    }
    EXPECT_FALSE(Volumes::volumeOf("relative", volumes).has_value());
    EXPECT_EQ(volumes[2].displayName(), QStringLiteral("STICK (/mnt/usb)"));
    EXPECT_EQ(volumes[0].displayName(), QStringLiteral("Диск (/)"));
}

TEST(Volumes, RootIsListedFirstWithItsSpace)
{
    const QList<Volume> volumes = Volumes::list();
    ASSERT_FALSE(volumes.isEmpty());
    EXPECT_EQ(volumes[0].mountPoint, QStringLiteral("/"));
    for (const Volume &volume : volumes)
        EXPECT_FALSE(Volumes::isPseudoFileSystem(volume.fileSystem)) << volume.mountPoint.toStdString();
    const VolumeSpace space = Volumes::space("/");
    EXPECT_GT(space.total, 0u);
    EXPECT_LE(space.free, space.total);
    try {
        Volumes::space("/no/such/folder/anywhere");
        FAIL() << "a missing path had a size";
    } catch (const OsError &error) {
        EXPECT_EQ(error.code(), ENOENT);
    }
}

TEST(Volumes, MountedTmpfsAndBindMountAreNoDisksALoopDiskIs)
{
    TempTree tree;
    TmpfsMount mount(tree.path("mnt"), 4 * 1024 * 1024);
    if (!mount.mounted())
        GTEST_SKIP() << "this machine refuses to mount a tmpfs";
    tree.folder("bound");
    const QByteArray bound = toNative(tree.path("bound"));
    ASSERT_EQ(::mount(toNative(tree.root()).constData(), bound.constData(), nullptr, MS_BIND, nullptr), 0);
    LoopDisk disk;
    const QStringList listed = mountPoints(Volumes::list());
    ::umount2(bound.constData(), MNT_DETACH);
    EXPECT_FALSE(listed.contains(mount.path()));
    EXPECT_FALSE(listed.contains(tree.path("bound")));
    // A tmpfs still has its own size for the disk row.
    EXPECT_EQ(Volumes::space(mount.path()).total, 4u * 1024 * 1024);
    if (!disk.mounted())
        GTEST_SKIP() << "this machine refuses to loop-mount a disk image";
    EXPECT_TRUE(listed.contains(disk.path()));
    const auto volume = Volumes::volumeOf(disk.path() + "/inner/file");
    ASSERT_TRUE(volume.has_value());
    EXPECT_EQ(volume->mountPoint, disk.path());
    EXPECT_EQ(volume->fileSystem, QStringLiteral("ext2"));
    EXPECT_EQ(ShellNamespace::displayName(ItemId::volume(disk.path())), "Диск (" + disk.path() + ")");
    disk.unmount();
    EXPECT_FALSE(mountPoints(Volumes::list()).contains(disk.path()));
}

TEST(Volumes, LabelAndRemovableFlagFromTheDeviceFolders)
{
    // The layout of /dev/disk/by-label and /sys/class/block, in small.
    TempTree tree;
    tree.folder("dev");
    const QString partition = tree.file("dev/sdb1");
    const QString fixed = tree.file("dev/sda");
    tree.folder("by-label");
    tree.symlink("../dev/sdb1", "by-label/USB\\x20STICK");
    tree.folder("devices");
    tree.folder("devices/sdb");
    tree.file("devices/sdb/removable", "1\n");
    tree.folder("devices/sdb/sdb1");
    tree.file("devices/sdb/sdb1/partition", "1\n");
    tree.folder("devices/sda");
    tree.file("devices/sda/removable", "0\n");
    tree.folder("class");
    tree.symlink("../devices/sdb/sdb1", "class/sdb1");
    tree.symlink("../devices/sda", "class/sda");

    EXPECT_EQ(Volumes::labelOf(partition, tree.path("by-label")), QStringLiteral("USB STICK"));
    EXPECT_EQ(Volumes::labelOf(fixed, tree.path("by-label")), QString());
    EXPECT_EQ(Volumes::labelOf("tmpfs", tree.path("by-label")), QString());
    EXPECT_TRUE(Volumes::isRemovable(partition, tree.path("class")));
    EXPECT_FALSE(Volumes::isRemovable(fixed, tree.path("class")));
    EXPECT_FALSE(Volumes::isRemovable("tmpfs", tree.path("class")));
    EXPECT_FALSE(Volumes::isRemovable(tree.path("dev/missing"), tree.path("class")));
}
