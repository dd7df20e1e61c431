// The context menu on the real main window over real folders, with the real
// trash, the real clipboard and a test application registered through a
// temporary XDG data folder.
#include "app/TForm1.h"
#include "listing/FolderListModel.h"
#include "listing/FolderListView.h"
#include "platform/FileClipboard.h"
#include "platform/NativePath.h"
#include "platform/OsError.h"
#include "platform/ScriptedDialogs.h"
#include "platform/fileop/UndoJournal.h"
#include "shell/ContextMenuController.h"
#include "shell/PropertiesWindow.h"
#include "support/Form1Controls.h"
#include "support/MainWindowFixture.h"
#include "support/PrivateMounts.h"
#include "support/RecordingScript.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QStandardPaths>
#include <QTimer>
#include <QToolButton>

#include <cerrno>
#include <glib.h>
#include <sys/stat.h>

using quil::ContextMenuController;
using quil::filesOnClipboard;
using quil::PropertiesWindow;

namespace {
TempTree *g_xdg = nullptr;

QString trashFolder()
{
    return g_xdg->path("data/Trash/");
}

// The texts of a menu's actions, a submenu's as "title>item".
QStringList itemTexts(const QMenu &menu)
{
    QStringList texts;
    for (const QAction *action : menu.actions()) {
        if (action->isSeparator())
            continue;
        texts.append(action->text());
        if (action->menu() != nullptr)
            for (const QString &inner : itemTexts(*action->menu()))
                texts.append(action->text() + QLatin1Char('>') + inner);
    }
    return texts;
}

QAction *findAction(const QMenu &menu, const QString &text)
{
    for (QAction *action : menu.actions()) {
        if (action->text() == text)
            return action;
        if (action->menu() != nullptr)
            if (QAction *inner = findAction(*action->menu(), text))
                return inner;
    }
    return nullptr;
}
} // namespace

class ContextMenuTest : public QObject
{
    Q_OBJECT

    struct Program : MainWindowFixture
    {
        TempTree tree;
        TForm1 *form = nullptr;
        QStringList shownItems;

        Program() { form = &start(); }
        void list(const QByteArray &folder)
        {
            form->navigateByPath(quil::FolderPath(tree.path(folder) + QLatin1Char('/')));
        }
        void selectRow(const QString &name)
        {
            const int row = form->listing().findEntry(name);
            QVERIFY2(row >= 0, qPrintable(name));
            ui(*form).ListView->setCurrentIndex(form->listModel().index(row, 0));
        }
        void selectNothing() { ui(*form).ListView->selectionModel()->clearSelection(); }
        // Right-clicks and picks the item with this text (a submenu's
        // included); an empty text dismisses the menu.
        void rightClick(const QString &pick)
        {
            ContextMenuController &menus = form->contextMenu();
            const auto connection = QObject::connect(&menus, &ContextMenuController::menuShown, [&](QMenu *menu) {
                shownItems = itemTexts(*menu);
                QTimer::singleShot(0, menu, [menu, pick] {
                    if (QAction *action = pick.isEmpty() ? nullptr : findAction(*menu, pick))
                        action->trigger();
                    menu->close();
                });
            });
            form->PopupMenu1Popup();
            QObject::disconnect(connection);
        }
    };

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void itemsInOrder_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("items");
        const QString with = QStringLiteral("Открыть с помощью");
        QTest::newRow("text file") << "file"
                                   << QStringList{"Открыть",
                                                  with,
                                                  with + ">Quil test opener",
                                                  with + ">Другое приложение...",
                                                  "Вырезать",
                                                  "Копировать",
                                                  "Удалить",
                                                  "Переименовать",
                                                  "Свойства",
                                                  "Отменить"};
        QTest::newRow("folder") << "folder" << QStringList{"Открыть",
                                                           with,
                                                           with + ">Другое приложение...",
                                                           "Вырезать",
                                                           "Копировать",
                                                           "Вставить",
                                                           "Удалить",
                                                           "Переименовать",
                                                           "Свойства",
                                                           "Отменить"};
        QTest::newRow("empty area") << "area" << QStringList{"Открыть",    with,       with + ">Другое приложение...",
                                                             "Копировать", "Вставить", "Свойства",
                                                             "Отменить"};
        QTest::newRow("volume root") << "volume" << QStringList{"Открыть", "Свойства", "Отменить"};
    }
    void itemsInOrder()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, items);
        Program program;
        program.tree.file("note.txt", "text\n");
        program.tree.folder("sub");
        if (kind == QLatin1String("volume"))
            program.form->navigateByPath(quil::FolderPath(QStringLiteral("/")));
        else
            program.list("");
        if (kind == QLatin1String("file"))
            program.selectRow(QStringLiteral("note.txt"));
        else if (kind == QLatin1String("folder"))
            program.selectRow(QStringLiteral("sub"));
        else
            program.selectNothing();
        program.rightClick({});
        // The machine's own applications may be listed too; only ours is checked.
        QStringList shown = program.shownItems;
        shown.erase(std::remove_if(shown.begin(), shown.end(),
                                   [](const QString &text) {
                                       return text.contains(QLatin1Char('>')) &&
                                              !text.endsWith(QStringLiteral("...")) &&
                                              !text.endsWith(QStringLiteral("Quil test opener"));
                                   }),
                    shown.end());
        QCOMPARE(shown, items);
    }

    // Regression: the application gets the path as one argument, blanks and
    // shell characters untouched.
    void openWithStartsTheApplicationWithThePath()
    {
        Program program;
        const QString file = program.tree.file("a b;$(x).txt", "text\n");
        program.list("");
        program.selectRow(QStringLiteral("a b;$(x).txt"));
        QFile::remove(g_xdg->path("opened"));
        program.rightClick(QStringLiteral("Quil test opener"));
        const QList<QByteArray> record = waitForRecord(g_xdg->path("opened"));
        QCOMPARE(record.size(), 2);
        QCOMPARE(record.at(1), file.toUtf8());
        QVERIFY(program.dialogs.messages().isEmpty());
    }

    void cutAndPasteMovesTheFile()
    {
        Program program;
        program.tree.folder("from");
        program.tree.folder("to");
        program.tree.file("from/data.bin", QByteArray(70000, 'q'));
        program.list("from");
        program.selectRow(QStringLiteral("data.bin"));
        program.rightClick(QStringLiteral("Вырезать"));
        QVERIFY(filesOnClipboard().cut);
        QVERIFY(QFile::exists(program.tree.path("from/data.bin")));

        program.list("to");
        program.selectNothing();
        program.rightClick(QStringLiteral("Вставить"));
        QFile moved(program.tree.path("to/data.bin"));
        QVERIFY(moved.open(QIODevice::ReadOnly));
        QCOMPARE(moved.readAll(), QByteArray(70000, 'q'));
        QVERIFY(!QFile::exists(program.tree.path("from/data.bin")));
        QVERIFY(filesOnClipboard().paths.isEmpty());
        QVERIFY(program.form->listing().findEntry(QStringLiteral("data.bin")) >= 0);
    }

    // What another file manager reads after our Copy, and what we paste
    // after its copy.
    void clipboardSpeaksWithOtherFileManagers()
    {
        Program program;
        program.tree.folder("in");
        program.tree.file("in/отчёт 1.txt", "report");
        program.list("in");
        program.selectRow(QStringLiteral("отчёт 1.txt"));
        program.rightClick(QStringLiteral("Копировать"));
        const QByteArray uri = "file://" + program.tree.rootBytes() + "/in/%D0%BE%D1%82%D1%87%D1%91%D1%82%201.txt";
        const QMimeData *ours = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(ours->data(QStringLiteral("x-special/gnome-copied-files")), "copy\n" + uri);
        QCOMPARE(ours->data(QStringLiteral("text/uri-list")), uri + "\r\n");
        QCOMPARE(ours->text(), program.tree.path("in/отчёт 1.txt"));

        auto *theirs = new QMimeData;
        theirs->setData(QStringLiteral("x-special/gnome-copied-files"), "copy\n" + uri + "\n");
        theirs->setData(QStringLiteral("text/uri-list"), uri + "\r\n");
        QGuiApplication::clipboard()->setMimeData(theirs);
        program.tree.folder("out");
        program.list("out");
        program.selectNothing();
        program.rightClick(QStringLiteral("Вставить"));
        QVERIFY(QFile::exists(program.tree.path("out/отчёт 1.txt")));
        QVERIFY(QFile::exists(program.tree.path("in/отчёт 1.txt")));
    }

    void clipboardUriHostDecidesWhetherTheFileIsLocal_data()
    {
        QTest::addColumn<QByteArrayList>("hosts");
        QTest::addColumn<bool>("local");
        QTest::newRow("no host") << QByteArrayList{""} << true;
        QTest::newRow("localhost") << QByteArrayList{"LocalHost"} << true;
        QTest::newRow("this machine") << QByteArrayList{QByteArray(g_get_host_name())} << true;
        QTest::newRow("another machine") << QByteArrayList{"remotehost.example"} << false;
        QTest::newRow("one of two elsewhere") << QByteArrayList{"", "remotehost.example"} << false;
    }

    // Regression: file://remotehost.example/tmp/a/victim moved the local
    // /tmp/a/victim.
    void clipboardUriHostDecidesWhetherTheFileIsLocal()
    {
        QFETCH(QByteArrayList, hosts);
        QFETCH(bool, local);
        Program program;
        program.tree.folder("a");
        program.tree.folder("to");
        QByteArray uris = "cut";
        for (int i = 0; i < hosts.size(); ++i) {
            const QByteArray name = "victim" + QByteArray::number(i);
            program.tree.file("a/" + name, "private " + name);
            uris += "\nfile://" + hosts.at(i) + program.tree.rootBytes() + "/a/" + name;
        }
        auto *data = new QMimeData;
        data->setData(QStringLiteral("x-special/gnome-copied-files"), uris);
        QGuiApplication::clipboard()->setMimeData(data);
        program.list("to");
        program.selectNothing();
        program.rightClick(QStringLiteral("Вставить"));
        for (int i = 0; i < hosts.size(); ++i) {
            const QByteArray name = "victim" + QByteArray::number(i);
            QCOMPARE(QFile::exists(program.tree.path("a/" + name)), !local);
            QCOMPARE(QFile::exists(program.tree.path("to/" + name)), local);
        }
        const QStringList messages = program.dialogs.messages();
        if (local) {
            QVERIFY(messages.isEmpty());
        } else {
            QCOMPARE(messages.size(), 1);
            QVERIFY(messages.first().startsWith(QStringLiteral("Вставка отменена: файлы на другом компьютере\r\n")));
            QVERIFY(messages.first().endsWith(QStringLiteral("file://remotehost.example") + program.tree.root() +
                                              QStringLiteral("/a/victim") + QString::number(hosts.size() - 1)));
        }
    }

    // Guards against a delete without the question that F8 asks.
    void deleteAsksAsTheDeleteCommandDoes_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("toTrash");
        QTest::newRow("to the trash") << true << true;
        QTest::newRow("for good") << true << false;
        QTest::newRow("No") << false << true;
    }
    void deleteAsksAsTheDeleteCommandDoes()
    {
        QFETCH(bool, yes);
        QFETCH(bool, toTrash);
        Program program;
        program.tree.file("gone.txt", "bye");
        program.tree.file("kept.txt", "stay");
        program.list("");
        program.selectRow(QStringLiteral("gone.txt"));
        program.dialogs.answerYesNoWithCheck(yes, toTrash);
        program.rightClick(QStringLiteral("Удалить"));

        const auto asked = program.dialogs.shown(quil::ScriptedDialogs::Kind::YesNoWithCheck);
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.first().title, QStringLiteral("Удаление выделенных объектов..."));
        QCOMPARE(asked.first().text,
                 QStringLiteral("Удалить : 1 объект(ов)\r\ngone.txt\r\n\r\n\r\n В Ы П О Л Н И Т Ь ?"));
        QCOMPARE(asked.first().extra, QStringLiteral("Удалять в корзину."));
        QCOMPARE(program.dialogs.messages(), yes ? QStringList() : QStringList{QStringLiteral("Удаление отменено")});
        QCOMPARE(QFile::exists(program.tree.path("gone.txt")), !yes);
        QCOMPARE(program.form->listing().findEntry(QStringLiteral("gone.txt")) >= 0, !yes);
        QFile info(trashFolder() + "info/gone.txt.trashinfo");
        QCOMPARE(QFile::exists(trashFolder() + "files/gone.txt"), yes && toTrash);
        if (yes && toTrash) {
            QVERIFY(info.open(QIODevice::ReadOnly));
            QVERIFY(info.readAll().contains("Path=" + program.tree.rootBytes() + "/gone.txt"));
        }
        QFile::remove(trashFolder() + "files/gone.txt");
        info.remove();
    }

    void dismissedMenuListsAgainWithTheEntrySelected()
    {
        Program program;
        program.tree.file("a.txt");
        program.tree.file("b.txt");
        program.list("");
        program.selectRow(QStringLiteral("b.txt"));
        program.tree.file("c.txt");
        program.rightClick({});
        QVERIFY(program.form->listing().findEntry(QStringLiteral("c.txt")) >= 0);
        QCOMPARE(program.form->listing().entry(program.form->currentRow()).name, QStringLiteral("b.txt"));
        QCOMPARE(program.form->entryToSelect(), QStringLiteral("b.txt"));
    }

    // "Отменить …" names the newest file operation and undoes it as Ctrl+Z
    // does, then lists the listed folder (not a path typed into the path box
    // without Enter, which it listed once); with nothing left to undo it is
    // there but does nothing.
    void undoNamesAndUndoesTheNewestOperation()
    {
        quil::UndoJournal::session().clear();
        Program program;
        program.tree.folder("work");
        program.tree.file("work/a.txt", "a");
        program.list("work");
        program.focusRow(QStringLiteral("a.txt"));
        program.dialogs.answerInput(QStringLiteral("made"));
        ui(*program.form).SpeedButton8->click();
        const QString made = program.tree.path("work/made");
        QVERIFY(QFileInfo(made).isDir());

        const QString undo = QStringLiteral("Отменить создание папки 1 объект(ов)");
        program.selectRow(QStringLiteral("made"));
        program.dialogs.answerYesNo(true);
        ui(*program.form).cbPath->setEditText(program.tree.root() + QLatin1Char('/'));
        program.rightClick(undo);
        QVERIFY(program.shownItems.contains(undo));
        QVERIFY(!QFileInfo::exists(made));
        QCOMPARE(program.form->listedFolder().path(), program.tree.path("work"));
        QCOMPARE(program.dialogs.shown(quil::ScriptedDialogs::Kind::YesNo).size(), 1);

        program.rightClick(QStringLiteral("Отменить"));
        QCOMPARE(program.shownItems.last(), QStringLiteral("Отменить"));
        QCOMPARE(program.dialogs.shown(quil::ScriptedDialogs::Kind::YesNo).size(), 1);
    }

    void renameOpensTheEditorOnTheRow()
    {
        Program program;
        program.tree.file("old.txt", "x");
        program.list("");
        program.selectRow(QStringLiteral("old.txt"));
        program.rightClick(QStringLiteral("Переименовать"));
        auto *editor = ui(*program.form).ListView->findChild<QLineEdit *>();
        QVERIFY(editor != nullptr && editor->isVisible());
        QCOMPARE(editor->text(), QStringLiteral("old.txt"));
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, QStringLiteral("new.txt"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(QFile::exists(program.tree.path("new.txt")));
        QVERIFY(!QFile::exists(program.tree.path("old.txt")));
    }

    void propertiesOfAFolderTree()
    {
        TempTree tree;
        tree.folder("top");
        tree.folder("top/deep");
        tree.folder("top/deep/deeper");
        tree.file("top/empty");
        tree.file("top/a", QByteArray(63999, 'a'));
        tree.file("top/deep/b", QByteArray(64000, 'b'));
        tree.file("top/deep/deeper/c", QByteArray(1, 'c'));
        ::chmod(qPrintable(tree.path("top")), 0750);
        TestServices test;
        PropertiesWindow window(test.dialogs, tree.path("top"), PropertiesWindow::Kind::Item);
        QTRY_VERIFY(window.sizeFinished());
        QCOMPARE(window.value(QStringLiteral("Размер:")), QStringLiteral("128 000 байт, файлов: 4"));
        QCOMPARE(window.value(QStringLiteral("Имя:")), QStringLiteral("top"));
        QCOMPARE(window.value(QStringLiteral("Размещение:")), tree.root());
        const bool expected[9] = {true, true, true, true, false, true, false, false, false};
        for (int i = 0; i < 9; ++i)
            QCOMPARE(window.permissionBox(i / 3, i % 3)->isChecked(), expected[i]);
        // Others may now read: the mode of the folder follows the box.
        window.permissionBox(2, 0)->setChecked(true);
        struct stat info
        {
        };
        QCOMPARE(::stat(qPrintable(tree.path("top")), &info), 0);
        QCOMPARE(info.st_mode & 0777, mode_t(0754));
    }

    void permissionBoxActsOnTheItemOpenedOnly_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("unchanged") << "none";
        QTest::newRow("replaced by a link") << "link";
        QTest::newRow("replaced by another file") << "file";
    }

    // Regression: the box changed the mode of whatever the name pointed to
    // when clicked: a link put in the item's place made a private file 0602.
    void permissionBoxActsOnTheItemOpenedOnly()
    {
        QFETCH(QString, change);
        TempTree tree;
        const QString item = tree.file("item", "mine");
        const QString secret = tree.file("secret", "private");
        const QString other = tree.file("other", "other");
        ::chmod(qPrintable(item), 0600);
        ::chmod(qPrintable(secret), 0600);
        ::chmod(qPrintable(other), 0600);
        TestServices test;
        PropertiesWindow window(test.dialogs, item, PropertiesWindow::Kind::Item);
        window.show();
        QVERIFY(QFile::rename(item, tree.path("item.kept")));
        if (change == QLatin1String("link"))
            tree.symlink(quil::toNative(secret), "item");
        else if (change == QLatin1String("file"))
            QVERIFY(QFile::rename(other, item));
        else
            QVERIFY(QFile::rename(tree.path("item.kept"), item));
        QCheckBox *othersWrite = window.permissionBox(2, 1);
        QTest::mouseClick(othersWrite, Qt::LeftButton);
        const auto modeOf = [](const QString &path) {
            struct stat info
            {
            };
            return ::lstat(qPrintable(path), &info) == 0 ? info.st_mode & 07777 : mode_t(07777);
        };
        if (change == QLatin1String("none")) {
            QCOMPARE(modeOf(item), mode_t(0602));
            QVERIFY(othersWrite->isChecked());
            QVERIFY(test.dialogs.messages().isEmpty());
            return;
        }
        QCOMPARE(modeOf(secret), mode_t(0600));
        QCOMPARE(modeOf(tree.path("item.kept")), mode_t(0600));
        if (change == QLatin1String("file"))
            QCOMPARE(modeOf(item), mode_t(0600));
        QVERIFY(!othersWrite->isChecked());
        QCOMPARE(test.dialogs.shown(quil::ScriptedDialogs::Kind::ErrorBox).size(), 1);
        QCOMPARE(test.dialogs.messages().first(), quil::osErrorText(ESTALE));
    }

    void propertiesOfAVolumeFromTheMenu()
    {
        Program program;
        program.form->navigateByPath(quil::FolderPath(QStringLiteral("/")));
        program.selectNothing();
        QString fileSystem;
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            if (auto *window = qobject_cast<PropertiesWindow *>(QApplication::activeModalWidget())) {
                fileSystem = window->value(QStringLiteral("Файловая система:"));
                window->accept();
            }
        });
        watcher.start(10);
        program.rightClick(QStringLiteral("Свойства"));
        QVERIFY(!fileSystem.isEmpty());
        QVERIFY(program.dialogs.messages().isEmpty());
    }
};

int main(int argc, char **argv)
{
    usePrivateMounts();
    TempTree xdg;
    g_xdg = &xdg;
    ::setenv("HOME", qPrintable(xdg.root()), 1);
    installTestTextOpener(xdg, "quil-test-opener");
    xdg.folder("data/Trash");
    QApplication application(argc, argv);
    ContextMenuTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ContextMenuTest.moc"
