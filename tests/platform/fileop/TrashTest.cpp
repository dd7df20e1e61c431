// The trash tests run with HOME and XDG_DATA_HOME pointed at a temporary
// folder, set before GIO reads them, so that the user's trash is never touched.

#include "FileCheck.h"

#include "platform/NativePath.h"
#include "platform/ScriptedDialogs.h"
#include "platform/fileop/FileOperation.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>
#include <sys/mount.h>
#include <unistd.h>

using namespace quil;
using Kind = ScriptedDialogs::Kind;
namespace fc = filecheck;

namespace {

QByteArray g_home;

QByteArray dataHome()
{
    return g_home + "/.local/share";
}

QByteArray trashInfo(const QByteArray &trash, const QByteArray &name)
{
    return fc::read(trash + "/info/" + name + ".trashinfo");
}

bool trash(ScriptedDialogs &dialogs, const QByteArray &path)
{
    return FileOperation(dialogs, {fromNative(path)}, {}, FO_DELETE, FOF_ALLOWUNDO).run();
}

} // namespace

// The home trash is made, with ~/.local/share, when it is missing.
TEST(Trash, HomeTrashIsCreatedWhenLocalShareIsMissing)
{
    ASSERT_FALSE(fc::exists(dataHome()));
    TempTree tree;
    const QByteArray file = tree.file("doomed.txt", "keep me").toUtf8();
    tree.folder("folder");
    tree.file("folder/inner", "inner");
    ScriptedDialogs dialogs;
    EXPECT_TRUE(trash(dialogs, file));
    EXPECT_TRUE(trash(dialogs, tree.rootBytes() + "/folder"));
    EXPECT_TRUE(dialogs.shown().isEmpty());

    const QByteArray homeTrash = dataHome() + "/Trash";
    EXPECT_FALSE(fc::exists(file));
    EXPECT_EQ(fc::read(homeTrash + "/files/doomed.txt"), "keep me");
    EXPECT_TRUE(trashInfo(homeTrash, "doomed.txt").contains("\nPath=" + file + "\n"));
    EXPECT_EQ(fc::read(homeTrash + "/files/folder/inner"), "inner");
    EXPECT_TRUE(trashInfo(homeTrash, "folder").contains("\nPath=" + tree.rootBytes() + "/folder\n"));
}

// On another volume the item goes to that volume's own trash folder, whose
// .trashinfo names the original path relative to the volume's top.
TEST(Trash, OtherVolumeUsesItsOwnTrashFolder)
{
    TempTree tree;
    const QByteArray top = tree.folder("volume").toUtf8();
    // ramfs: a volume of its own that GIO keeps a trash for (it keeps none on tmpfs).
    if (::mount("ramfs", top.constData(), "ramfs", 0, nullptr) != 0)
        GTEST_SKIP() << "ramfs cannot be mounted here";
    ::mkdir((top + "/sub").constData(), 0755);
    fc::write(top + "/sub/f", "on the volume");
    ScriptedDialogs dialogs;
    const bool ok = trash(dialogs, top + "/sub/f");
    const QByteArray volumeTrash = top + "/.Trash-" + QByteArray::number(::getuid());
    const QByteArray content = fc::read(volumeTrash + "/files/f");
    const QByteArray info = trashInfo(volumeTrash, "f");
    const bool homeTrashMade = fc::exists(dataHome() + "/Trash/files/f");
    ::umount2(top.constData(), MNT_DETACH);
    EXPECT_TRUE(ok);
    EXPECT_EQ(content, "on the volume");
    EXPECT_TRUE(info.contains("\nPath=sub/f\n")) << info.constData();
    EXPECT_FALSE(homeTrashMade);
}

// A volume GIO keeps no trash for: the error question names the item; nothing is lost.
TEST(Trash, VolumeWithoutTrashIsReportedAndKeepsTheItem)
{
    TempTree tree;
    TmpfsMount volume(tree.path("volume"));
    if (!volume.mounted())
        GTEST_SKIP() << "tmpfs cannot be mounted here";
    const QByteArray file = volume.path().toUtf8() + "/f\xe9";
    fc::write(file, "still here");
    ScriptedDialogs dialogs;
    dialogs.setDefaultItemError(Dialogs::ErrorAnswer::Skip);
    EXPECT_FALSE(trash(dialogs, file));
    const auto asked = dialogs.shown(Kind::ItemError);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].text, fromNative(file));
    EXPECT_FALSE(asked[0].extra.isEmpty());
    EXPECT_EQ(fc::read(file), "still here");
}

int main(int argc, char **argv)
{
    // Before any GIO call: GIO reads these once per process.
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/quil-home-XXXXXX"));
    if (!home.isValid())
        return 1;
    g_home = home.path().toUtf8();
    ::setenv("HOME", g_home.constData(), 1);
    ::setenv("XDG_DATA_HOME", dataHome().constData(), 1);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
