#include "app/TForm1.h"
#include "fileops/MarksController.h"
#include "fileops/TForm4.h"
#include "listing/FolderListing.h"
#include "listing/FolderTreeModel.h"
#include "platform/ScriptedDialogs.h"
#include "platform/ShellNamespace.h"
#include "platform/fileop/UndoJournal.h"
#include "platform/gio/GioLocation.h"
#include "search/TFILESCH.h"
#include "shell/ContextMenuController.h"
#include "support/Form1Controls.h"
#include "support/Form4Controls.h"
#include "support/MainWindowFixture.h"
#include "support/SearchWindowControls.h"
#include "support/TempTree.h"
#include "support/TestServices.h"
#include "support/TestSshServer.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QTreeView>

// GIO locations in the main list, under a private gvfs session
// (gvfs_session.sh): archives entered with Enter and left with Backspace and
// Up, locations typed into the path box, failures told with GIO's text.
class GioListTest : public QObject
{
    Q_OBJECT

    static QStringList names(TForm1 &form)
    {
        QStringList listed;
        for (int i = 0; i < form.listing().count(); ++i)
            listed << form.listing().entry(i).name;
        return listed;
    }
    static QString currentName(TForm1 &form) { return form.listing().entry(form.currentRow()).name; }
    static bool run(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.start(program, arguments);
        return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }
    static void typePath(TForm1 &form, const QString &text)
    {
        ui(form).cbPath->setEditText(text);
        QTest::keyClick(ui(form).cbPath->lineEdit(), Qt::Key_Return);
    }

    static QByteArray contentOf(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }
    // Opens the context menu on the row (none: the folder's area) and picks
    // the item with this text.
    static void pickFromMenu(MainWindowFixture &fixture, const QString &row, const QString &pick)
    {
        TForm1 &form = fixture.form();
        if (row.isEmpty())
            ui(form).ListView->selectionModel()->clearSelection();
        else
            fixture.focusRow(row);
        const auto connection =
            connect(&form.contextMenu(), &quil::ContextMenuController::menuShown, &form, [pick](QMenu *menu) {
                QTimer::singleShot(0, menu, [menu, pick] {
                    for (QAction *action : menu->actions())
                        if (action->text() == pick)
                            action->trigger();
                    menu->close();
                });
            });
        form.PopupMenu1Popup();
        disconnect(connection);
    }
    static void press(MainWindowFixture &fixture, const QString &row, int key)
    {
        fixture.focusRow(row);
        QTest::keyClick(ui(fixture.form()).ListView, Qt::Key(key));
    }

private Q_SLOTS:
    // Two applications of the scratch home (only inside gvfs_session.sh):
    // one takes URIs, gvfs's own included (text), one only paths (PNG);
    // each writes what it got
    // under $HOME.
    void initTestCase()
    {
        if (!qEnvironmentVariableIsSet("QUIL_GVFS_SESSION"))
            return;
        const QString home = QDir::homePath();
        const QString applications = home + "/.local/share/applications";
        QVERIFY(QDir().mkpath(applications) && QDir().mkpath(home + "/.config"));
        const auto write = [](const QString &path, const QByteArray &text) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
            file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        };
        for (const char *kind : {"uri", "path"}) {
            const QString script = home + "/open-" + kind + ".sh";
            const QByteArray taken = kind == QByteArray("uri") ? "printf %s \"$1\"" : "cat \"$1\"";
            write(script, "#!/bin/sh\n" + taken + " > \"$HOME/opening\" && mv \"$HOME/opening\" \"$HOME/opened-" +
                              kind + "\"\n");
            write(applications + "/quil-test-" + kind + ".desktop",
                  "[Desktop Entry]\nType=Application\nName=" + QByteArray(kind) + "\nExec=" + script.toUtf8() +
                      (kind == QByteArray("uri") ? " %u\nX-GIO-NoFuse=true" : " %f") + "\n");
        }
        write(home + "/.config/mimeapps.list",
              "[Default Applications]\ntext/plain=quil-test-uri.desktop\nimage/png=quil-test-path.desktop\n");
    }

    void init()
    {
        if (!quil::isGioLocation(QStringLiteral("archive:///")))
            QSKIP("no gvfs session here (run through gvfs_session.sh)");
    }

    void anArchiveIsEnteredAndLeft_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<QString>("maker");
        QTest::addColumn<QStringList>("arguments");
        const QString zipper = QStringLiteral("import sys, zipfile\n"
                                              "with zipfile.ZipFile(sys.argv[1], 'w') as z:\n"
                                              "    z.writestr('top.txt', 't')\n"
                                              "    z.writestr('inner/deep.txt', 'd')\n");
        QTest::newRow("zip") << "a b.zip"
                             << "python3" << QStringList{"-c", zipper, "a b.zip"};
        QTest::newRow("tar.gz") << "p.tar.gz"
                                << "tar" << QStringList{"-czf", "p.tar.gz", "-C", "pack", "."};
    }
    void anArchiveIsEnteredAndLeft()
    {
        QFETCH(QString, archive);
        QFETCH(QString, maker);
        QFETCH(QStringList, arguments);
        TempTree tree;
        tree.folder("pack");
        tree.folder("pack/inner");
        tree.file("pack/top.txt", "t");
        tree.file("pack/inner/deep.txt", "d");
        QProcess making;
        making.setWorkingDirectory(tree.root());
        making.start(maker, arguments);
        QVERIFY(making.waitForFinished() && making.exitCode() == 0);
        MainWindowFixture fixture;
        TForm1 &form = fixture.start();
        form.navigateByPath(quil::FolderPath(tree.root()));

        fixture.focusRow(archive);
        QTest::keyClick(ui(form).ListView, Qt::Key_Return);
        const QString top = quil::archiveLocation(tree.path(archive.toUtf8()).toUtf8());
        QCOMPARE(form.listing().currentPath(), top);
        QCOMPARE(ui(form).cbPath->currentText(), top);
        QCOMPARE(names(form), QStringList({"inner", "top.txt"}));
        const int topFile = form.listing().findEntry("top.txt");
        form.listing().fillDetails(topFile, topFile);
        QCOMPARE(form.listing().entry(topFile).size, 1);
        QVERIFY(!form.listing().entry(topFile).dateText.isEmpty());

        fixture.focusRow(QStringLiteral("inner"));
        QTest::keyClick(ui(form).ListView, Qt::Key_Return);
        QCOMPARE(names(form), QStringList({"deep.txt"}));
        QCOMPARE(ui(form).cbPath->currentText(), top + QStringLiteral("inner/"));

        QTest::keyClick(ui(form).ListView, Qt::Key_Backspace);
        QCOMPARE(form.listing().currentPath(), top);
        QCOMPARE(currentName(form), QStringLiteral("inner"));
        form.SpeedButton2Click();
        QCOMPARE(form.listing().currentPath(), tree.root());
        QCOMPARE(currentName(form), archive);
        QVERIFY(form.history().find(top) >= 0);
        QCOMPARE(fixture.dialogs.messages(), QStringList());
    }

    // The second panel opens an archive with Enter, shows its names
    // unescaped, enters its folders and goes up out of it to the folder
    // that holds it; a location typed that it cannot read is told, and the
    // folder before is listed again.
    void secondPanelListsALocation()
    {
        TempTree tree;
        tree.folder("pack");
        tree.folder("pack/папка");
        tree.file("pack/папка/deep.txt", "d");
        tree.file("pack/top.txt", "t");
        tree.tarGz("p.tar.gz", "pack");
        TestServices test;
        TForm4 panel(test.services);
        panel.SecondPanelPath = quil::FolderPath(tree.root());
        panel.ListSecondPanel(panel.SecondPanelPath);
        const auto typePanelPath = [&panel](const QString &text) {
            ui(panel).Edit1->setText(text);
            QTest::keyClick(ui(panel).Edit1, Qt::Key_Return);
        };
        const QString top = quil::archiveLocation(tree.path("p.tar.gz").toUtf8());
        ui(panel).ListView1->setCurrentRow(int(panel.rowNames().indexOf("p.tar.gz")));
        QTest::keyClick(ui(panel).ListView1, Qt::Key_Return);
        QTRY_VERIFY(!panel.isReading());
        QCOMPARE(panel.folderPath().withTrailingSlash(), top);
        QCOMPARE(panel.rowNames(), QStringList({"папка", "top.txt"}));
        QCOMPARE(ui(panel).Label4->text(), QStringLiteral("1"));

        ui(panel).ListView1->setCurrentRow(0);
        QTest::keyClick(ui(panel).ListView1, Qt::Key_Return);
        QTRY_VERIFY(!panel.isReading());
        QCOMPARE(panel.rowNames(), QStringList{"deep.txt"});
        QTest::keyClick(ui(panel).ListView1, Qt::Key_Backspace);
        QTRY_VERIFY(!panel.isReading());
        QCOMPARE(ui(panel).ListView1->currentCaption(), QStringLiteral("папка"));
        QTest::keyClick(ui(panel).ListView1, Qt::Key_Backspace);
        QCOMPARE(panel.folderPath(), quil::FolderPath(tree.root()));
        QCOMPARE(ui(panel).ListView1->currentCaption(), QStringLiteral("p.tar.gz"));

        typePanelPath(quil::archiveLocation(tree.path("none.zip").toUtf8()));
        QTRY_VERIFY(!panel.isReading());
        QCOMPARE(test.dialogs.shown(quil::ScriptedDialogs::Kind::ErrorBox).size(), 1);
        QCOMPARE(panel.folderPath(), quil::FolderPath(tree.root()));
        QVERIFY(panel.rowNames().contains(QStringLiteral("p.tar.gz")));
    }

    // Marks in a location count what the location told; its folders are not
    // walked for their sizes, and the file search refuses it with a message.
    void marksAndSearchInALocation()
    {
        TempTree tree;
        tree.folder("pack");
        tree.folder("pack/inner");
        tree.file("pack/a.txt", QByteArray(5000, 'a'));
        tree.tarGz("p.tar.gz", "pack");
        MainWindowFixture fixture;
        TForm1 &form = fixture.start();
        form.navigateByPath(quil::FolderPath(quil::archiveLocation(tree.path("p.tar.gz").toUtf8())));
        fixture.focusRow(QStringLiteral("a.txt"));
        form.ToggleCurrentMark();
        QCOMPARE(form.marks().summary().SelFileCount, 1);
        QCOMPARE(form.marks().summary().SelTotalKB, 4);
        fixture.focusRow(QStringLiteral("inner"));
        form.ToggleCurrentMark();
        QVERIFY(form.marks().workers().isEmpty());

        form.Button1Click();
        ui(*fixture.windows->FILESCH).Button2->click();
        QCOMPARE(fixture.dialogs.messages().size(), 1);
        QVERIFY(fixture.dialogs.messages().first().startsWith(QStringLiteral("Поиск в сетевых папках")));
    }

    // A URI typed into the path box is listed and kept in the history; one
    // that GIO cannot read is told with GIO's text and the list stays;
    // "user@host:/path" is no URI and is not guessed as one.
    void locationsTypedIntoThePathBox()
    {
        TempTree tree;
        tree.file("kept.txt");
        tree.file("thrown.txt", "x");
        QVERIFY(run(QStringLiteral("gio"), {QStringLiteral("trash"), tree.path("thrown.txt")}));
        MainWindowFixture program;
        TForm1 &form = program.start();
        form.navigateByPath(quil::FolderPath(tree.root()));

        // The status line tells of the reading from its start.
        QString statusWhileReading;
        QTimer::singleShot(0, &form, [&] { statusWhileReading = ui(form).Label9->text(); });
        typePath(form, QStringLiteral("trash:///"));
        QCOMPARE(statusWhileReading, QStringLiteral("Чтение папки: 0"));
        QCOMPARE(form.listing().currentPath(), QStringLiteral("trash:///"));
        QVERIFY(names(form).contains(QStringLiteral("thrown.txt")));
        QVERIFY(form.history().find(QStringLiteral("trash:///")) >= 0);

        const QString missing = quil::archiveLocation(tree.path("none.zip").toUtf8());
        typePath(form, missing);
        QCOMPARE(form.listing().currentPath(), QStringLiteral("trash:///"));
        QCOMPARE(program.dialogs.messages().size(), 1);
        QVERIFY(!program.dialogs.messages().constFirst().contains(QStringLiteral("Code")));

        typePath(form, QStringLiteral("nobody@localhost:") + tree.root());
        QCOMPARE(form.listing().currentPath(), QStringLiteral("trash:///"));
        QCOMPARE(program.dialogs.messages().size(), 2);
    }

    // "Корзина", reached from the computer folder and the tree, lists where
    // each item came from; its menu restores (refused while the place is
    // taken, the folder made again when gone), deletes for good and empties.
    void theTrashAsAFolder()
    {
        TempTree tree;
        tree.folder("docs");
        tree.file("docs/a.txt", "1");
        tree.file("b.txt", "2");
        tree.file("c.txt", "3");
        // The session's trash, emptied of what the other cases threw away.
        QVERIFY(run(QStringLiteral("gio"), {QStringLiteral("trash"), QStringLiteral("--empty")}));
        QVERIFY(run(QStringLiteral("gio"), {QStringLiteral("trash"), tree.path("docs/a.txt"), tree.path("b.txt")}));
        MainWindowFixture fixture;
        TForm1 &form = fixture.start();
        form.navigateByPath(quil::FolderPath(QStringLiteral("computer:///")));
        fixture.focusRow(QStringLiteral("Корзина"));
        QTest::keyClick(ui(form).ListView, Qt::Key_Return);
        QCOMPARE(form.listing().currentPath(), QStringLiteral("trash:///"));
        QCOMPARE(names(form), QStringList({"a.txt", "b.txt"}));
        form.listing().fillDetails(0, 1);
        QCOMPARE(form.listing().entry(0).typeText, tree.path("docs"));
        QVERIFY(!form.listing().entry(0).dateText.isEmpty());

        tree.file("docs/a.txt", "new");
        pickFromMenu(fixture, QStringLiteral("a.txt"), QStringLiteral("Восстановить"));
        QCOMPARE(fixture.dialogs.messages().size(), 1);
        QVERIFY(fixture.dialogs.messages().constFirst().contains(tree.path("docs/a.txt")));
        QCOMPARE(contentOf(tree.path("docs/a.txt")), QByteArray("new"));
        QVERIFY(QFile::remove(tree.path("docs/a.txt")) && QDir(tree.path("docs")).removeRecursively());
        pickFromMenu(fixture, QStringLiteral("a.txt"), QStringLiteral("Восстановить"));
        QCOMPARE(contentOf(tree.path("docs/a.txt")), QByteArray("1"));
        QCOMPARE(names(form), QStringList({"b.txt"}));

        fixture.dialogs.answerYesNo(true);
        pickFromMenu(fixture, QStringLiteral("b.txt"), QStringLiteral("Удалить"));
        QCOMPARE(names(form), QStringList());
        QVERIFY(!QFile::exists(tree.path("b.txt")));

        // F8 in the trash deletes for good, a folder with its content, after
        // the menu's question.
        QVERIFY(run(QStringLiteral("gio"), {QStringLiteral("trash"), tree.path("docs")}));
        form.relistFolder();
        fixture.dialogs.answerYesNo(true);
        press(fixture, QStringLiteral("docs"), Qt::Key_F8);
        QCOMPARE(fixture.dialogs.shown(quil::ScriptedDialogs::Kind::YesNo).constLast().text,
                 QStringLiteral("Удалить «docs» навсегда?"));
        QCOMPARE(names(form), QStringList());
        QCOMPARE(fixture.dialogs.messages().size(), 1);

        // From the tree, and emptied from the folder's area.
        QVERIFY(run(QStringLiteral("gio"), {QStringLiteral("trash"), tree.path("c.txt")}));
        form.navigateByPath(quil::FolderPath(tree.root()));
        const quil::FolderTreeModel &model = *form.treeModel();
        const QModelIndex computer = model.index(1, 0);
        QModelIndex trash;
        for (int row = 0; row < model.rowCount(computer); ++row)
            if (model.itemOf(model.index(row, 0, computer)) == quil::ShellNamespace::trashFolder())
                trash = model.index(row, 0, computer);
        QVERIFY(trash.isValid());
        ui(form).ShellTreeView1->setCurrentIndex(trash);
        form.ShellTreeView1Click();
        QCOMPARE(names(form), QStringList({"c.txt"}));
        fixture.dialogs.answerYesNo(true);
        pickFromMenu(fixture, {}, QStringLiteral("Очистить корзину"));
        QCOMPARE(names(form), QStringList());
        QCOMPARE(fixture.dialogs.messages().size(), 1);
    }

    // Copying marked rows out of an archive extracts them into the panel's
    // folder; a move out of it is refused before anything is copied.
    void copiesOutOfAnArchive()
    {
        TempTree tree;
        QVERIFY(run(QStringLiteral("python3"), {"-c",
                                                "import sys, zipfile\n"
                                                "with zipfile.ZipFile(sys.argv[1], 'w') as z:\n"
                                                "    z.writestr('top file.txt', 't')\n"
                                                "    z.writestr('inner/deep.txt', 'd')\n",
                                                tree.path("a.zip")}));
        const QString out = tree.folder("out");
        MainWindowFixture fixture;
        TForm1 &form = fixture.start();
        TForm4 &panel = *fixture.windows->Form4;
        panel.showPanel();
        panel.SecondPanelPath = quil::FolderPath(out);
        panel.relist();
        form.navigateByPath(quil::FolderPath(quil::archiveLocation(tree.path("a.zip").toUtf8())));
        press(fixture, QStringLiteral("inner"), Qt::Key_Insert);
        press(fixture, QStringLiteral("top file.txt"), Qt::Key_Insert);
        fixture.dialogs.answerYesNo(true);
        QTest::keyClick(ui(form).ListView, Qt::Key_F5);
        QCOMPARE(contentOf(out + "/inner/deep.txt"), QByteArray("d"));
        QCOMPARE(contentOf(out + "/top file.txt"), QByteArray("t"));
        QCOMPARE(fixture.dialogs.messages(), QStringList());

        QVERIFY(QFile::remove(out + "/top file.txt"));
        press(fixture, QStringLiteral("top file.txt"), Qt::Key_F6);
        QCOMPARE(fixture.dialogs.messages().size(), 1);
        QVERIFY(!QFile::exists(out + "/top file.txt"));
        QCOMPARE(names(form), QStringList({"inner", "top file.txt"}));
    }

    // A copy into an sftp folder the second panel shows; rename, create
    // folder and delete in an sftp folder of a real sshd, with names that a
    // URI must escape; a trash that the server lacks is told.
    void commandsInAnSftpFolder()
    {
        TempTree tree;
        tree.folder("remote");
        tree.folder("remote/dir");
        tree.file("remote/dir/x.txt", "x");
        tree.file("remote/one.txt", "1");
        const TestSshServer server(tree.root());
        if (!server.failure().isEmpty())
            QSKIP(qPrintable(server.failure()));
        QVERIFY(server.makeClientKey() && server.trustHost());
        MainWindowFixture fixture;
        TForm1 &form = fixture.start();
        // Copied into the location the second panel shows.
        tree.folder("drop");
        tree.file("up.txt", "u");
        TForm4 &panel = *fixture.windows->Form4;
        panel.SecondPanelPath = quil::FolderPath(server.uri(tree.path("drop")));
        panel.ListSecondPanel(panel.SecondPanelPath);
        QTRY_VERIFY(!panel.isReading());
        form.navigateByPath(quil::FolderPath(tree.root()));
        fixture.dialogs.answerInput(QStringLiteral("up.txt"));
        press(fixture, QStringLiteral("up.txt"), Qt::Key_F5);
        QCOMPARE(contentOf(tree.path("drop/up.txt")), QByteArray("u"));
        QTRY_COMPARE(panel.rowNames(), QStringList{"up.txt"});

        typePath(form, server.uri(tree.path("remote")));
        QCOMPARE(names(form), QStringList({"dir", "one.txt"}));

        fixture.focusRow(QStringLiteral("one.txt"));
        fixture.dialogs.answerInput(QStringLiteral("два #2.txt"));
        form.SpeedButton3Click();
        QCOMPARE(contentOf(tree.path("remote/два #2.txt")), QByteArray("1"));
        QCOMPARE(currentName(form), QStringLiteral("два #2.txt"));

        fixture.dialogs.answerInput(QStringLiteral("new %20 one"));
        form.SpeedButton8Click();
        QVERIFY(QFileInfo(tree.path("remote/new %20 one")).isDir());
        QCOMPARE(currentName(form), QStringLiteral("new %20 one"));

        // The question offers no trash the server has not; asked for
        // anyway, it is told.
        fixture.dialogs.answerYesNoWithCheck(true, true);
        fixture.dialogs.answerItemError(quil::Dialogs::ErrorAnswer::Skip);
        press(fixture, QStringLiteral("два #2.txt"), Qt::Key_F8);
        QVERIFY(!fixture.dialogs.shown(quil::ScriptedDialogs::Kind::YesNoWithCheck).constLast().checked);
        QCOMPARE(fixture.dialogs.shown(quil::ScriptedDialogs::Kind::ItemError).size(), 1);
        // Named by its URI, readably (not by gvfs's FUSE path, nor escaped).
        const QString named = fixture.dialogs.shown(quil::ScriptedDialogs::Kind::ItemError).constFirst().text;
        QVERIFY2(named.startsWith("sftp://") && named.endsWith("/remote/два #2.txt"), qPrintable(named));
        QVERIFY(QFile::exists(tree.path("remote/два #2.txt")));

        press(fixture, QStringLiteral("dir"), Qt::Key_Insert);
        press(fixture, QStringLiteral("new %20 one"), Qt::Key_Insert);
        fixture.dialogs.answerYesNoWithCheck(true, false);
        QTest::keyClick(ui(form).ListView, Qt::Key_F8);
        QCOMPARE(names(form), QStringList({"два #2.txt"}));
        QCOMPARE(QDir(tree.path("remote")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({"два #2.txt"}));
    }

    // Copies and moves between an sftp folder and one on disk or another on
    // the same server, each undone with Ctrl+Z: the copy goes, a moved item
    // comes back. A copy changed since stays, and an item moved out of the
    // trash cannot go back there: the undo says so.
    void transfersBetweenLocationsAreUndone_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("source"); // "sftp", "disk" or "trash"
        QTest::addColumn<bool>("toServer");
        QTest::addColumn<bool>("changedSince");
        QTest::newRow("move sftp → disk") << int(Qt::Key_F6) << "sftp" << false << false;
        QTest::newRow("copy sftp → sftp") << int(Qt::Key_F5) << "sftp" << true << false;
        QTest::newRow("move sftp → sftp") << int(Qt::Key_F6) << "sftp" << true << false;
        QTest::newRow("copy disk → sftp, changed") << int(Qt::Key_F5) << "disk" << true << true;
        QTest::newRow("move trash → disk") << int(Qt::Key_F6) << "trash" << false << false;
        QTest::newRow("move trash → sftp") << int(Qt::Key_F6) << "trash" << true << false;
    }
    void transfersBetweenLocationsAreUndone()
    {
        QFETCH(int, key);
        QFETCH(QString, source);
        QFETCH(bool, toServer);
        QFETCH(bool, changedSince);
        quil::UndoJournal::session().clear();
        TempTree tree;
        const QString from = tree.folder("from");
        const QString to = tree.folder("to");
        tree.folder("from/item");
        tree.file("from/item/in.txt", "i");
        // With these, a fresh folder's files go several at once.
        tree.file("from/item/b.txt", "b");
        tree.file("from/item/c.txt", "c");
        const TestSshServer server(tree.root());
        if (!server.failure().isEmpty())
            QSKIP(qPrintable(server.failure()));
        QVERIFY(server.makeClientKey() && server.trustHost());
        MainWindowFixture fixture;
        TForm1 &form = fixture.start();
        TForm4 &panel = *fixture.windows->Form4;
        panel.SecondPanelPath = quil::FolderPath(toServer ? server.uri(to) : to);
        panel.ListSecondPanel(panel.SecondPanelPath);
        QTRY_VERIFY(!panel.isReading());
        const bool fromTrash = source == QStringLiteral("trash");
        if (fromTrash) {
            QVERIFY(run(QStringLiteral("gio"), {QStringLiteral("trash"), QStringLiteral("--empty")}));
            QVERIFY(run(QStringLiteral("gio"), {QStringLiteral("trash"), from + "/item"}));
        }
        form.navigateByPath(quil::FolderPath(fromTrash                          ? QStringLiteral("trash:///")
                                             : source == QStringLiteral("sftp") ? server.uri(from)
                                                                                : from));

        fixture.dialogs.answerInput(QStringLiteral("item"));
        press(fixture, QStringLiteral("item"), key);
        QCOMPARE(contentOf(to + "/item/in.txt"), QByteArray("i"));
        QCOMPARE(QFileInfo::exists(from + "/item"), key == Qt::Key_F5);
        if (changedSince)
            tree.file("to/item/in.txt", "changed");

        fixture.dialogs.answerYesNo(true);
        QTest::keyClick(ui(form).ListView, Qt::Key_Z, Qt::ControlModifier);
        const bool undone = !changedSince && !fromTrash;
        QCOMPARE(contentOf(from + "/item/in.txt"), fromTrash ? QByteArray("(none)") : QByteArray("i"));
        const QByteArray left = changedSince ? "changed" : "i";
        QCOMPARE(contentOf(to + "/item/in.txt"), undone ? QByteArray("(none)") : left);
        QCOMPARE(QFileInfo::exists(to + "/item"), !undone);
        QCOMPARE(fixture.dialogs.messages().join(QString()).startsWith(QStringLiteral("Не отменено")), !undone);
    }

    // Enter on a file of a location opens it with its type's application:
    // by URI where the application takes URIs, else by a local path to it.
    void aFileOfALocationOpens()
    {
        TempTree tree;
        QVERIFY(run(QStringLiteral("python3"), {"-c",
                                                "import sys, zipfile\n"
                                                "with zipfile.ZipFile(sys.argv[1], 'w') as z:\n"
                                                "    z.writestr('t.txt', 't')\n"
                                                "    z.writestr('p.png', 'png bytes')\n",
                                                tree.path("a.zip")}));
        MainWindowFixture fixture;
        TForm1 &form = fixture.start();
        const QString top = quil::archiveLocation(tree.path("a.zip").toUtf8());
        form.navigateByPath(quil::FolderPath(top));
        const QString home = QDir::homePath();
        press(fixture, QStringLiteral("t.txt"), Qt::Key_Return);
        QTRY_COMPARE(contentOf(home + "/opened-uri"), (top + "t.txt").toUtf8());
        press(fixture, QStringLiteral("p.png"), Qt::Key_Return);
        QTRY_COMPARE(contentOf(home + "/opened-path"), QByteArray("png bytes"));
        QCOMPARE(fixture.dialogs.messages(), QStringList());
    }
};

QTEST_MAIN(GioListTest)
#include "GioListTest.moc"
