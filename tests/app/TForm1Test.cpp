#include "app/TForm1.h"
#include "app/AppWindows.h"
#include "app/StartArgument.h"
#include "app/TSet1.h"
#include "listing/FolderListModel.h"
#include "listing/FolderListView.h"
#include "listing/FolderTreeModel.h"
#include "platform/NativePath.h"
#include "platform/OsError.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Services.h"
#include "platform/SettingsFiles.h"
#include "platform/ShellNamespace.h"
#include "platform/TextFormat.h"
#include "platform/Volumes.h"
#include "search/TFILESCH.h"
#include "support/Form1Controls.h"
#include "support/MainWindowFixture.h"
#include "support/PrivateMounts.h"
#include "support/SearchWindowControls.h"
#include "support/Set1Controls.h"
#include "support/TempTree.h"
#include "viewers/TExtent.h"
#include "viewers/TRF.h"
#include "viewers/TSHPIC.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <memory>
#include <sys/stat.h>

// The main window's life cycle on the real windows: start-up, quil.ini,
// close and resize.
class TForm1Test : public QObject
{
    Q_OBJECT

    struct Program : MainWindowFixture
    {
        TempTree &settings = test.settings;

        QString iniPath() const { return settingsPath(QStringLiteral("quil.ini")); }
        void writeIni(const QStringList &lines) { writeSettings(QStringLiteral("quil.ini"), lines); }
        TSet1 &set1() { return *windows->Set1; }
        QStringList closeAndReadIni()
        {
            windows->Form1->close();
            return quil::readSettingsLines(iniPath());
        }
    };

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void firstStartWithoutIni()
    {
        Program program;
        TForm1 &form = program.start();
        QVERIFY(form.windowShown());
        QCOMPARE(ui(form).Label9->text(), QStringLiteral("Жду команду..."));
        QCOMPARE(form.startRoot(), quil::FolderPath::root());
        const Set1Controls settings = ui(program.set1());
        for (QCheckBox *check : {settings.CheckBox1, settings.CheckBox2, settings.CheckBox3})
            QVERIFY(!check->isChecked());
        for (QLineEdit *edit : {settings.Edit1, settings.Edit2, settings.Edit4})
            QVERIFY(edit->text().isEmpty());
        QVERIFY(!ui(*program.windows->FILESCH).CheckBox4->isChecked());
        QVERIFY(program.dialogs.messages().isEmpty());
        // The list shows the start root; the computer folder listed while the
        // window was made stays below it in the history.
        QCOMPARE(form.listing().currentPath(), QStringLiteral("/"));
        QCOMPARE(ui(form).cbPath->currentText(), QStringLiteral("/"));
        QCOMPARE(form.history().paths(), (QStringList{"/", "computer:///"}));
        QCOMPARE(ui(form).cbPath->count(), 2);
        QCOMPARE(ui(form).cbPath->itemText(1), QStringLiteral("computer:///"));
        QVERIFY(form.listing().count() > 0);
        QCOMPARE(ui(form).ListView->currentIndex().row(), 0);
        QCOMPARE(form.selectedDrive(), QStringLiteral("/"));
        QCOMPARE(ui(form).Label1->text(), QStringLiteral("Выделено в  -  папках и в - файлах "));
    }

    void lastFolderOfTheIni_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::newRow("existing folder") << true;
        QTest::newRow("folder removed since") << false;
    }

    void lastFolderOfTheIni()
    {
        QFETCH(bool, exists);
        Program program;
        TempTree files;
        const QString folder = files.folder("Last");
        files.file("Last/inside");
        program.writeIni({QString(), QString(), QString(), folder + QLatin1Char('/')});
        if (!exists) {
            QFile::remove(files.path("Last/inside"));
            QVERIFY(QDir().rmdir(folder));
        }
        TForm1 &form = program.start();
        QCOMPARE(form.listing().currentPath(), exists ? folder : QStringLiteral("/"));
        QCOMPARE(ui(form).cbPath->currentText(), exists ? folder + QLatin1Char('/') : QStringLiteral("/"));
        QVERIFY(program.dialogs.messages().isEmpty());
    }

    void commandLinePathWinsOverTheIni_data()
    {
        QTest::addColumn<QByteArray>("argument");
        QTest::addColumn<QString>("selected");
        QTest::newRow("folder") << QByteArray("Asked") << "a-first";
        QTest::newRow("file") << QByteArray("Asked/z-last.txt") << "z-last.txt";
    }

    void commandLinePathWinsOverTheIni()
    {
        QFETCH(QByteArray, argument);
        QFETCH(QString, selected);
        Program program;
        TempTree files;
        const QString last = files.folder("Last");
        const QString asked = files.folder("Asked");
        files.file("Asked/a-first");
        files.file("Asked/z-last.txt");
        program.writeIni({QString(), QString(), QString(), last + QLatin1Char('/')});
        TForm1 &form = program.start(false);
        const quil::StartTarget target = quil::startTarget({files.path(argument)});
        form.setStartFolder(quil::FolderPath(target.folder), target.entry);
        QVERIFY(showStarted(form));
        QCOMPARE(form.listing().currentPath(), asked);
        QCOMPARE(ui(form).cbPath->currentText(), asked + QLatin1Char('/'));
        QCOMPARE(form.listing().entry(form.currentRow()).name, selected);
        QVERIFY(program.dialogs.messages().isEmpty());
    }

    // A logout right after the window showed: the start had not read its
    // folders, and quil.ini must not lose its settings or its last folder.
    void closeBeforeTheStartKeepsTheIni_data()
    {
        QTest::addColumn<bool>("withArgument");
        QTest::newRow("last folder") << false;
        QTest::newRow("folder asked for") << true;
    }

    void closeBeforeTheStartKeepsTheIni()
    {
        QFETCH(bool, withArgument);
        Program program;
        TempTree files;
        const QString last = files.folder("Last") + QLatin1Char('/');
        const QString asked = files.folder("Asked") + QLatin1Char('/');
        program.writeIni({QStringLiteral("/usr/bin/less"), QString(), QStringLiteral("/usr/bin/vi"), last});
        TForm1 &form = program.start(false);
        if (withArgument)
            form.setStartFolder(quil::FolderPath(asked), QString());
        form.show();
        QVERIFY(!form.started());
        const QStringList written = program.closeAndReadIni();
        QCOMPARE(written.value(0), QStringLiteral("/usr/bin/less"));
        QCOMPARE(written.value(2), QStringLiteral("/usr/bin/vi"));
        QCOMPARE(written.value(3), withArgument ? asked : last);
    }

    // The window is on the screen before the start folder is read; the
    // start lists it afterwards.
    void startFolderIsReadAfterTheWindowShows()
    {
        Program program;
        TempTree tree;
        tree.file("a-first");
        TForm1 &form = program.start(false);
        form.setStartFolder(quil::FolderPath(tree.root()), QString());
        QSignalSpy done(&form, &TForm1::startDone);
        form.show();
        QVERIFY(form.isVisible());
        QVERIFY(!form.started());
        QVERIFY(form.listing().currentPath() != tree.root());
        QVERIFY(done.wait());
        QCOMPARE(form.listing().currentPath(), tree.root());
    }

    // Escape while a folder is read stops the reading: the list, its row
    // and the status line stay as they were. The key is posted before the
    // reading starts, so it comes before the reading's end.
    void escapeDuringAReadingKeepsTheList()
    {
        Program program;
        TempTree tree;
        const QString kept = tree.folder("kept");
        tree.file("kept/one");
        tree.file("kept/two");
        const QString other = tree.folder("other");
        tree.file("other/three");
        TForm1 &form = program.start();
        form.navigateByPath(quil::FolderPath(kept));
        program.focusRow(QStringLiteral("two"));
        const QString status = ui(form).Label9->text();
        QCoreApplication::postEvent(ui(form).ListView, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        form.navigateByPath(quil::FolderPath(other));
        QCOMPARE(form.listing().currentPath(), kept);
        QCOMPARE(form.listing().entry(form.currentRow()).name, QStringLiteral("two"));
        QCOMPARE(ui(form).cbPath->currentText(), kept + QLatin1Char('/'));
        QCOMPARE(ui(form).Label9->text(), status);
        QVERIFY(program.dialogs.messages().isEmpty());
        // The next reading is not stopped by it.
        form.navigateByPath(quil::FolderPath(other));
        QCOMPARE(form.listing().currentPath(), other);
    }

    void commandLineNameThatIsNotUtf8_data()
    {
        QTest::addColumn<QByteArray>("argument");
        QTest::newRow("bytes") << QByteArray("/d\xff/f\xfe\xff");
        QTest::newRow("file URI") << QByteArray("file://%1/d%FF/f%fe%FF");
    }

    // Regression: `quil PATH` refused a name that is not UTF-8.
    void commandLineNameThatIsNotUtf8()
    {
        QFETCH(QByteArray, argument);
        Program program;
        TempTree files;
        files.folder("d\xff");
        files.file("d\xff/a-first");
        files.file("d\xff/f\xfe\xff", "x");
        const QByteArray arg1 =
            argument.startsWith('/') ? files.rootBytes() + argument : argument.replace("%1", files.rootBytes());
        const char *argv[] = {"quil", arg1.constData()};
        TForm1 &form = program.start(false);
        const quil::StartTarget target = quil::startTarget(quil::nativeArguments(2, argv));
        form.setStartFolder(quil::FolderPath(target.folder), target.entry);
        QVERIFY(showStarted(form));
        QCOMPARE(quil::toNative(form.listing().currentPath()), files.rootBytes() + "/d\xff");
        QCOMPARE(quil::toNative(form.listing().entry(form.currentRow()).name), QByteArray("f\xfe\xff"));
        QVERIFY(target.message.isEmpty());
        QVERIFY(program.dialogs.messages().isEmpty());
    }

    void trailingSeparatorAndHistoryLines()
    {
        Program program;
        TForm1 &form = program.start();
        TempTree tree;
        const QString work = tree.folder("Work");
        form.navigateByPath(quil::FolderPath(work));
        QCOMPARE(ui(form).cbPath->currentText(), work + QLatin1Char('/'));
        QCOMPARE(form.history().size(), 3);
        QCOMPARE(ui(form).cbPath->itemText(0), work);
        // The same folder again, with its "/": no new line.
        form.navigateByPath(quil::FolderPath(work + QLatin1Char('/')));
        QCOMPARE(form.history().size(), 3);
        QCOMPARE(ui(form).cbPath->count(), 3);
        form.navigateByPath(quil::FolderPath(QStringLiteral("/")));
        QCOMPARE(ui(form).cbPath->currentText(), QStringLiteral("/"));
        QCOMPARE(ui(form).cbPath->currentIndex(), 1);
        QCOMPARE(form.history().size(), 3);
    }

    void otherLetterCaseShowsTheFolderListed()
    {
        Program program;
        TForm1 &form = program.start();
        TempTree tree;
        const QString upper = tree.folder("CASE");
        const QString lower = tree.folder("case");
        tree.file("case/only-here");
        form.navigateByPath(quil::FolderPath(upper));
        form.navigateByPath(quil::FolderPath(lower));
        QCOMPARE(form.history().size(), 3);
        QCOMPARE(ui(form).cbPath->currentText(), lower + QLatin1Char('/'));
        QCOMPARE(form.listing().entry(0).name, QStringLiteral("only-here"));
    }

    void entryToSelectIsSelected()
    {
        Program program;
        TForm1 &form = program.start();
        TempTree tree;
        for (const char *name : {"a", "b", "Sub", "z"})
            tree.folder(name);
        form.entryToSelect() = QStringLiteral("Sub");
        form.navigateByPath(quil::FolderPath(tree.root()));
        QCOMPARE(ui(form).ListView->currentIndex().data().toString(), QStringLiteral("Sub"));
        // Letter case counts; without a match row 0 is selected.
        form.entryToSelect() = QStringLiteral("sub");
        form.navigateByPath(quil::FolderPath(tree.root()));
        QCOMPARE(ui(form).ListView->currentIndex().row(), 0);
        QCOMPARE(form.entryToSelect(), QStringLiteral("sub"));
    }

    void diskDisplayShowsTheVolume()
    {
        Program program;
        TForm1 &form = program.start();
        TempTree tree;
        form.navigateByPath(quil::FolderPath(tree.root()));
        const quil::VolumeSpace space = quil::Volumes::space(tree.root());
        QCOMPARE(form.diskSizeKb(), qint64(space.total / 1024));
        QCOMPARE(ui(form).Label5->text(), quil::groupThousands(qint64(space.total / 1024)) + QStringLiteral(" Kb -"));
        QVERIFY(ui(form).Label6->text().endsWith(QStringLiteral(" Kb")));
        QCOMPARE(ui(form).Shape2->x() + ui(form).Shape2->width(), 375);
        QCOMPARE(ui(form).Shape1->x(), 157);
        QCOMPARE(ui(form).Shape1->width() + ui(form).Shape2->width(), 220);
    }

    void pathOnAnotherVolumeSwitchesTheDriveSelector()
    {
        TempTree tree;
        TmpfsMount volume(tree.path("volume"), 4 * 1024 * 1024);
        if (!volume.mounted())
            QSKIP("this machine does not allow mounting a tmpfs");
        LoopDisk disk;
        Program program;
        TForm1 &form = program.start();
        QCOMPARE(form.selectedDrive(), QStringLiteral("/"));
        if (disk.mounted()) {
            form.navigateByPath(quil::FolderPath(disk.path()));
            QCOMPARE(form.selectedDrive(), disk.path());
        }
        // A tmpfs is no drive of the selector, but the disk row tells its own size.
        form.navigateByPath(quil::FolderPath(volume.path()));
        QCOMPARE(form.selectedDrive(), QStringLiteral("/"));
        // An empty volume of 4 096 KB: the free bar takes the whole 220 pixels.
        QCOMPARE(ui(form).Label5->text(), QStringLiteral("4 096 Kb -"));
        QCOMPARE(ui(form).Label6->text(), QStringLiteral("4 096 Kb"));
        QCOMPARE(ui(form).Shape2->geometry(), QRect(155, ui(form).Shape2->y(), 220, ui(form).Shape2->height()));
        QVERIFY(!ui(form).Shape1->isVisibleTo(&form));
        form.navigateByPath(quil::FolderPath(QStringLiteral("/")));
        QCOMPARE(form.selectedDrive(), QStringLiteral("/"));
    }

    void computerFolderLeavesDiskDisplayAndTree()
    {
        Program program;
        TForm1 &form = program.start();
        TempTree tree;
        form.navigateByPath(quil::FolderPath(tree.root()));
        const QString size = ui(form).Label5->text();
        const QString free = ui(form).Label6->text();
        const QRect bar = ui(form).Shape2->geometry();
        const QString treePath = form.treeSelectedPath();
        QCOMPARE(treePath, tree.root());
        form.navigateByPath(quil::FolderPath(QStringLiteral("computer:///")));
        QCOMPARE(ui(form).cbPath->currentText(), QStringLiteral("computer:///"));
        QCOMPARE(ui(form).Label5->text(), size);
        QCOMPARE(ui(form).Label6->text(), free);
        QCOMPARE(ui(form).Shape2->geometry(), bar);
        QCOMPARE(form.treeSelectedPath(), treePath);
        QCOMPARE(form.listing().entry(0).name, quil::Volumes::list().first().displayName());
    }

    void inPlaceEditReportsTheNameAndKeepsTheEntry()
    {
        Program program;
        TForm1 &form = program.start();
        TempTree tree;
        tree.file("old");
        form.navigateByPath(quil::FolderPath(tree.root()));
        QSignalSpy edited(&form.listModel(), &quil::FolderListModel::nameEdited);
        QVERIFY(form.listModel().flags(form.listModel().index(0, 0)) & Qt::ItemIsEditable);
        QVERIFY(!form.listModel().setData(form.listModel().index(0, 0), QStringLiteral("new")));
        QCOMPARE(edited.size(), 1);
        QCOMPARE(edited.at(0).at(0).toInt(), 0);
        QCOMPARE(edited.at(0).at(1).toString(), QStringLiteral("new"));
        QCOMPARE(form.listing().entry(0).name, QStringLiteral("old"));
    }

    void rightClickSelectsTheTreeNode()
    {
        Program program;
        TForm1 &form = program.start();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QModelIndex home = form.treeModel()->index(0, 0);
        const QRect place = ui(form).ShellTreeView1->visualRect(home);
        QVERIFY(place.isValid());
        QContextMenuEvent click(QContextMenuEvent::Mouse, place.center(),
                                ui(form).ShellTreeView1->viewport()->mapToGlobal(place.center()));
        QApplication::sendEvent(ui(form).ShellTreeView1->viewport(), &click);
        QCOMPARE(ui(form).ShellTreeView1->currentIndex(), home);
        QCOMPARE(form.treeSelectedPath(), quil::ShellNamespace::homeFolder().path());
    }

    void pathThatDoesNotExistKeepsTheListing()
    {
        Program program;
        TForm1 &form = program.start();
        const int rows = form.listing().count();
        QVERIFY_THROWS_EXCEPTION(quil::OsError,
                                 form.navigateByPath(quil::FolderPath(QStringLiteral("/no/such/place"))));
        QCOMPARE(form.listing().currentPath(), QStringLiteral("/"));
        QCOMPARE(form.listing().count(), rows);
        QVERIFY(ui(form).ListView->updatesEnabled());
    }

    void iniNamingDeletedProgramAndOneOfTwoLines()
    {
        Program program;
        TempTree files;
        const QString viewer = files.file("pictures.sh", "#!/bin/sh\n");
        program.writeIni({files.path("deleted-viewer"), viewer});
        program.start();
        const Set1Controls settings = ui(program.set1());
        QVERIFY(!settings.CheckBox1->isChecked());
        QVERIFY(settings.Edit1->text().isEmpty());
        QVERIFY(settings.CheckBox2->isChecked());
        QCOMPARE(settings.Edit2->text(), viewer);
        // Lines 3 and 4 are missing and read as empty.
        QVERIFY(!settings.CheckBox3->isChecked());
        QVERIFY(settings.Edit4->text().isEmpty());
        QVERIFY(ui(*program.windows->FILESCH).CheckBox4->isChecked());

        const QStringList written = program.closeAndReadIni();
        QCOMPARE(written.size(), 4);
        QCOMPARE(written.at(0), QString());
        QCOMPARE(written.at(1), viewer);
        QCOMPARE(written.at(2), QString());
    }

    void fileLinesEndInCrLf()
    {
        Program program;
        program.start();
        ui(*program.windows->Form1).cbPath->setEditText(QStringLiteral("/tmp/"));
        program.closeAndReadIni();
        QFile file(program.iniPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\r\n\r\n\r\n/tmp/\r\n"));
    }

    void closeAfterUnconfirmedTypedPath()
    {
        Program program;
        TForm1 &form = program.start();
        ui(form).cbPath->setFocus();
        ui(form).cbPath->lineEdit()->selectAll();
        QTest::keyClicks(ui(form).cbPath->lineEdit(), QStringLiteral("/no/such/folder/yet"));
        const QStringList written = program.closeAndReadIni();
        QCOMPARE(written.value(3), QStringLiteral("/no/such/folder/yet"));
    }

    void unwritableIniIsReportedAndTheWindowStillCloses()
    {
        Program program;
        program.services.settingsFolder = quil::FolderPath(program.settings.path("missing-folder"));
        TForm1 &form = program.start();
        QVERIFY(form.close());
        const auto boxes = program.dialogs.shown(quil::ScriptedDialogs::Kind::ErrorBox);
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes.at(0).text.contains(program.iniPath()), qPrintable(boxes.at(0).text));
    }

    // A settings file that is a FIFO blocked the start in open(); one that
    // leads to /dev/zero grew without end.
    void settingsFilesThatAreNotFilesAreReportedAndTheWindowStarts()
    {
        Program program;
        QVERIFY(::mkfifo(quil::toNative(program.iniPath()).constData(), 0600) == 0);
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), program.services.settingsFolder.filePath(u"quil.ext")));
        // A hang here is caught by the test's time limit.
        TForm1 &form = program.start();
        QVERIFY(form.isVisible());
        const auto boxes = program.dialogs.shown(quil::ScriptedDialogs::Kind::ErrorBox);
        QCOMPARE(boxes.size(), 2);
        QCOMPARE(ui(form).cbPath->currentText(), QStringLiteral("/"));
        // The box said "Invalid argument" without naming the file it was about.
        QCOMPARE(boxes.at(0).text,
                 QStringLiteral("System Error.  Code: 22.\r\n%1: Invalid argument").arg(program.iniPath()));
        QVERIFY2(boxes.at(1).text.contains(program.settingsPath(QStringLiteral("quil.ext"))),
                 qPrintable(boxes.at(1).text));
    }

    // Title bars and task switchers showed a generic icon for the program.
    void windowsBearTheProgramsIcon()
    {
        Program program;
        TForm1 &form = program.start();
        QVERIFY(!QApplication::windowIcon().isNull());
        for (const QWidget *window :
             {static_cast<QWidget *>(&form), static_cast<QWidget *>(program.windows->RF.get())}) {
            QVERIFY(!window->windowIcon().isNull());
            QVERIFY(!window->windowIcon().pixmap(32).isNull());
        }
    }

    void resizeKeepsRowsAndRightAnchors()
    {
        Program program;
        TForm1 &form = program.start();
        form.resize(400, form.height());
        QCOMPARE(ui(form).cbPath->width(), 338);
        QCOMPARE(ui(form).Shape3->width(), 378);
        QCOMPARE(ui(form).SpeedButton20->x(), 400 - (653 - 614));
        QCOMPARE(ui(form).Button2->x(), 400 - (653 - 614));
        QCOMPARE(ui(form).SpeedButton1->x(), 5);
    }

    void layoutOfTheRegions()
    {
        Program program;
        TForm1 &form = program.start();
        QCOMPARE(ui(form).Panel1->height(), 89);
        QCOMPARE(ui(form).Panel2->width(), 49);
        QCOMPARE(ui(form).Panel3->height(), 31);
        QCOMPARE(ui(form).ShellTreeView1->width(), 195);
        QCOMPARE(ui(form).SpeedButton19->toolTip(), QStringLiteral("Обновить список / Update List"));
        QCOMPARE(ui(form).SpeedButton11->toolTip(), QStringLiteral("Настройка расширений / Run extensions"));
        QCOMPARE(ui(form).Button2->toolTip(), QStringLiteral("Помощь/Help"));
        QCOMPARE(ui(form).Label8->text(), QStringLiteral("Выполнить: "));
    }

    void statusTextShowsAtOnce()
    {
        Program program;
        TForm1 &form = program.start();
        form.setStatus(QStringLiteral(" Копирование..."));
        QCOMPARE(ui(form).Label9->text(), QStringLiteral(" Копирование..."));
    }

    void exitEndsTheProgram_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("text viewer") << QStringLiteral("RF");
        QTest::newRow("picture viewer") << QStringLiteral("SHPIC");
        QTest::newRow("extension window") << QStringLiteral("Extent");
    }

    // Regression: another window left open kept the process running after
    // the main window had closed.
    void exitEndsTheProgram()
    {
        QFETCH(QString, window);
        Program program;
        TForm1 &form = program.start();
        QWidget *other = nullptr;
        if (window == QLatin1String("RF"))
            other = program.windows->RF.get();
        else if (window == QLatin1String("SHPIC"))
            other = program.windows->SHPIC.get();
        else
            other = program.windows->Extent.get();
        other->show();
        QTimer::singleShot(0, &form, [&form] { ui(form).SpeedButton1->click(); });
        // A program that does not end fails here instead of hanging the run.
        QTimer hang;
        hang.setSingleShot(true);
        connect(&hang, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        hang.start(5000);
        QCOMPARE(QApplication::exec(), 0);
        for (QWidget *shown : QApplication::topLevelWidgets())
            QVERIFY2(!shown->isVisible(), qPrintable(shown->objectName() + shown->windowTitle()));
        QVERIFY(QFile::exists(program.iniPath()));
        // quil.ini is written once: a second close writes nothing.
        QVERIFY(QFile::remove(program.iniPath()));
        form.close();
        QVERIFY(!QFile::exists(program.iniPath()));
    }

    // The path box's history outlives the program (quil.hst), newest first:
    // the start's own listings find their lines and leave the order.
    void pathHistoryIsKeptAcrossRuns()
    {
        Program program;
        TempTree tree;
        const QString first = tree.folder("first");
        const QString second = tree.folder("second");
        TForm1 &form = program.start();
        form.navigateByPath(quil::FolderPath(first));
        form.navigateByPath(quil::FolderPath(second));
        const QStringList kept = form.history().paths();
        QCOMPARE(kept.mid(0, 2), (QStringList{second, first}));
        form.close();
        program.windows.reset();
        QStringList lines = quil::readSettingsLines(program.settingsPath(QStringLiteral("quil.hst")));
        QCOMPARE(lines, kept);
        lines.insert(1, QStringLiteral("not a folder"));
        program.writeSettings(QStringLiteral("quil.hst"), lines);
        TForm1 &again = program.start();
        QCOMPARE(again.history().paths(), kept);
        QStringList boxLines;
        for (int line = 0; line < ui(again).cbPath->count(); ++line)
            boxLines.append(ui(again).cbPath->itemText(line));
        QCOMPARE(boxLines, kept);
        QVERIFY(program.dialogs.messages().isEmpty());
    }

    void exitButtonClosesAndWrites()
    {
        Program program;
        TForm1 &form = program.start();
        ui(form).SpeedButton1->click();
        QVERIFY(!form.isVisible());
        QVERIFY(QFile::exists(program.iniPath()));
    }
};

int main(int argc, char **argv)
{
    // Mounts made by tests running beside this one must not reach its volume monitor.
    usePrivateMounts();
    QApplication application(argc, argv);
    TForm1Test test;
    return QTest::qExec(&test, argc, argv);
}
#include "TForm1Test.moc"
