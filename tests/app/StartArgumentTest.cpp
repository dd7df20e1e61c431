#include "app/StartArgument.h"

#include "platform/NativePath.h"
#include "support/TempTree.h"

#include <QDir>
#include <QUrl>

#include <gtest/gtest.h>

// The command line's path: a folder, a file's folder and row, or a message.
TEST(StartArgument, NamesAFolderAFileOrNothing)
{
    TempTree tree;
    const QString folder = tree.folder("With blank");
    tree.file("With blank/note.txt");
    const QString inFolder = folder + QLatin1Char('/');
    struct Row
    {
        QStringList arguments;
        QString folder, entry, message;
    };
    const QList<Row> rows{
        {{}, {}, {}, {}},
        {{folder}, inFolder, {}, {}},
        {{inFolder + QLatin1String("./")}, inFolder, {}, {}},
        {{tree.path("With blank/note.txt")}, inFolder, QStringLiteral("note.txt"), {}},
        {{QUrl::fromLocalFile(tree.path("With blank/note.txt")).toString()}, inFolder, QStringLiteral("note.txt"), {}},
        {{tree.path("missing")},
         {},
         {},
         QStringLiteral("quil: нет такой папки или файла: ") + tree.path("missing") + '\n'},
        {{QStringLiteral("sftp://host/home")},
         {},
         {},
         QStringLiteral("quil: нет такой папки или файла: sftp://host/home\n")},
        {{QString()}, {}, {}, QStringLiteral("quil: нет такой папки или файла: \n")},
        {{folder, tree.root()},
         inFolder,
         {},
         QStringLiteral("quil: открывается только первый путь, остальные пропущены\n")},
    };
    for (const Row &row : rows) {
        const quil::StartTarget target = quil::startTarget(row.arguments);
        EXPECT_EQ(target.folder, row.folder) << row.arguments.join(' ').toStdString();
        EXPECT_EQ(target.entry, row.entry) << row.arguments.join(' ').toStdString();
        EXPECT_EQ(target.message, row.message) << row.arguments.join(' ').toStdString();
    }
}

TEST(StartArgument, RelativePathsStartAtTheCurrentFolder)
{
    TempTree tree;
    tree.file("here.txt");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(tree.root()));
    const quil::StartTarget target = quil::startTarget({QStringLiteral("here.txt")});
    QDir::setCurrent(previous);
    EXPECT_EQ(target.folder, QDir(tree.root()).canonicalPath() + QLatin1Char('/'));
    EXPECT_EQ(target.entry, QStringLiteral("here.txt"));
}

// Regression: a name that is not UTF-8 was refused, given as bytes or as a
// file URI with "%FF": the folder must open with the row selected.
TEST(StartArgument, NamesThatAreNotUtf8KeepTheirBytes)
{
    TempTree tree;
    tree.folder("d\xff\xfe");
    tree.file("d\xff\xfe/f\xff.txt", "x");
    const QByteArray root = tree.rootBytes();
    const QString folder = quil::fromNative(root + "/d\xff\xfe/");
    const QString entry = quil::fromNative(QByteArray("f\xff.txt"));
    struct Row
    {
        QByteArray argv1;
        QString folder, entry;
    };
    const QList<Row> rows{
        {root + "/d\xff\xfe/f\xff.txt", folder, entry},
        {root + "/d\xff\xfe", folder, {}},
        {"file://" + root + "/d%FF%fe/f%FF.txt", folder, entry},
        {"FILE://localhost" + root + "/d%FF%FE/", folder, {}},
    };
    for (const Row &row : rows) {
        const char *argv[] = {"quil", row.argv1.constData()};
        const QStringList arguments = quil::nativeArguments(2, argv);
        ASSERT_EQ(arguments.size(), 1);
        EXPECT_EQ(quil::toNative(arguments.first()), row.argv1);
        const quil::StartTarget target = quil::startTarget(arguments);
        EXPECT_EQ(target.folder, row.folder) << row.argv1.toStdString();
        EXPECT_EQ(target.entry, row.entry) << row.argv1.toStdString();
        EXPECT_TRUE(target.message.isEmpty()) << target.message.toStdString();
    }
    // A file URI of another machine names nothing here.
    const QByteArray remote = "file://remotehost.example" + root + "/d%FF%FE/f%FF.txt";
    const char *argv[] = {"quil", remote.constData()};
    const quil::StartTarget target = quil::startTarget(quil::nativeArguments(2, argv));
    EXPECT_TRUE(target.folder.isEmpty());
    EXPECT_EQ(target.message, QStringLiteral("quil: нет такой папки или файла: ") + QString::fromLatin1(remote) + '\n');
}
