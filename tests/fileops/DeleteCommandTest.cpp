// HOME and XDG_DATA_HOME point at a temporary folder before GIO reads them,
// so the trash these tests fill is never the user's.
#include "app/TForm1.h"
#include "fileops/CommandSources.h"
#include "listing/FolderListModel.h"
#include "listing/FolderListView.h"
#include "listing/TShellItem.h"
#include "platform/ScriptedDialogs.h"
#include "support/Form1Controls.h"
#include "support/MainWindowFixture.h"
#include "support/PrivateMounts.h"
#include "support/TempTree.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>

using Kind = quil::ScriptedDialogs::Kind;

namespace {
QString g_home;
QString homeTrash()
{
    return g_home + QStringLiteral("/.local/share/Trash/");
}
} // namespace

// Delete on the real main window over real folders, with the real trash.
class DeleteCommandTest : public QObject
{
    Q_OBJECT

    struct Program : MainWindowFixture
    {
        TempTree tree;
        TForm1 *form = nullptr;

        explicit Program(const QStringList &names)
        {
            for (const QString &name : names)
                tree.file(name.toUtf8(), name.toUtf8());
            form = &start();
            form->navigateByPath(quil::FolderPath(folder()));
        }
        QString folder() const { return tree.root() + QLatin1Char('/'); }
        void mark(const QStringList &names)
        {
            for (const QString &name : names)
                form->listing().entry(form->listing().findEntry(name)).marked = true;
        }
        QString selectedName() const { return form->listing().entry(form->currentRow()).name; }
        QString askedText() const
        {
            const auto asked = dialogs.shown(Kind::YesNoWithCheck);
            return asked.isEmpty() ? QString() : asked.first().text;
        }
    };

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void marked_data()
    {
        QTest::addColumn<bool>("toTrash");
        QTest::newRow("to the trash") << true;
        QTest::newRow("for good") << false;
    }
    void marked()
    {
        QFETCH(bool, toTrash);
        Program program({QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("c.txt")});
        program.mark({QStringLiteral("a.txt"), QStringLiteral("b.txt")});
        program.focusRow(QStringLiteral("c.txt"));
        program.dialogs.answerYesNoWithCheck(true, toTrash);
        program.form->SpeedButton9Click();

        const auto asked = program.dialogs.shown(Kind::YesNoWithCheck);
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.first().title, QStringLiteral("Удаление выделенных объектов..."));
        QCOMPARE(asked.first().extra, QStringLiteral("Удалять в корзину."));
        QCOMPARE(asked.first().text,
                 QStringLiteral("Удалить : 2 объект(ов)\r\na.txt\r\nb.txt\r\n\r\n\r\n В Ы П О Л Н И Т Ь ?"));
        QVERIFY(program.dialogs.messages().isEmpty());
        QVERIFY(!QFile::exists(program.folder() + "a.txt"));
        QVERIFY(!QFile::exists(program.folder() + "b.txt"));
        QCOMPARE(QFile::exists(homeTrash() + "files/b.txt"), toTrash);
        QCOMPARE(QFile::exists(homeTrash() + "info/b.txt.trashinfo"), toTrash);
        QFile::remove(homeTrash() + "files/a.txt");
        QFile::remove(homeTrash() + "files/b.txt");
        QFile::remove(homeTrash() + "info/a.txt.trashinfo");
        QFile::remove(homeTrash() + "info/b.txt.trashinfo");
        // The list is read again with the row after the last marked entry selected.
        QCOMPARE(program.form->listing().count(), 1);
        QCOMPARE(program.selectedName(), QStringLiteral("c.txt"));
        QCOMPARE(ui(*program.form).Label9->text(), QStringLiteral("Жду команду... "));
    }

    void fiveNamesAndNoKeepsEverything()
    {
        const QStringList names{"1", "2", "3", "4", "5", "6"};
        Program program(names);
        program.mark(names.mid(0, 5));
        program.focusRow(QStringLiteral("6"));
        program.dialogs.answerYesNoWithCheck(false, true);
        program.form->SpeedButton9Click();
        QCOMPARE(program.askedText(),
                 QStringLiteral(
                     "Удалить : 5 объект(ов)\r\n1\r\n2\r\n3\r\n4\r\n5\r\n...\r\n\r\n\r\n\r\n В Ы П О Л Н И Т Ь ?"));
        QCOMPARE(program.dialogs.messages(), QStringList{QStringLiteral("Удаление отменено")});
        for (const QString &name : names)
            QVERIFY(QFile::exists(program.folder() + name));
        QCOMPARE(program.form->listing().count(), 6);
    }

    // Guards against the close box answering No: "Удаление отменено" was shown.
    void closedQuestionDeletesNothingAndSaysNothing()
    {
        Program program({QStringLiteral("a.txt")});
        program.focusRow(QStringLiteral("a.txt"));
        program.tree.file("late.txt");
        program.dialogs.answerCheckClosed(true);
        program.form->SpeedButton9Click();
        QCOMPARE(program.dialogs.shown(Kind::YesNoWithCheck).size(), 1);
        QVERIFY(program.dialogs.messages().isEmpty());
        QVERIFY(QFile::exists(program.folder() + "a.txt"));
        // The list is read again all the same.
        QVERIFY(program.form->listing().findEntry(QStringLiteral("late.txt")) >= 0);
    }

    void currentRowAndTheRowAfterIt_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("selectedAfter");
        QTest::newRow("a middle row") << "b"
                                      << "c";
        QTest::newRow("the last row") << "c"
                                      << "a";
    }
    void currentRowAndTheRowAfterIt()
    {
        QFETCH(QString, current);
        QFETCH(QString, selectedAfter);
        Program program({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        program.focusRow(current);
        program.dialogs.answerYesNoWithCheck(true, false);
        program.form->SpeedButton9Click();
        QVERIFY(program.askedText().startsWith(QStringLiteral("Удалить : 1 объект(ов)\r\n") + current + "\r\n\r\n"));
        QVERIFY(!QFile::exists(program.folder() + current));
        QCOMPARE(program.selectedName(), selectedAfter);
    }

    void failureAndNothingSelected()
    {
        Program program({QStringLiteral("kept")});
        ui(*program.form).cbPath->setFocus();
        program.form->SpeedButton9Click();
        QCOMPARE(program.dialogs.messages(), QStringList{QStringLiteral("Ничего не выбрано")});
        QVERIFY(program.dialogs.shown(Kind::YesNoWithCheck).isEmpty());

        // A file removed behind the list's back cannot be deleted: the error row.
        program.dialogs.clear();
        program.focusRow(QStringLiteral("kept"));
        program.mark({QStringLiteral("kept")});
        QVERIFY(QFile::remove(program.folder() + "kept"));
        program.dialogs.setDefaultItemError(quil::Dialogs::ErrorAnswer::Skip);
        program.dialogs.answerYesNoWithCheck(true, false);
        program.form->SpeedButton9Click();
        QCOMPARE(program.dialogs.messages(), QStringList{QStringLiteral("Ошибка при удалении")});
    }

    // A volume of the computer folder is no file: the engine must never get its mount point.
    void volumeItemIsNoPath()
    {
        TShellItem volume;
        volume.folderChild.id = quil::ItemId::volume(QStringLiteral("/"));
        volume.name = QStringLiteral("Диск (/)");
        QVERIFY(!quil::sourcePathOf(volume).startsWith(QLatin1Char('/')));
        TShellItem file;
        file.folderChild.id = quil::ItemId::fromPath(QStringLiteral("/tmp/x"));
        QCOMPARE(quil::sourcePathOf(file), QStringLiteral("/tmp/x"));
    }
};

int main(int argc, char **argv)
{
    usePrivateMounts();
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/quil-home-XXXXXX"));
    if (!home.isValid())
        return 1;
    g_home = home.path();
    ::setenv("HOME", qPrintable(g_home), 1);
    ::setenv("XDG_DATA_HOME", qPrintable(g_home + QStringLiteral("/.local/share")), 1);
    QApplication application(argc, argv);
    DeleteCommandTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DeleteCommandTest.moc"
