#include "platform/SettingsFiles.h"
#include "platform/OsError.h"

#include "support/TempTree.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>
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

// What cannot be a settings file is refused at once with the system error's
// code and text: a FIFO (which would block the open), a link to an endless
// device, a file over 1 MiB, a folder, a missing file, an unwritable place.
TEST(SettingsFiles, FailuresNameTheFileAndCarryTheSystemText)
{
    TempTree tree;
    const QString fifo = tree.path("fifo.ini");
    ASSERT_EQ(::mkfifo(fifo.toUtf8().constData(), 0600), 0);
    tree.symlink("/dev/zero", "zero.ext");
    tree.folder("folder.ini");
    const struct
    {
        QString path;
        bool write;
        int code;
    } rows[] = {
        {fifo, false, EINVAL},
        {tree.path("zero.ext"), false, EINVAL},
        {tree.sparseFile("big.ext", 1024 * 1024 + 1), false, EFBIG},
        {tree.path("folder.ini"), false, EINVAL},
        {tree.path("missing.ini"), false, ENOENT},
        {tree.path("missing/quil.ext"), true, ENOENT},
        {tree.path("folder.ini"), true, EISDIR},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.path.toStdString());
        try {
            if (row.write)
                writeSettingsLines(row.path, {QStringLiteral("x")});
            else
                readSettingsLines(row.path);
            ADD_FAILURE() << "no error";
        } catch (const QuilError &error) {
            // The box names the file it is about.
            EXPECT_EQ(error.message(), QStringLiteral("System Error.  Code: %1.\r\n%2: %3")
                                           .arg(row.code)
                                           .arg(row.path, QString::fromLocal8Bit(std::strerror(row.code))));
        }
    }
}

TEST(SettingsFiles, AWrittenLinkStaysALinkToTheNewContent)
{
    TempTree tree;
    tree.file("real.ini", "old\r\n");
    tree.symlink("real.ini", "quil.ini");
    writeSettingsLines(tree.path("quil.ini"), {QStringLiteral("new")});
    EXPECT_EQ(QFileInfo(tree.path("quil.ini")).isSymLink(), true);
    EXPECT_EQ(contentOf(tree.path("real.ini")), QByteArray("new\r\n"));
}
