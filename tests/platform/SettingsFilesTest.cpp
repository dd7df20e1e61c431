#include "platform/SettingsFiles.h"
#include "platform/OsError.h"

#include "support/TempTree.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace quil;

namespace {
QByteArray contentOf(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}
} // namespace

TEST(SettingsFiles, WritesCrLfAndReadsBothLineEnds)
{
    TempTree tree;
    const QString path = tree.path("quil.ini");
    writeSettingsLines(path, {QStringLiteral("/usr/bin/less"), QString(), QStringLiteral("Папка"), QString()});
    EXPECT_EQ(contentOf(path), QByteArray("/usr/bin/less\r\n\r\n\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0\r\n\r\n"));
    EXPECT_EQ(readSettingsLines(path),
              (QStringList{QStringLiteral("/usr/bin/less"), QString(), QStringLiteral("Папка"), QString()}));

    tree.file("lf.ini", "one\ntwo");
    EXPECT_EQ(readSettingsLines(tree.path("lf.ini")), (QStringList{QStringLiteral("one"), QStringLiteral("two")}));
}

TEST(SettingsFiles, FailedWriteKeepsThePreviousFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write into a read-only folder";
    TempTree tree;
    const QString folder = tree.folder("ro");
    const QString path = folder + QStringLiteral("/quil.ini");
    writeSettingsLines(path, {QStringLiteral("old")});
    ::chmod(folder.toUtf8().constData(), 0500);
    EXPECT_THROW(writeSettingsLines(path, {QStringLiteral("new")}), QuilError);
    ::chmod(folder.toUtf8().constData(), 0700);
    EXPECT_EQ(contentOf(path), QByteArray("old\r\n"));
}

TEST(SettingsFiles, FailedWriteOnAFullVolumeKeepsThePreviousFile)
{
    TempTree tree;
    TmpfsMount volume(tree.path("vol"), 64 * 1024);
    if (!volume.mounted())
        GTEST_SKIP() << "mounting a tmpfs is not allowed here";
    const QString path = volume.path() + QStringLiteral("/quil.ini");
    writeSettingsLines(path, {QStringLiteral("old")});
    const QStringList huge(200, QString(1000, QLatin1Char('x')));
    EXPECT_THROW(writeSettingsLines(path, huge), QuilError);
    EXPECT_EQ(contentOf(path), QByteArray("old\r\n"));
}

TEST(SettingsFiles, ExistenceTests)
{
    TempTree tree;
    const QString dir = tree.folder("d");
    const QString file = tree.file("f", "x");
    tree.symlink("d", "link-to-d");
    EXPECT_TRUE(directoryExists(dir));
    EXPECT_TRUE(directoryExists(dir + QLatin1Char('/')));
    EXPECT_TRUE(directoryExists(tree.path("link-to-d")));
    EXPECT_FALSE(directoryExists(file));
    EXPECT_FALSE(directoryExists(QString()));
    EXPECT_FALSE(directoryExists(tree.path("missing")));
    EXPECT_TRUE(fileExists(file));
    EXPECT_FALSE(fileExists(dir));
}
