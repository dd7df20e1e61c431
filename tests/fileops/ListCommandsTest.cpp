// The copy, move, delete, rename and undo commands on a main list without the
// main window: real folders, the real file operation and the real trash (HOME
// and XDG_DATA_HOME point at a temporary folder before GIO reads them).
#include "fileops/CopyMoveCommand.h"
#include "fileops/DeleteCommand.h"
#include "fileops/RenameCommand.h"
#include "fileops/UndoCommand.h"
#include "platform/ScriptedDialogs.h"
#include "platform/fileop/UndoJournal.h"
#include "support/FakeMainList.h"
#include "support/PrivateMounts.h"
#include "support/TempTree.h"
#include "support/TestServices.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>

using Kind = quil::ScriptedDialogs::Kind;

namespace {
QString g_home;
} // namespace

class ListCommandsTest : public QObject
{
    Q_OBJECT

    // A source folder listed in the fake list, a target folder in its panel.
    struct Lists
    {
        TempTree tree;
        TestServices test;
        quil::ScriptedDialogs &dialogs = test.dialogs;
        FakeMainList list;

        explicit Lists(const QStringList &names, const QString &current = {})
        {
            tree.folder("src");
            tree.folder("dst");
            for (const QString &name : names)
                tree.file("src/" + name.toUtf8(), name.toUtf8());
            list.panel.folder = dst();
            list.show(src(), current);
        }
        QString src() const { return tree.path("src") + QLatin1Char('/'); }
        QString dst() const { return tree.path("dst") + QLatin1Char('/'); }
        QStringList onDisk(const QString &folder) const
        {
            return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
        }
        QString selected() { return list.listing().entry(list.row).name; }
    };

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { quil::UndoJournal::session().clear(); }

    // Without the focus in the list or a current row nothing is copied,
    // moved or deleted, and the message says so.
    void commandsNeedTheListsFocusAndARow_data()
    {
        QTest::addColumn<bool>("focused");
        QTest::addColumn<bool>("withRow");
        QTest::newRow("list not focused") << false << true;
        QTest::newRow("no current row") << true << false;
    }
    void commandsNeedTheListsFocusAndARow()
    {
        QFETCH(bool, focused);
        QFETCH(bool, withRow);
        Lists lists({QStringLiteral("a.txt")}, withRow ? QStringLiteral("a.txt") : QString());
        lists.list.focused = focused;
        lists.list.row = withRow ? 0 : -1;
        quil::CopyMoveCommand copyMove(lists.list, lists.test.services);
        quil::DeleteCommand remove(lists.list, lists.test.services);
        copyMove.copy();
        copyMove.move();
        remove.run();
        QCOMPARE(lists.dialogs.messages(), QStringList(3, QStringLiteral("Ничего не выбрано")));
        QCOMPARE(lists.onDisk(lists.src()), QStringList{QStringLiteral("a.txt")});
        QVERIFY(lists.onDisk(lists.dst()).isEmpty());
        QVERIFY(lists.list.statuses.isEmpty());
    }

    void copyOfMarksGoesToThePanelsFolderAndClearsTheMarks()
    {
        const QStringList names{QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("c.txt")};
        Lists lists(names, QStringLiteral("c.txt"));
        lists.list.mark({QStringLiteral("a.txt"), QStringLiteral("b.txt")});
        lists.list.panel.shown = false;
        lists.dialogs.answerYesNo(true);
        quil::CopyMoveCommand(lists.list, lists.test.services).copy();
        // The marks, not the current row, are the sources.
        QCOMPARE(lists.onDisk(lists.dst()), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
        QCOMPARE(lists.onDisk(lists.src()), names);
        const auto asked = lists.dialogs.shown(Kind::YesNo);
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.first().text, QStringLiteral("Корировать : 2 объект(ов)\r\na.txt\r\nb.txt\r\nВ папку : ") +
                                         lists.dst() + QStringLiteral("\r\n\r\n В Ы П О Л Н И Т Ь ?"));
        QVERIFY(lists.list.marked().isEmpty());
        // The hidden panel is shown first and lists its folder again after.
        QVERIFY(lists.list.panel.shown);
        QCOMPARE(lists.list.panel.relists, 1);
        QCOMPARE(lists.list.statuses, QStringList{QStringLiteral(" Копирование...")});
    }

    void copyOfOneTakesTheTypedName()
    {
        Lists lists({QStringLiteral("a.txt")}, QStringLiteral("a.txt"));
        lists.dialogs.answerInput(QStringLiteral("b.txt"));
        quil::CopyMoveCommand(lists.list, lists.test.services).copy();
        QCOMPARE(lists.onDisk(lists.dst()), QStringList{QStringLiteral("b.txt")});
        QFile copied(lists.dst() + QStringLiteral("b.txt"));
        QVERIFY(copied.open(QIODevice::ReadOnly));
        QCOMPARE(copied.readAll(), QByteArray("a.txt"));
        QVERIFY(lists.dialogs.shown(Kind::YesNo).isEmpty());
    }

    // Without a second panel there is no target: nothing happens at all.
    void copyAndMoveNeedTheSecondPanel()
    {
        Lists lists({QStringLiteral("a.txt")}, QStringLiteral("a.txt"));
        lists.list.withPanel = false;
        quil::CopyMoveCommand copyMove(lists.list, lists.test.services);
        copyMove.copy();
        copyMove.move();
        QVERIFY(lists.dialogs.shown().isEmpty());
        QCOMPARE(lists.onDisk(lists.src()), QStringList{QStringLiteral("a.txt")});
    }

    // The moved row's successor is selected in the folder listed again, and
    // the tree node selected before the move is read again.
    void moveOfTheCurrentRowSelectsTheNextEntry()
    {
        Lists lists({QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("c.txt")},
                    QStringLiteral("b.txt"));
        lists.list.treeNode = 4;
        lists.dialogs.answerInput(QStringLiteral("b.txt"));
        lists.dialogs.answerYesNo(true);
        quil::CopyMoveCommand(lists.list, lists.test.services).move();
        QCOMPARE(lists.onDisk(lists.src()), (QStringList{QStringLiteral("a.txt"), QStringLiteral("c.txt")}));
        QCOMPARE(lists.onDisk(lists.dst()), QStringList{QStringLiteral("b.txt")});
        QCOMPARE(lists.list.names(), (QStringList{QStringLiteral("a.txt"), QStringLiteral("c.txt")}));
        QCOMPARE(lists.selected(), QStringLiteral("c.txt"));
        QCOMPARE(lists.list.refreshedNodes, QList<int>{4});
        QCOMPARE(lists.list.statuses, QStringList{QStringLiteral("Перемещение...")});
    }

    void deleteOfMarks_data()
    {
        QTest::addColumn<bool>("toTrash");
        QTest::newRow("to the trash") << true;
        QTest::newRow("for good") << false;
    }
    // The row after the last marked entry is selected once the list is read again.
    void deleteOfMarks()
    {
        QFETCH(bool, toTrash);
        Lists lists(
            {QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("c.txt"), QStringLiteral("d.txt")},
            QStringLiteral("d.txt"));
        lists.list.mark({QStringLiteral("a.txt"), QStringLiteral("b.txt")});
        lists.list.treeNode = 2;
        lists.dialogs.answerYesNoWithCheck(true, toTrash);
        quil::DeleteCommand(lists.list, lists.test.services).run();
        QCOMPARE(lists.onDisk(lists.src()), (QStringList{QStringLiteral("c.txt"), QStringLiteral("d.txt")}));
        QCOMPARE(QFile::exists(g_home + QStringLiteral("/.local/share/Trash/files/a.txt")), toTrash);
        QCOMPARE(lists.selected(), QStringLiteral("c.txt"));
        QCOMPARE(lists.list.refreshedNodes, QList<int>{2});
        QCOMPARE(lists.dialogs.shown(Kind::YesNoWithCheck).first().title,
                 QStringLiteral("Удаление выделенных объектов..."));
        QVERIFY(QFile::remove(g_home + QStringLiteral("/.local/share/Trash/files/a.txt")) == toTrash);
        QFile::remove(g_home + QStringLiteral("/.local/share/Trash/files/b.txt"));
    }

    // No keeps every file; the list is read again all the same.
    void deleteAnsweredNoKeepsEverything()
    {
        Lists lists({QStringLiteral("a.txt"), QStringLiteral("b.txt")}, QStringLiteral("a.txt"));
        lists.list.mark({QStringLiteral("b.txt")});
        lists.dialogs.answerYesNoWithCheck(false, true);
        quil::DeleteCommand(lists.list, lists.test.services).run();
        QCOMPARE(lists.onDisk(lists.src()), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
        QCOMPARE(lists.dialogs.messages(), QStringList{QStringLiteral("Удаление отменено")});
        QCOMPARE(lists.list.navigations.size(), 2);
    }

    // A taken name is never replaced: the renamed file gets a numbered name.
    void renameByButtonSelectsTheNewName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::newRow("free name") << "z.txt"
                                   << "z.txt";
        QTest::newRow("taken name") << "b.txt"
                                    << "b (2).txt";
    }
    void renameByButtonSelectsTheNewName()
    {
        QFETCH(QString, typed);
        QFETCH(QString, result);
        Lists lists({QStringLiteral("a.txt"), QStringLiteral("b.txt")}, QStringLiteral("a.txt"));
        lists.list.treeNode = 3;
        lists.dialogs.answerInput(typed);
        quil::RenameCommand(lists.list, lists.test.services).renameByButton();
        QStringList expected{QStringLiteral("b.txt"), result};
        expected.sort();
        QCOMPARE(lists.onDisk(lists.src()), expected);
        QCOMPARE(lists.dialogs.messages(), QStringList{QStringLiteral("Меняем имя : a.txt - на  -") + typed});
        QCOMPARE(lists.list.statuses,
                 (QStringList{QStringLiteral(" Переименование!!! "), QStringLiteral("Жду команды...")}));
        QCOMPARE(lists.list.refreshedNodes, QList<int>{3});
        // The typed name is the one to select; a numbered result is not found by it.
        QCOMPARE(lists.list.entryToSelect(), typed);
    }

    // The in-place editor's name with "/" would name another place: the error
    // question, and nothing renamed or moved.
    void renameEditedRefusesASlash()
    {
        Lists lists({QStringLiteral("a.txt")}, QStringLiteral("a.txt"));
        lists.tree.folder("src/sub");
        quil::RenameCommand(lists.list, lists.test.services)
            .renameEdited(quil::FolderPath(lists.src()), QStringLiteral("a.txt"), QStringLiteral("sub/a.txt"));
        QCOMPARE(lists.dialogs.shown(Kind::ItemError).size(), 1);
        QCOMPARE(lists.onDisk(lists.src()), (QStringList{QStringLiteral("a.txt"), QStringLiteral("sub")}));
        QVERIFY(lists.onDisk(lists.src() + QStringLiteral("sub")).isEmpty());
    }

    void createFolderDropsTrailingDotsAndSelectsIt()
    {
        Lists lists({QStringLiteral("a.txt")}, QStringLiteral("a.txt"));
        lists.dialogs.answerInput(QStringLiteral("New.. "));
        quil::RenameCommand(lists.list, lists.test.services).createFolder();
        QVERIFY(QFileInfo(lists.src() + QStringLiteral("New")).isDir());
        QCOMPARE(lists.selected(), QStringLiteral("New"));
        QCOMPARE(lists.list.statuses, QStringList{QStringLiteral("Создание папки.")});
    }

    // Undo lists the listed folder again.
    void undoOfARenameListsItsFolder()
    {
        Lists lists({QStringLiteral("a.txt")}, QStringLiteral("a.txt"));
        lists.dialogs.answerInput(QStringLiteral("b.txt"));
        quil::RenameCommand(lists.list, lists.test.services).renameByButton();
        QCOMPARE(lists.onDisk(lists.src()), QStringList{QStringLiteral("b.txt")});
        lists.dialogs.answerYesNo(true);
        quil::UndoCommand(lists.list, lists.test.services).run();
        QCOMPARE(lists.onDisk(lists.src()), QStringList{QStringLiteral("a.txt")});
        QCOMPARE(lists.dialogs.shown(Kind::YesNo).first().text,
                 QStringLiteral("Отменить: переименование 1 объект(ов)?"));
        QCOMPARE(lists.list.navigations.last(), quil::FolderPath(lists.src()));
        QCOMPARE(lists.list.statuses.last(), QStringLiteral("Отмена операции..."));
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
    ListCommandsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ListCommandsTest.moc"
