#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "fileops/TForm4.h"
#include "listing/FolderListView.h"
#include "platform/ScriptedDialogs.h"
#include "support/Form1Controls.h"
#include "support/MainWindowFixture.h"
#include "support/PrivateMounts.h"
#include "support/TempTree.h"

#include "listing/FolderListModel.h"
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <memory>

using Kind = quil::ScriptedDialogs::Kind;

// Rename by button and in place, and create folder, on the real main window
// over real folders.
class RenameCommandTest : public QObject
{
    Q_OBJECT

    struct Program : MainWindowFixture
    {
        TempTree tree;
        TForm1 *form = nullptr;

        Program()
        {
            tree.file("a.txt", "alpha");
            tree.file("existing.txt", "kept");
            tree.folder("sub");
            form = &start();
            form->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(form));
            form->navigateByPath(quil::FolderPath(folder()));
        }
        QString folder() const { return tree.root() + QLatin1Char('/'); }
        // Selects the row and focuses the list, as a click on it does.
        void pick(const QString &name)
        {
            const int row = form->listing().findEntry(name);
            QVERIFY2(row >= 0, qPrintable(name));
            ui(*form).ListView->setFocus();
            ui(*form).ListView->setCurrentIndex(form->listModel().index(row, 0));
            form->ListViewClick();
        }
        QString selectedName() const
        {
            const int row = form->currentRow();
            return row < 0 ? QString() : form->listing().entry(row).name;
        }
        QString content(const QByteArray &relative) const
        {
            QFile file(tree.path(relative));
            return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        }
    };

private Q_SLOTS:
    void renameByButton_data()
    {
        QTest::addColumn<QString>("oldName");
        QTest::addColumn<QString>("newName");
        QTest::newRow("file") << "a.txt"
                              << "b.txt";
        QTest::newRow("folder") << "sub"
                                << "folder";
        QTest::newRow("letter case only") << "a.txt"
                                          << "A.txt";
    }
    void renameByButton()
    {
        QFETCH(QString, oldName);
        QFETCH(QString, newName);
        Program program;
        program.pick(oldName);
        program.dialogs.answerInput(newName);
        ui(*program.form).SpeedButton3->click();

        const auto inputs = program.dialogs.shown(Kind::Input);
        QCOMPARE(inputs.size(), 1);
        QCOMPARE(inputs.first().title, QStringLiteral("Переименовать"));
        QCOMPARE(inputs.first().text, QStringLiteral("Введите новое имя"));
        QCOMPARE(inputs.first().extra, oldName);
        QCOMPARE(program.dialogs.messages(),
                 QStringList{QStringLiteral("Меняем имя : ") + oldName + QStringLiteral(" - на  -") + newName});
        QVERIFY(QFileInfo::exists(program.folder() + newName));
        QCOMPARE(program.form->listing().findEntry(oldName) < 0, true);
        QCOMPARE(program.selectedName(), newName);
        QCOMPARE(ui(*program.form).Label9->text(), QStringLiteral("Жду команду... "));
    }

    void renameByButtonUnchangedOrCancelled_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("unchanged") << false;
        QTest::newRow("cancelled") << true;
    }
    void renameByButtonUnchangedOrCancelled()
    {
        QFETCH(bool, cancel);
        Program program;
        program.pick(QStringLiteral("a.txt"));
        // A file that appears meanwhile shows that the list was read again.
        program.tree.file("late.txt");
        program.dialogs.answerInput(cancel ? std::nullopt : std::optional<QString>(QStringLiteral("a.txt")));
        ui(*program.form).SpeedButton3->click();

        const QStringList expected =
            cancel ? QStringList{} : QStringList{QStringLiteral("Меняем имя : a.txt - на  -a.txt")};
        QCOMPARE(program.dialogs.messages(), expected);
        QCOMPARE(program.content("a.txt"), QStringLiteral("alpha"));
        QVERIFY(program.form->listing().findEntry(QStringLiteral("late.txt")) >= 0);
        QCOMPARE(ui(*program.form).Label9->text(), QStringLiteral("Жду команду... "));
    }

    void renameByButtonNeedsFocusedRow()
    {
        Program program;
        ui(*program.form).cbPath->setFocus();
        ui(*program.form).SpeedButton3->click();
        QCOMPARE(program.dialogs.messages(), QStringList{QStringLiteral("Объект не выбран...")});
        QVERIFY(program.dialogs.shown(Kind::Input).isEmpty());
    }

    void renameOntoExistingNameKeepsBoth()
    {
        Program program;
        program.pick(QStringLiteral("a.txt"));
        program.dialogs.answerInput(QStringLiteral("existing.txt"));
        ui(*program.form).SpeedButton3->click();
        QCOMPARE(program.content("existing.txt"), QStringLiteral("kept"));
        QCOMPARE(program.content("existing (2).txt"), QStringLiteral("alpha"));
        QVERIFY(!QFileInfo::exists(program.tree.path("a.txt")));
        // The name asked for is taken by the other file, which stays selected.
        QCOMPARE(program.selectedName(), QStringLiteral("existing.txt"));
    }

    // Guards against a "/" in a new name moving the item into another folder.
    void nameWithSlashIsRefused()
    {
        Program program;
        program.pick(QStringLiteral("a.txt"));
        program.dialogs.answerInput(QStringLiteral("sub/a.txt"));
        ui(*program.form).SpeedButton3->click();
        const auto errors = program.dialogs.shown(Kind::ItemError);
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors.first().text, program.folder() + QStringLiteral("a.txt"));
        QCOMPARE(program.content("a.txt"), QStringLiteral("alpha"));
        QVERIFY(!QFileInfo::exists(program.tree.path("sub/a.txt")));
    }

    void renameInPlace_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("exists");
        QTest::newRow("accepted") << "c.txt" << int(Qt::Key_Return)
                                  << QStringList{QStringLiteral("Меняем имя : a.txt - на  -c.txt")} << "c.txt";
        QTest::newRow("unchanged") << "a.txt" << int(Qt::Key_Return)
                                   << QStringList{QStringLiteral("Меняем имя : a.txt - на  -a.txt")} << "a.txt";
        QTest::newRow("escaped") << "c.txt" << int(Qt::Key_Escape) << QStringList{} << "a.txt";
    }
    void renameInPlace()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QStringList, messages);
        QFETCH(QString, exists);
        Program program;
        program.pick(QStringLiteral("a.txt"));
        program.tree.file("late.txt");
        ui(*program.form).ListView->edit(ui(*program.form).ListView->currentIndex());
        // The editor lives in the list's viewport; the focus may still sit elsewhere on a busy machine.
        QLineEdit *editor = nullptr;
        QTRY_VERIFY((editor = ui(*program.form).ListView->viewport()->findChild<QLineEdit *>()) != nullptr);
        editor->setText(typed);
        // Details filled in for the row while the user types keep the typed name.
        const int row = program.form->listing().findEntry(QStringLiteral("a.txt"));
        program.form->listModel().rowsChanged(row, row);
        QCOMPARE(editor->text(), typed);
        QTest::keyClick(editor, Qt::Key(key));

        if (messages.isEmpty()) {
            // Nothing is queued for an escaped editor: one round of events shows it.
            QCoreApplication::processEvents();
        }
        QTRY_COMPARE(program.dialogs.messages(), messages);
        QTRY_VERIFY(QFileInfo::exists(program.folder() + exists));
        QCOMPARE(program.content(exists.toUtf8()), QStringLiteral("alpha"));
        // Only a real rename reads the folder again.
        const bool renamed = exists != QStringLiteral("a.txt");
        QTRY_COMPARE(program.form->listing().findEntry(QStringLiteral("late.txt")) >= 0, renamed);
        if (renamed)
            QCOMPARE(program.selectedName(), exists);
    }

    // Guards against Qt's own F2 trigger: it opened the editor on the current
    // row although no row was selected.
    void f2WithoutASelectedRowOpensNoEditor()
    {
        Program program;
        program.pick(QStringLiteral("a.txt"));
        QTest::keyClick(ui(*program.form).ListView, Qt::Key_Down);
        QCOMPARE(program.selectedName(), QStringLiteral("existing.txt"));
        // The empty area below the rows clears the selection; the current row stays.
        const QWidget *viewport = ui(*program.form).ListView->viewport();
        QTest::mouseClick(ui(*program.form).ListView->viewport(), Qt::LeftButton, {},
                          QPoint(viewport->width() / 2, viewport->height() - 5));
        QCOMPARE(program.form->currentRow(), -1);
        QTest::keyClick(ui(*program.form).ListView, Qt::Key_F2);
        QCoreApplication::processEvents();
        QVERIFY(!ui(*program.form).ListView->isEditingName());
        QVERIFY(program.dialogs.shown().isEmpty());
    }

    // Guards against the rename of the row last clicked instead of the row
    // whose editor was open, when a click on another row ends the edit.
    void clickOnAnotherRowRenamesTheEditedRow()
    {
        Program program;
        program.pick(QStringLiteral("a.txt"));
        QTest::keyClick(ui(*program.form).ListView, Qt::Key_Down);
        QTest::keyClick(ui(*program.form).ListView, Qt::Key_F2);
        QLineEdit *editor = nullptr;
        QTRY_VERIFY((editor = ui(*program.form).ListView->viewport()->findChild<QLineEdit *>()) != nullptr);
        editor->setText(QStringLiteral("c.txt"));
        const int other = program.form->listing().findEntry(QStringLiteral("a.txt"));
        const QRect rect = ui(*program.form).ListView->visualRect(program.form->listModel().index(other, 0));
        QTest::mouseClick(ui(*program.form).ListView->viewport(), Qt::LeftButton, {}, rect.center());
        QTRY_VERIFY(QFileInfo::exists(program.folder() + QStringLiteral("c.txt")));
        QCOMPARE(program.content("c.txt"), QStringLiteral("kept"));
        QCOMPARE(program.content("a.txt"), QStringLiteral("alpha"));
        QCOMPARE(program.dialogs.messages(), QStringList{QStringLiteral("Меняем имя : existing.txt - на  -c.txt")});
    }

    // Guards against commands taking a folder typed into the path box
    // (without Enter) for the listed one.
    void commandsActOnTheListedFolder_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("rename button") << "button";
        QTest::newRow("rename in place") << "in place";
        QTest::newRow("create folder") << "create";
    }
    void commandsActOnTheListedFolder()
    {
        QFETCH(QString, command);
        Program program;
        program.tree.folder("typed");
        program.tree.file("typed/a.txt", "typed");
        program.pick(QStringLiteral("a.txt"));
        ui(*program.form).cbPath->setEditText(program.tree.path("typed/"));
        if (command == QLatin1String("button")) {
            program.dialogs.answerInput(QStringLiteral("b.txt"));
            ui(*program.form).SpeedButton3->click();
        } else if (command == QLatin1String("create")) {
            program.dialogs.answerInput(QStringLiteral("b.txt"));
            ui(*program.form).SpeedButton8->click();
        } else {
            QTest::keyClick(ui(*program.form).ListView, Qt::Key_F2);
            QLineEdit *editor = nullptr;
            QTRY_VERIFY((editor = ui(*program.form).ListView->viewport()->findChild<QLineEdit *>()) != nullptr);
            editor->setText(QStringLiteral("b.txt"));
            QTest::keyClick(editor, Qt::Key_Return);
        }
        QTRY_VERIFY(QFileInfo::exists(program.folder() + QStringLiteral("b.txt")));
        QVERIFY(!QFileInfo::exists(program.tree.path("typed/b.txt")));
        QCOMPARE(program.content("typed/a.txt"), QStringLiteral("typed"));
        QTRY_COMPARE(program.form->listing().currentPath(), program.tree.root());
        QCOMPARE(program.selectedName(), QStringLiteral("b.txt"));
    }

    void createFolder_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("created");
        QTest::newRow("proposed name") << "Новая - "
                                       << "Новая -";
        QTest::newRow("plain") << "new"
                               << "new";
    }
    void createFolder()
    {
        QFETCH(QString, typed);
        QFETCH(QString, created);
        Program program;
        ui(*program.form).ListView->setFocus();
        program.dialogs.answerInput(typed);
        ui(*program.form).SpeedButton8->click();
        const auto inputs = program.dialogs.shown(Kind::Input);
        QCOMPARE(inputs.size(), 1);
        QCOMPARE(inputs.first().title, QStringLiteral("Создать новую папку"));
        QCOMPARE(inputs.first().text, QStringLiteral("Введите имя папки"));
        QCOMPARE(inputs.first().extra, QStringLiteral("Новая - "));
        QVERIFY(QFileInfo(program.folder() + created).isDir());
        QCOMPARE(program.selectedName(), created);
        QVERIFY(program.dialogs.messages().isEmpty());
    }

    void createFolderFailures_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("typed");
        QTest::newRow("existing name") << ""
                                       << "sub";
        QTest::newRow("computer folder") << "computer:///"
                                         << "Новая - ";
    }
    void createFolderFailures()
    {
        QFETCH(QString, folder);
        QFETCH(QString, typed);
        Program program;
        if (!folder.isEmpty())
            program.form->navigateByPath(quil::FolderPath(folder));
        const QString shown = ui(*program.form).cbPath->currentText();
        ui(*program.form).ListView->setFocus();
        program.dialogs.answerInput(typed);
        ui(*program.form).SpeedButton8->click();
        QCOMPARE(program.dialogs.messages(),
                 QStringList{QStringLiteral("Ошибка при создании папки: ") + shown + typed});
        QCOMPARE(ui(*program.form).Label9->text(), QStringLiteral("Создание папки."));
    }

    void createFolderNeedsFocusedList()
    {
        Program program;
        ui(*program.form).cbPath->setFocus();
        ui(*program.form).SpeedButton8->click();
        QCOMPARE(program.dialogs.messages(), QStringList{QStringLiteral("Не выбрано исходной папки...")});
    }

    void renameRefreshesSecondPanelOnSameFolder()
    {
        Program program;
        TForm4 &panel = *program.windows->Form4;
        ui(*program.form).SpeedButton15->click();
        QCOMPARE(panel.folderPath().withTrailingSlash(), program.folder());
        program.pick(QStringLiteral("a.txt"));
        program.dialogs.answerInput(QStringLiteral("d.txt"));
        ui(*program.form).SpeedButton3->click();
        QVERIFY(panel.rowNames().contains(QStringLiteral("d.txt")));
        QVERIFY(!panel.rowNames().contains(QStringLiteral("a.txt")));
    }
};

int main(int argc, char **argv)
{
    usePrivateMounts();
    QApplication application(argc, argv);
    RenameCommandTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "RenameCommandTest.moc"
