#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "listing/FolderListModel.h"
#include "listing/FolderListView.h"
#include "listing/FolderTreeModel.h"
#include "platform/NativePath.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SettingsFiles.h"
#include "platform/ShellNamespace.h"
#include "platform/VolumeMonitor.h"
#include "platform/Volumes.h"
#include "support/ExtensionWindowControls.h"
#include "support/Form1Controls.h"
#include "support/MainWindowFixture.h"
#include "support/PrivateMounts.h"
#include "support/RecordingScript.h"
#include "support/TempTree.h"
#include "viewers/TExtent.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <memory>
#include <sys/mount.h>

namespace {

// The default application for text/plain in this test: a recording script
// registered through a desktop file (set up in main, before GIO first reads
// the applications).
TempTree *applications = nullptr;
QString defaultOpenerRecord()
{
    return applications->path("opened");
}

QString canonical(const QString &path)
{
    return QFileInfo(path).canonicalFilePath();
}

} // namespace

// The navigation commands of the main window on the real windows, with real
// folders, real started programs and, where the machine allows, a real tmpfs.
class TForm1NavigationTest : public QObject
{
    Q_OBJECT

    struct Program : MainWindowFixture
    {
        void writeExtensions(const QStringList &lines) { writeSettings(QStringLiteral("quil.ext"), lines); }
    };

    static int rowNamed(TForm1 &form, const QString &name)
    {
        const int row = form.listing().findEntry(name);
        if (row < 0)
            qWarning("no row named %s", qPrintable(name));
        return row;
    }

    static void selectRow(TForm1 &form, int row)
    {
        const QModelIndex index = form.listModel().index(row, 0);
        ui(form).ListView->setCurrentIndex(index);
        ui(form).ListView->scrollTo(index);
    }

    // A user's double click on a row, as the mouse gives it.
    static void doubleClickRow(TForm1 &form, const QString &name)
    {
        const int row = rowNamed(form, name);
        selectRow(form, row);
        const QRect rect = ui(form).ListView->visualRect(form.listModel().index(row, 0));
        QTest::mouseClick(ui(form).ListView->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(ui(form).ListView->viewport(), Qt::LeftButton, {}, rect.center());
    }

    // The user's typing of a path into the path box, then Enter.
    static void typePath(TForm1 &form, const QString &text)
    {
        ui(form).cbPath->setFocus();
        ui(form).cbPath->lineEdit()->selectAll();
        if (text.isEmpty())
            QTest::keyClick(ui(form).cbPath->lineEdit(), Qt::Key_Delete);
        else
            QTest::keyClicks(ui(form).cbPath->lineEdit(), text);
        QTest::keyClick(ui(form).cbPath->lineEdit(), Qt::Key_Return);
    }

    static void clickTreeNode(TForm1 &form, const QModelIndex &node)
    {
        // As a user scrolls the narrow tree sideways to a deep node's name.
        QTreeView &tree = *ui(form).ShellTreeView1;
        tree.scrollTo(node);
        QScrollBar &sideways = *tree.horizontalScrollBar();
        sideways.setValue(sideways.value() + tree.visualRect(node).left() - tree.indentation());
        const QRect rect = tree.visualRect(node);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, QPoint(rect.left() + 30, rect.center().y()));
    }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void openingAFolderShowsItsPathAndPutsItsNodeOnTop()
    {
        Program program;
        TForm1 &form = program.start();
        TempTree tree;
        tree.folder("Work");
        const QString docs = tree.folder("Work/Docs");
        // Enough folders below Docs that its node can reach the top.
        for (int i = 0; i < 60; ++i)
            tree.folder("Work/e" + QByteArray::number(i));
        form.navigateByPath(quil::FolderPath(tree.path("Work")));
        doubleClickRow(form, QStringLiteral("Docs"));
        QCOMPARE(form.listing().currentPath(), docs);
        QCOMPARE(ui(form).cbPath->currentText(), docs + QLatin1Char('/'));
        QCOMPARE(form.treeSelectedPath(), docs);
        const QModelIndex top = ui(form).ShellTreeView1->indexAt(QPoint(4, 2));
        QCOMPARE(form.treeModel()->pathOf(top), docs);
        QCOMPARE(ui(form).Label9->text(), QStringLiteral("Жду команду..."));
        QVERIFY(program.dialogs.messages().isEmpty());
    }

    void openingTheRootVolumeShowsTheRootOnce()
    {
        Program program;
        TForm1 &form = program.start();
        form.navigateByPath(quil::FolderPath(QStringLiteral("computer:///")));
        doubleClickRow(form, quil::Volumes::list().first().displayName());
        QCOMPARE(ui(form).cbPath->currentText(), QStringLiteral("/"));
        QCOMPARE(form.listing().currentPath(), QStringLiteral("/"));
        QCOMPARE(form.selectedDrive(), QStringLiteral("/"));
    }

    void openingAFile_data()
    {
        QTest::addColumn<QStringList>("table");
        QTest::addColumn<QByteArray>("fileName");
        // "A", "B": the recording programs; empty: the default application.
        QTest::addColumn<QString>("expected");
        QTest::newRow("case counts, blanks are trimmed")
            << QStringList{".TXT", "B", " .txt ", "A"} << QByteArray("a.txt") << QStringLiteral("A");
        QTest::newRow("capitals for capitals")
            << QStringList{".txt", "A", ".TXT", "B"} << QByteArray("b.TXT") << QStringLiteral("B");
        QTest::newRow("first row wins") << QStringList{".txt", "B", ".txt", "A"} << QByteArray("a.txt")
                                        << QStringLiteral("B");
        QTest::newRow("quotes and shell characters arrive verbatim")
            << QStringList{".txt", "A"} << QByteArray("it's \"q\"; $(touch pwned) `id` & | > *.txt")
            << QStringLiteral("A");
        QTest::newRow("a name that is not UTF-8 arrives byte for byte")
            << QStringList{".txt", "A"} << QByteArray("caf\xE9\xFF.txt") << QStringLiteral("A");
        QTest::newRow("a name that looks like an option")
            << QStringList{".txt", "A"} << QByteArray("+!touch X.txt") << QStringLiteral("A");
        QTest::newRow("a name beginning with a dash")
            << QStringList{".zz", "A"} << QByteArray("-x.zz") << QStringLiteral("A");
        QTest::newRow("a row without a program")
            << QStringList{".txt", "", ".txt", "A"} << QByteArray("a.txt") << QString();
        QTest::newRow("no row") << QStringList{".md", "A"} << QByteArray("notes.txt") << QString();
    }

    void openingAFile()
    {
        QFETCH(QStringList, table);
        QFETCH(QByteArray, fileName);
        QFETCH(QString, expected);
        TempTree tools;
        const QString record = tools.path("record");
        tools.folder("bin");
        const QString programA = recordingScript(tools, "bin/program A.sh", record + "A");
        const QString programB = recordingScript(tools, "bin/program B.sh", record + "B");
        for (int i = 1; i < table.size(); i += 2)
            if (!table[i].isEmpty())
                table[i] = table[i] == QLatin1String("A") ? programA : programB;
        QFile::remove(defaultOpenerRecord());

        Program program;
        program.writeExtensions(table);
        TForm1 &form = program.start();
        TempTree files;
        const QString folder = files.folder("listed folder");
        files.file("listed folder/" + fileName, "text\n");
        const QByteArray file = files.rootBytes() + "/listed folder/" + fileName;
        form.navigateByPath(quil::FolderPath(folder));
        doubleClickRow(form, quil::fromNative(fileName));

        const QString recordOf = expected.isEmpty() ? defaultOpenerRecord() : record + expected;
        const QList<QByteArray> items = waitForRecord(recordOf);
        QCOMPARE(items.size(), 2);
        // The program gets the name in the current folder, the default application the path.
        QCOMPARE(items.at(1), expected.isEmpty() ? file : "./" + fileName);
        if (!expected.isEmpty())
            QCOMPARE(items.at(0), quil::toNative(canonical(folder)));
        QCOMPARE(form.listing().currentPath(), folder);
        QVERIFY(!QFile::exists(folder + "/pwned"));
        QVERIFY(!QFile::exists(folder + "/X.txt"));
        for (const QString &other : {record + "A", record + "B"})
            if (other != recordOf)
                QVERIFY(!QFile::exists(other));
    }

    // Regression: the model reset began before the failing enumeration and
    // lost the current row, the selection and the scroll position.
    void aFolderRemovedSinceTheListingIsReported()
    {
        Program program;
        TForm1 &form = program.start();
        TempTree tree;
        for (int i = 0; i < 80; ++i)
            tree.folder(QByteArray("d") + QByteArray::number(i).rightJustified(2, '0'));
        const QString gone = tree.folder("gone");
        tree.file("kept");
        form.navigateByPath(quil::FolderPath(tree.root()));
        QVERIFY(QDir(gone).removeRecursively());
        const int row = rowNamed(form, QStringLiteral("gone"));
        selectRow(form, row);
        const int scrolled = ui(form).ListView->verticalScrollBar()->value();
        QVERIFY(scrolled > 0);
        doubleClickRow(form, QStringLiteral("gone"));
        QCOMPARE(program.dialogs.shown(quil::ScriptedDialogs::Kind::ErrorBox).size(), 1);
        QCOMPARE(form.listing().currentPath(), tree.root());
        QCOMPARE(form.listing().count(), 82);
        QCOMPARE(ui(form).cbPath->currentText(), tree.root() + QLatin1Char('/'));
        QCOMPARE(ui(form).ListView->currentIndex().row(), row);
        QCOMPARE(form.currentRow(), row);
        QCOMPARE(ui(form).ListView->verticalScrollBar()->value(), scrolled);
    }

    void aFolderThatCannotBeMadeCurrentStartsNothing()
    {
        TempTree tools;
        const QString record = tools.path("record");
        Program program;
        program.writeExtensions({".txt", recordingScript(tools, "program.sh", record)});
        TForm1 &form = program.start();
        TempTree files;
        const QString folder = files.folder("gone");
        files.file("gone/a.txt");
        form.navigateByPath(quil::FolderPath(folder));
        QVERIFY(QDir(folder).removeRecursively());
        doubleClickRow(form, QStringLiteral("a.txt"));
        QCOMPARE(program.dialogs.messages(), QStringList{folder + QStringLiteral("/не найдена - ")});
        QVERIFY(!QFile::exists(record));
    }

    void doubleClickWithoutARowOnlySetsTheStatus_data()
    {
        QTest::addColumn<bool>("rowSelected");
        QTest::newRow("no row selected") << false;
        QTest::newRow("below the rows") << true;
    }

    void doubleClickWithoutARowOnlySetsTheStatus()
    {
        QFETCH(bool, rowSelected);
        Program program;
        TForm1 &form = program.start();
        TempTree tree;
        tree.folder("only");
        form.navigateByPath(quil::FolderPath(tree.root()));
        if (!rowSelected)
            ui(form).ListView->clearSelection();
        QCOMPARE(form.currentRow(), rowSelected ? 0 : -1);
        form.setStatus(QStringLiteral("Настройка."));
        const QPoint below(10, ui(form).ListView->viewport()->height() - 5);
        QVERIFY(!ui(form).ListView->indexAt(below).isValid());
        QTest::mouseDClick(ui(form).ListView->viewport(), Qt::LeftButton, {}, below);
        QCOMPARE(ui(form).Label9->text(), QStringLiteral("Жду команду..."));
        QCOMPARE(form.listing().currentPath(), tree.root());
        QVERIFY(program.dialogs.shown().isEmpty());
        form.setStatus(QStringLiteral("Настройка."));
        ui(form).ListView->clearSelection();
        form.ListViewDblClick();
        QCOMPARE(ui(form).Label9->text(), QStringLiteral("Жду команду..."));
        QCOMPARE(form.listing().currentPath(), tree.root());
    }

    void typedPathWithEnter()
    {
        Program program;
        TForm1 &form = program.start();
        TempTree tree;
        const QString target = tree.folder("typed");
        const auto type = [&form](const QString &text) { typePath(form, text); };
        type(target);
        QCOMPARE(form.listing().currentPath(), target);
        QCOMPARE(ui(form).cbPath->currentText(), target + QLatin1Char('/'));
        const int lines = ui(form).cbPath->count();
        // An empty box does nothing; the key does not reach the box.
        type(QString());
        QCOMPARE(form.listing().currentPath(), target);
        QCOMPARE(ui(form).cbPath->count(), lines);
        QVERIFY(program.dialogs.messages().isEmpty());
        // A path that does not exist: the error box, the listing stays.
        type(tree.path("missing"));
        QCOMPARE(program.dialogs.shown(quil::ScriptedDialogs::Kind::ErrorBox).size(), 1);
        QCOMPARE(form.listing().currentPath(), target);
        QCOMPARE(ui(form).cbPath->count(), lines);
    }

    // "~" was taken for a missing relative path; a missing path on another
    // volume switched the drive selector, which listed that volume's root.
    void typedHomeAndMissingPaths()
    {
        Program program;
        TForm1 &form = program.start();
        typePath(form, QStringLiteral("~"));
        QCOMPARE(form.listing().currentPath(), QDir::homePath());
        typePath(form, QStringLiteral("~/Documents"));
        QCOMPARE(form.listing().currentPath(), QDir::homePath() + QStringLiteral("/Documents"));
        QCOMPARE(ui(form).cbPath->currentText(), QDir::homePath() + QStringLiteral("/Documents/"));
        QVERIFY(program.dialogs.shown(quil::ScriptedDialogs::Kind::ErrorBox).isEmpty());

        LoopDisk disk;
        TempTree tree;
        tree.file("a.txt");
        tree.file("b.txt");
        QString folder = tree.root();
        if (disk.mounted()) {
            QTRY_COMPARE(ui(form).Label9->text(), QStringLiteral("Есть новый диск"));
            folder = disk.path();
        }
        form.navigateByPath(quil::FolderPath(folder));
        const QString drive = form.selectedDrive();
        const int rows = form.listing().count();
        QVERIFY(rows > 0);
        typePath(form, QStringLiteral("/no/such/place"));
        QCOMPARE(program.dialogs.shown(quil::ScriptedDialogs::Kind::ErrorBox).size(), 1);
        QCOMPARE(form.listing().currentPath(), folder);
        QCOMPARE(form.listing().count(), rows);
        QCOMPARE(form.listModel().rowCount(), rows);
        QCOMPARE(form.selectedDrive(), drive);
    }

    // From about six levels down the 195-pixel tree drew bare icons.
    void deepTreeNodeShowsItsName()
    {
        Program program;
        TForm1 &form = program.start();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        TempTree tree;
        QByteArray relative = "level-1";
        for (int level = 2; level <= 12; ++level)
            relative += "/level-" + QByteArray::number(level);
        QVERIFY(QDir().mkpath(tree.path(relative)));
        form.navigateByPath(quil::FolderPath(tree.path(relative)));
        QTreeView &view = *ui(form).ShellTreeView1;
        QCOMPARE(view.width(), 195);
        const QModelIndex node = view.currentIndex();
        QCOMPARE(node.data().toString(), QStringLiteral("level-12"));
        // The node's icon and name, all inside the tree's visible area.
        const QRect rect = view.visualRect(node);
        const int nameWidth = view.fontMetrics().horizontalAdvance(QStringLiteral("level-12"));
        QVERIFY(rect.width() > nameWidth);
        QVERIFY(rect.left() >= 0);
        QVERIFY(rect.right() < view.viewport()->width());
        QVERIFY(rect.top() >= 0 && rect.bottom() < view.viewport()->height());
        // Back near the top, the tree scrolls back: the node's icon and the
        // start of its name show.
        form.navigateByPath(quil::FolderPath(tree.root()));
        const QRect shallow = view.visualRect(view.currentIndex());
        QVERIFY(shallow.width() > 40);
        QVERIFY(shallow.left() >= 0);
        QVERIFY(shallow.left() + 40 < view.viewport()->width());
    }

    void historyLineIsAnnouncedThenListed()
    {
        Program program;
        TForm1 &form = program.start();
        TempTree tree;
        const QString first = tree.folder("first");
        const QString second = tree.folder("second");
        form.navigateByPath(quil::FolderPath(first));
        form.navigateByPath(quil::FolderPath(second));
        QCOMPARE(ui(form).cbPath->currentIndex(), 0);
        // The arrow key picks the next line down, as the drop-down does.
        QTest::keyClick(ui(form).cbPath, Qt::Key_Down);
        QCOMPARE(program.dialogs.messages(), QStringList{QStringLiteral("Выбран: ") + first});
        QCOMPARE(form.listing().currentPath(), first);
        QCOMPARE(ui(form).cbPath->currentText(), first + QLatin1Char('/'));
    }

    // Regression: leaving the box with a history line typed (or inline
    // completed) ran cbPathClick as if the line had been picked.
    void leavingThePathBoxIsNoPick()
    {
        Program program;
        TForm1 &form = program.start();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        TempTree tree;
        const QString first = tree.folder("first");
        const QString second = tree.folder("second");
        tree.file("second/kept");
        form.navigateByPath(quil::FolderPath(first));
        form.navigateByPath(quil::FolderPath(second));
        ui(form).cbPath->setFocus();
        ui(form).cbPath->lineEdit()->selectAll();
        // A prefix of a history line stays as typed.
        const QString prefix = tree.root() + QStringLiteral("/fi");
        QTest::keyClicks(ui(form).cbPath->lineEdit(), prefix);
        QCOMPARE(ui(form).cbPath->lineEdit()->text(), prefix);
        QTest::keyClicks(ui(form).cbPath->lineEdit(), QStringLiteral("rst"));
        QCOMPARE(ui(form).cbPath->lineEdit()->text(), first);
        const QRect rect = ui(form).ListView->visualRect(form.listModel().index(0, 0));
        QTest::mouseClick(ui(form).ListView->viewport(), Qt::LeftButton, {}, rect.center());
        QVERIFY(ui(form).ListView->hasFocus());
        QVERIFY(program.dialogs.messages().isEmpty());
        QCOMPARE(form.listing().currentPath(), second);

        // A pick from the drop-down list is one.
        ui(form).cbPath->showPopup();
        QAbstractItemView *list = ui(form).cbPath->view();
        QTRY_VERIFY(list->isVisible());
        list->setCurrentIndex(list->model()->index(ui(form).cbPath->findText(first), 0));
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(program.dialogs.messages(), QStringList{QStringLiteral("Выбран: ") + first});
        QCOMPARE(form.listing().currentPath(), first);
    }

    // Guards against the path box naming a folder typed without Enter once
    // the user has moved on, and commands taking it for the listed one.
    void leavingThePathBoxWithoutEnterShowsTheListedFolder()
    {
        TempTree tools;
        const QString record = tools.path("record");
        const QString opener = recordingScript(tools, "opener.sh", record);
        Program program;
        program.writeExtensions({QStringLiteral(".zz"), opener});
        TForm1 &form = program.start();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        TempTree tree;
        const QString listed = tree.folder("listed");
        tree.folder("typed");
        tree.file("listed/same.zz");
        tree.file("typed/same.zz");
        form.navigateByPath(quil::FolderPath(listed));
        ui(form).cbPath->setFocus();
        ui(form).cbPath->lineEdit()->selectAll();
        QTest::keyClicks(ui(form).cbPath->lineEdit(), tree.path("typed/"));
        const QRect rect =
            ui(form).ListView->visualRect(form.listModel().index(rowNamed(form, QStringLiteral("same.zz")), 0));
        QTest::mouseClick(ui(form).ListView->viewport(), Qt::LeftButton, {}, rect.center());
        QVERIFY(ui(form).ListView->hasFocus());
        QCOMPARE(ui(form).cbPath->currentText(), listed + QLatin1Char('/'));

        // Typed again while the list keeps the focus: Enter on the file
        // starts its program in the listed folder.
        ui(form).cbPath->setEditText(tree.path("typed/"));
        QTest::keyClick(ui(form).ListView, Qt::Key_Return);
        QCOMPARE(waitForRecord(record), (QList<QByteArray>{quil::toNative(canonical(listed)), "./same.zz"}));
    }

    void historyLineOfAFolderRemovedSinceIsReported()
    {
        Program program;
        TForm1 &form = program.start();
        TempTree tree;
        const QString first = tree.folder("first");
        const QString second = tree.folder("second");
        form.navigateByPath(quil::FolderPath(first));
        form.navigateByPath(quil::FolderPath(second));
        QVERIFY(QDir(first).removeRecursively());
        QTest::keyClick(ui(form).cbPath, Qt::Key_Down);
        QCOMPARE(program.dialogs.shown(quil::ScriptedDialogs::Kind::ErrorBox).size(), 1);
        QCOMPARE(form.listing().currentPath(), second);
    }

    // The refresh button's error goes to the error box where the button is
    // connected; the listing of the folder removed since stays as it was.
    void refreshOfAFolderRemovedSinceIsReported()
    {
        Program program;
        TForm1 &form = program.start();
        TempTree tree;
        const QString gone = tree.folder("gone");
        tree.file("gone/a.txt");
        form.navigateByPath(quil::FolderPath(gone));
        QVERIFY(QDir(gone).removeRecursively());
        ui(form).SpeedButton19->click();
        QCOMPARE(program.dialogs.shown(quil::ScriptedDialogs::Kind::ErrorBox).size(), 1);
        QCOMPARE(form.listing().currentPath(), gone);
        QCOMPARE(form.listing().count(), 1);
    }

    void upOneLevel()
    {
        Program program;
        TForm1 &form = program.start();
        TempTree tree;
        tree.folder("parent");
        for (const char *name : {"a", "b", "Work", "z"})
            tree.folder(QByteArray("parent/") + name);
        form.navigateByPath(quil::FolderPath(tree.path("parent/Work")));
        ui(form).SpeedButton2->click();
        QCOMPARE(form.listing().currentPath(), tree.path("parent"));
        QCOMPARE(ui(form).ListView->currentIndex().data().toString(), QStringLiteral("Work"));
        QCOMPARE(form.entryToSelect(), QStringLiteral("Work"));

        // From the root to the computer folder, where no row is named "/".
        form.navigateByPath(quil::FolderPath(QStringLiteral("/")));
        ui(form).SpeedButton2->click();
        QCOMPARE(ui(form).cbPath->currentText(), QStringLiteral("computer:///"));
        QCOMPARE(form.entryToSelect(), QStringLiteral("/"));
        QCOMPARE(ui(form).ListView->currentIndex().row(), 0);
        QCOMPARE(program.dialogs.beeps(), 0);

        // Nothing is above the computer folder: a beep, and the list stays.
        form.setStatus(QStringLiteral("Настройка."));
        ui(form).SpeedButton2->click();
        QCOMPARE(program.dialogs.beeps(), 1);
        QCOMPARE(ui(form).cbPath->currentText(), QStringLiteral("computer:///"));
        QCOMPARE(ui(form).Label9->text(), QStringLiteral("Жду команду..."));
        QVERIFY(program.dialogs.messages().isEmpty());
    }

    void driveSelectorListsTheRootOnlyOnceShown()
    {
        Program program;
        TForm1 &form = program.start(false);
        const QString before = form.listing().currentPath();
        form.DriveComboBox1Change();
        QCOMPARE(form.listing().currentPath(), before);
        QVERIFY(showStarted(form));
        TempTree tree;
        form.navigateByPath(quil::FolderPath(tree.root()));
        form.DriveComboBox1Change();
        QCOMPARE(form.listing().currentPath(), form.selectedDrive());
    }

    void treeClickListsTheFolder()
    {
        Program program;
        TForm1 &form = program.start();
        TempTree tree;
        tree.folder("tree");
        const QString target = tree.folder("tree/target");
        tree.folder("tree/other");
        form.navigateByPath(quil::FolderPath(tree.path("tree")));
        const QModelIndex node = form.treeModel()->indexForPath(quil::FolderPath(target));
        QCOMPARE(form.treeModel()->pathOf(node), target);
        clickTreeNode(form, node);
        QCOMPARE(form.listing().currentPath(), target);
        QCOMPARE(ui(form).cbPath->currentText(), target + QLatin1Char('/'));

        // The computer folder is virtual: a click lists nothing.
        QModelIndex computer;
        for (int row = 0; row < form.treeModel()->rowCount(); ++row)
            if (form.treeModel()->itemOf(form.treeModel()->index(row, 0)).isComputer())
                computer = form.treeModel()->index(row, 0);
        QVERIFY(computer.isValid());
        clickTreeNode(form, computer);
        QCOMPARE(form.listing().currentPath(), target);
        QVERIFY(program.dialogs.shown().isEmpty());
    }

    void refreshingTheListReadsItAfresh()
    {
        Program program;
        TForm1 &form = program.start();
        TempTree tree;
        tree.file("b");
        form.navigateByPath(quil::FolderPath(tree.root()));
        tree.file("a");
        tree.file("c");
        form.entryToSelect() = QStringLiteral("c");
        ui(form).SpeedButton19->click();
        QCOMPARE(form.listing().count(), 3);
        QCOMPARE(form.listing().entry(0).name, QStringLiteral("a"));
        QCOMPARE(ui(form).ListView->currentIndex().data().toString(), QStringLiteral("c"));
    }

    void refreshingTheTreeListsTheDriveRoot()
    {
        Program program;
        TForm1 &form = program.start();
        TempTree tree;
        form.navigateByPath(quil::FolderPath(tree.root()));
        ui(form).SpeedButton18->click();
        QCOMPARE(ui(form).Label9->text(), QStringLiteral("Жду команду... "));
        QCOMPARE(form.listing().currentPath(), QStringLiteral("/"));
        QCOMPARE(form.selectedDrive(), QStringLiteral("/"));
    }

    void clickRemembersTheCurrentItem()
    {
        Program program;
        TForm1 &form = program.start();
        QVERIFY(form.CurrentItemName.isEmpty());
        TempTree tree;
        tree.file("first");
        const QString second = tree.file("second");
        form.navigateByPath(quil::FolderPath(tree.root()));
        const int row = rowNamed(form, QStringLiteral("second"));
        ui(form).ListView->scrollTo(form.listModel().index(row, 0));
        QTest::mouseClick(ui(form).ListView->viewport(), Qt::LeftButton, {},
                          ui(form).ListView->visualRect(form.listModel().index(row, 0)).center());
        QCOMPARE(form.CurrentItemName, QStringLiteral("second"));
        QCOMPARE(form.CurrentItemId.path(), second);
        // Kept when the folder changes.
        form.navigateByPath(quil::FolderPath(QStringLiteral("/")));
        QCOMPARE(form.CurrentItemName, QStringLiteral("second"));
    }

    void extensionWindowFromTheMainWindow()
    {
        Program program;
        TForm1 &form = program.start();
        TExtent &extent = *program.windows->Extent;
        ui(form).SpeedButton11->click();
        QCOMPARE(ui(form).Label9->text(), QStringLiteral("Настр. расширений. "));
        QVERIFY(extent.isVisible());
        ui(extent).Button5->click();
        QVERIFY(!extent.isVisible());
        QCOMPARE(ui(form).Label9->text(), QStringLiteral("Жду команды. "));
        QVERIFY(QFile::exists(extent.tablePath()));
    }

    void deviceNoticesByCode_data()
    {
        QTest::addColumn<int>("event");
        QTest::addColumn<QString>("status");
        QTest::newRow("node change") << 7 << QStringLiteral("Смена носителя...");
        QTest::newRow("arrival") << 0x8000 << QStringLiteral("Есть новый диск");
        QTest::newRow("removal") << 0x8004 << QStringLiteral("Изъят диск.");
        QTest::newRow("other") << 0x8003 << QStringLiteral("Жду команды...!");
    }

    void deviceNoticesByCode()
    {
        QFETCH(int, event);
        QFETCH(QString, status);
        Program program;
        TForm1 &form = program.start();
        TempTree tree;
        form.navigateByPath(quil::FolderPath(tree.root()));
        form.CD(event);
        QCOMPARE(ui(form).Label9->text(), status);
        // Only arrival and removal rebuild the drive lists (and list the root).
        const bool rebuilt = event == 0x8000 || event == 0x8004;
        QCOMPARE(form.listing().currentPath(), rebuilt ? QStringLiteral("/") : tree.root());
    }

    // A tmpfs or a bind mount anywhere counted as a disk arrival: it sent the
    // list to "/" and dropped the marks. They change nothing visible now.
    void mountsThatAreNoDisksChangeNothing()
    {
        Program program;
        TForm1 &form = program.start();
        LoopDisk disk;
        if (!disk.mounted())
            QSKIP("this machine does not allow loop-mounting a disk image");
        QTRY_COMPARE(ui(form).Label9->text(), QStringLiteral("Есть новый диск"));
        TempTree files;
        files.file("a.txt");
        files.file("b.txt");
        form.navigateByPath(quil::FolderPath(files.root()));
        selectRow(form, rowNamed(form, QStringLiteral("b.txt")));
        QTest::keyClick(ui(form).ListView, Qt::Key_Space);
        QCOMPARE(program.marked(), QStringList{QStringLiteral("b.txt")});
        form.setStatus(QStringLiteral("Жду команды..."));
        const int drives = ui(form).DriveComboBox1->count();

        TempTree tree;
        TmpfsMount tmpfs(tree.path("tmpfs"));
        QVERIFY(tmpfs.mounted());
        const QByteArray bound = quil::toNative(tree.folder("bound"));
        QCOMPARE(::mount(quil::toNative(files.root()).constData(), bound.constData(), nullptr, MS_BIND, nullptr), 0);
        // The disk's remount is the mark: once it is told, the table has
        // shown the two mounts before it.
        QCOMPARE(::mount(nullptr, quil::toNative(disk.path()).constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr),
                 0);
        QTRY_COMPARE(ui(form).Label9->text(), QStringLiteral("Смена носителя..."));
        ::umount2(bound.constData(), MNT_DETACH);
        QCOMPARE(form.listing().currentPath(), files.root());
        QCOMPARE(program.marked(), QStringList{QStringLiteral("b.txt")});
        QCOMPARE(ui(form).DriveComboBox1->count(), drives);
        QCOMPARE(ui(form).DriveComboBox1->findData(tmpfs.path()), -1);
        QCOMPARE(ui(form).DriveComboBox1->findData(tree.path("bound")), -1);
        form.navigateByPath(quil::FolderPath(QStringLiteral("computer:///")));
        for (int row = 0; row < form.listing().count(); ++row)
            QVERIFY(!form.listing().entry(row).name.contains(tree.root()));
    }

    void mountedAndUnmountedVolume()
    {
        Program program;
        TForm1 &form = program.start();
        TempTree files;
        form.navigateByPath(quil::FolderPath(files.root()));
        auto volume = std::make_unique<LoopDisk>();
        if (!volume->mounted())
            QSKIP("this machine does not allow loop-mounting a disk image");
        const QString point = volume->path();
        QTRY_COMPARE(ui(form).Label9->text(), QStringLiteral("Есть новый диск"));
        QVERIFY(ui(form).DriveComboBox1->findData(point) >= 0);
        // The rebuilt selector kept its drive and listed that drive's root.
        QCOMPARE(form.selectedDrive(), QStringLiteral("/"));
        QCOMPARE(form.listing().currentPath(), QStringLiteral("/"));

        // The user's choice of the volume in the selector lists its root.
        for (int step = 0; step < ui(form).DriveComboBox1->count() && form.selectedDrive() != point; ++step)
            QTest::keyClick(ui(form).DriveComboBox1, Qt::Key_Down);
        QCOMPARE(form.selectedDrive(), point);
        QCOMPARE(form.listing().currentPath(), point);
        QCOMPARE(ui(form).cbPath->currentText(), point + QLatin1Char('/'));
        form.navigateByPath(quil::FolderPath(QStringLiteral("/")));

        // The tree learns of the volume when it is refreshed, also after the
        // home folder's node was expanded (which moves the computer folder
        // off position 2).
        quil::FolderTreeModel &model = *form.treeModel();
        model.fetchMore(model.index(0, 0));
        const auto treeHasVolume = [&] {
            const QModelIndex computer = model.index(1, 0);
            for (int row = 0; row < model.rowCount(computer); ++row)
                if (model.itemOf(model.index(row, 0, computer)).path() == point)
                    return true;
            return false;
        };
        QVERIFY(model.itemOf(model.index(1, 0)).isComputer());
        QVERIFY(!treeHasVolume());
        ui(form).SpeedButton18->click();
        QVERIFY(treeHasVolume());

        // The volume opened from the computer folder shows its root.
        form.navigateByPath(quil::FolderPath(QStringLiteral("computer:///")));
        const QString name = quil::ShellNamespace::displayName(quil::ItemId::volume(point));
        doubleClickRow(form, name);
        QCOMPARE(ui(form).cbPath->currentText(), point + QLatin1Char('/'));
        QCOMPARE(form.selectedDrive(), point);
        // Up from it goes to the folder above its mount point, as from the
        // same path typed (regression: it went back to the computer folder).
        ui(form).SpeedButton2->click();
        QCOMPARE(form.listing().currentPath(), QStringLiteral("/media"));
        QCOMPARE(ui(form).ListView->currentIndex().data().toString(), QFileInfo(point).fileName());
        form.navigateByPath(quil::FolderPath(point));

        // Removed while listed: the selector falls back to the first volume.
        volume.reset();
        QTRY_COMPARE(ui(form).Label9->text(), QStringLiteral("Изъят диск."));
        QCOMPARE(ui(form).DriveComboBox1->findData(point), -1);
        QCOMPARE(form.selectedDrive(), QStringLiteral("/"));
        QCOMPARE(form.listing().currentPath(), QStringLiteral("/"));
    }
};

int main(int argc, char **argv)
{
    usePrivateMounts();

    // GIO reads the applications and their defaults once, on first use.
    TempTree xdg;
    applications = &xdg;
    installTestTextOpener(xdg, "quil-test-opener");
    // A home folder with a subfolder, so that expanding its tree node
    // creates nodes before the computer folder's.
    xdg.folder("home");
    xdg.folder("home/Documents");
    qputenv("HOME", quil::toNative(xdg.path("home")));

    QApplication application(argc, argv);
    TForm1NavigationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TForm1NavigationTest.moc"
