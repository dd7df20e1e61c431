#include "FileCheck.h"

#include "platform/NativePath.h"
#include "platform/ScriptedDialogs.h"
#include "platform/fileop/FileOperation.h"
#include "support/TempTree.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/xattr.h>

using namespace quil;
namespace fc = filecheck;

namespace {

constexpr const char *kUserName = "user.quil.note";
constexpr const char *kAccess = "system.posix_acl_access";
constexpr const char *kDefault = "system.posix_acl_default";

// The attribute's value, or "<none>".
QByteArray attribute(const QByteArray &path, const char *name)
{
    QByteArray value(65536, '\0');
    const ssize_t n = ::lgetxattr(path.constData(), name, value.data(), size_t(value.size()));
    if (n < 0)
        return "<none>";
    value.truncate(n);
    return value;
}

bool setfacl(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QStringLiteral("setfacl"), arguments);
    return tool.waitForFinished(60000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

// Gives the file and the folder a user. attribute and an ACL entry (the
// folder a default ACL as well); false where the file system takes neither.
bool decorate(const QByteArray &file, const QByteArray &folder)
{
    for (const QByteArray &path : {file, folder})
        if (::lsetxattr(path.constData(), kUserName, path.constData(), size_t(path.size()), 0) != 0)
            return false;
    return setfacl({QStringLiteral("-m"), QStringLiteral("u:nobody:r"), fromNative(file)}) &&
           setfacl({QStringLiteral("-m"), QStringLiteral("u:nobody:rx"), fromNative(folder)}) &&
           setfacl({QStringLiteral("-d"), QStringLiteral("-m"), QStringLiteral("u:nobody:rx"), fromNative(folder)});
}

// Whether items in the folder take the attributes (tried on items removed after).
bool takesAttributes(const QByteArray &folder)
{
    fc::write(folder + "/probe", "");
    const bool taken = ::mkdir((folder + "/probe-folder").constData(), 0755) == 0 &&
                       decorate(folder + "/probe", folder + "/probe-folder");
    fc::removeContents(folder);
    return taken;
}

} // namespace

// Copy and move keep a file's and a folder's user. attributes and ACLs, on
// the same file system and across file systems that take them.
TEST(FileOperation, CopyAndMoveKeepExtendedAttributesAndAcls)
{
    TempTree tree;
    TmpfsMount volume(tree.path("volume"), 16 * 1024 * 1024);
    struct Case
    {
        const char *name;
        int operation;
        bool otherVolume;
    };
    const Case cases[] = {
        {"copy", FO_COPY, false},
        {"copy to another volume", FO_COPY, true},
        {"move to another volume", FO_MOVE, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray src = tree.folder("src").toUtf8();
        fc::write(src + "/file", "data");
        const QByteArray sub = tree.folder("src/sub").toUtf8();
        fc::write(sub + "/inner", "inner");
        if (!decorate(src + "/file", sub))
            GTEST_SKIP() << "no extended attributes or ACLs here";
        const QByteArray dst = c.otherVolume ? volume.path().toUtf8() : tree.folder("dst").toUtf8();
        if (c.otherVolume && (!volume.mounted() || !takesAttributes(dst))) {
            std::printf("no tmpfs with attributes and ACLs here: %s not run\n", c.name);
            continue;
        }
        const QList<std::pair<QByteArray, const char *>> expected = {
            {"file", kUserName}, {"file", kAccess}, {"sub", kUserName}, {"sub", kAccess}, {"sub", kDefault}};
        QList<QByteArray> before;
        for (const auto &[path, name] : expected)
            before.append(attribute(src + '/' + path, name));

        ScriptedDialogs dialogs;
        dialogs.setDefaultItemError(Dialogs::ErrorAnswer::Cancel);
        EXPECT_TRUE(FileOperation(dialogs, {fromNative(src + "/file"), fromNative(sub)}, fromNative(dst), c.operation,
                                  FOF_MULTIDESTFILES)
                        .run());
        EXPECT_TRUE(dialogs.shown().isEmpty());
        for (int i = 0; i < expected.size(); ++i) {
            EXPECT_NE(before[i], "<none>");
            EXPECT_EQ(attribute(dst + '/' + expected[i].first, expected[i].second), before[i])
                << expected[i].first.constData() << " " << expected[i].second;
        }
        EXPECT_EQ(fc::read(dst + "/file"), "data");
        EXPECT_EQ(fc::read(dst + "/sub/inner"), "inner");
        fc::removeContents(src);
        fc::removeContents(dst);
    }
}

// Where the target's file system takes no attributes, the data is still
// copied and the copy succeeds.
TEST(FileOperation, CopyOntoFileSystemWithoutAttributesStillCopiesTheData)
{
    TempTree tree;
    const QByteArray src = tree.folder("src").toUtf8();
    fc::write(src + "/file", "data");
    const QByteArray sub = tree.folder("src/sub").toUtf8();
    if (!decorate(src + "/file", sub))
        GTEST_SKIP() << "no extended attributes or ACLs here";
    // ramfs keeps no user. attributes and no ACLs.
    const QByteArray dst = tree.folder("ramfs").toUtf8();
    if (::mount("ramfs", dst.constData(), "ramfs", 0, nullptr) != 0)
        GTEST_SKIP() << "ramfs cannot be mounted here";
    const struct Unmount
    {
        QByteArray path;
        ~Unmount() { ::umount2(path.constData(), MNT_DETACH); }
    } unmount{dst};
    ASSERT_NE(::lsetxattr(dst.constData(), kUserName, "x", 1, 0), 0);

    ScriptedDialogs dialogs;
    dialogs.setDefaultItemError(Dialogs::ErrorAnswer::Cancel);
    EXPECT_TRUE(
        FileOperation(dialogs, {fromNative(src + "/file"), fromNative(sub)}, fromNative(dst), FO_COPY, 0).run());
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(fc::read(dst + "/file"), "data");
    EXPECT_TRUE(fc::exists(dst + "/sub"));
}

// A copy has its source's mode whatever would shape a new file's mode: the
// umask, or a default ACL of the target folder.
TEST(FileOperation, CopyKeepsTheModeUnderAnyUmaskOrDefaultAcl)
{
    struct Case
    {
        const char *name;
        mode_t umask;
        bool defaultAcl;
    };
    const Case cases[] = {
        {"umask 022", 022, false},
        {"umask 077", 077, false},
        {"umask 0", 0, false},
        {"default ACL without group or others", 022, true},
    };
    const mode_t modes[] = {0644, 0600, 0755, 0444, 0640, 0777};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TempTree tree;
        const QByteArray src = tree.folder("src").toUtf8();
        const QByteArray dst = tree.folder("dst").toUtf8();
        if (c.defaultAcl &&
            !setfacl({QStringLiteral("-d"), QStringLiteral("-m"), QStringLiteral("u::rwx,g::-,o::-"), fromNative(dst)}))
            GTEST_SKIP() << "no default ACLs here";
        QStringList sources;
        for (const mode_t mode : modes) {
            const QByteArray path = src + "/f" + QByteArray::number(mode, 8);
            fc::write(path, "data");
            ASSERT_EQ(::chmod(path.constData(), mode), 0);
            sources.append(fromNative(path));
        }
        // A folder made by the copy takes the target's default ACL on to its files.
        const QByteArray sub = tree.folder("src/sub").toUtf8();
        fc::write(sub + "/inner", "inner");
        ASSERT_EQ(::chmod((sub + "/inner").constData(), 0644), 0);
        sources.append(fromNative(sub));
        const mode_t previous = ::umask(c.umask);
        ScriptedDialogs dialogs;
        const bool copied = FileOperation(dialogs, sources, fromNative(dst), FO_COPY, FOF_MULTIDESTFILES).run();
        ::umask(previous);
        EXPECT_TRUE(copied);
        for (const mode_t mode : modes) {
            const QByteArray name = "/f" + QByteArray::number(mode, 8);
            EXPECT_EQ(fc::lstatOf(dst + name).st_mode & 07777, mode) << name.constData();
            EXPECT_EQ(fc::read(dst + name), "data");
        }
        EXPECT_EQ(fc::lstatOf(dst + "/sub/inner").st_mode & 07777, 0644u);
    }
}
