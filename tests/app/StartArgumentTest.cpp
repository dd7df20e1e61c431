#include "app/StartArgument.h"

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
