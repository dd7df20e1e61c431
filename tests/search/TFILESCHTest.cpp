#include "search/TFILESCH.h"
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "app/TSet1.h"
#include "listing/FolderListModel.h"
#include "listing/FolderListView.h"
#include "platform/NativePath.h"
#include "platform/ScriptedDialogs.h"
#include "search/FileSearch.h"
#include "search/SearchWindowController.h"
#include "search/TFB.h"
#include "support/FolderChooserControls.h"
#include "support/Form1Controls.h"
#include "support/MainWindowFixture.h"
#include "support/RecordingScript.h"
#include "support/SearchWindowControls.h"
#include "support/Set1Controls.h"
#include "support/TempTree.h"
#include "support/ViewerControls.h"
#include "viewers/TRF.h"
#include "viewers/TSHPIC.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

namespace {

TempTree *applications = nullptr;

// Whether the process holds a descriptor of the file.
bool holdsOpen(const QString &path)
{
    std::error_code error;
    for (const auto &fd : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        std::error_code unreadable;
        if (std::filesystem::read_symlink(fd.path(), unreadable) == quil::toNative(path).toStdString())
            return true;
    }
    return false;
}

// What the engine alone finds for a request, for comparison with the window.
QStringList engineFinds(const quil::SearchRequest &request)
{
    struct Quiet : quil::SearchObserver
    {
        void showMessage(const QString &, const QString &, quil::Dialogs::Icon) override {}
    } observer;
    quil::FileSearch search(observer);
    search.start(request);
    return search.FoundList();
}

} // namespace

// The search window, its results and the folder chooser, on the real windows
// with real folder trees.
class TFILESCHTest : public QObject
{
    Q_OBJECT

    struct Program : MainWindowFixture
    {
        TempTree files;

        Program() { start(); }
        // A file with the folders above it.
        QString file(const QByteArray &relative, const QByteArray &content = "x")
        {
            QDir().mkpath(QFileInfo(files.path(relative)).path());
            return files.file(relative, content);
        }
        TFILESCH &search() { return *windows->FILESCH; }
        quil::SearchWindowController &controller() { return search().controller(); }

        // Fills the fields, presses Start and waits for the end of the search.
        void runSearch(const QString &root, bool subfolders, const QString &name = QStringLiteral("*"),
                       const QString &extension = QStringLiteral("*"))
        {
            TFILESCH &window = search();
            ui(window).Edit1->setText(root);
            ui(window).CheckBox2->setChecked(subfolders);
            ui(window).Edit2->setText(name);
            ui(window).Edit3->setText(extension);
            ui(window).Button2->click();
            waitForEnd();
        }
        void waitForEnd() { QTRY_VERIFY_WITH_TIMEOUT(!controller().isSearching(), 60000); }
        QStringList results()
        {
            QStringList rows;
            for (int row = 0; row < ui(search()).ListBox1->count(); ++row)
                rows.append(ui(search()).ListBox1->item(row)->text());
            return rows;
        }
        // Selects the result row with this path, as a click does.
        void selectResult(const QString &path)
        {
            const QList<QListWidgetItem *> found = ui(search()).ListBox1->findItems(path, Qt::MatchExactly);
            QVERIFY2(found.size() == 1, qPrintable(path));
            ui(search()).ListBox1->setCurrentItem(found.first());
        }
        // Searches the test folder (no subfolders) and selects one of its entries.
        void findAndSelect(const QString &name)
        {
            search().show();
            QVERIFY(QTest::qWaitForWindowExposed(&search()));
            runSearch(files.root(), false);
            dialogs.clear();
            selectResult(files.path(name.toUtf8()));
        }
        void picture(const QByteArray &name, const char *format)
        {
            QImage image(8, 6, QImage::Format_RGB32);
            image.fill(Qt::blue);
            QVERIFY(image.save(files.path(name), format));
        }
    };

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void searchShowsWhatTheEngineFinds_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("closing");
        QTest::newRow("everything") << "*"
                                    << "*" << quil::FileSearch::foundText();
        QTest::newRow("by extension") << "*"
                                      << "txt" << quil::FileSearch::foundText();
        QTest::newRow("fragment") << "*ot"
                                  << "txt" << quil::FileSearch::foundText();
        QTest::newRow("nothing") << "absent"
                                 << "*" << quil::FileSearch::nothingFoundText();
    }

    void searchShowsWhatTheEngineFinds()
    {
        QFETCH(QString, name);
        QFETCH(QString, extension);
        QFETCH(QString, closing);
        Program program;
        for (const char *file : {"a.txt", "notes.txt", "b.dat", "sub/c.txt", "sub/deep/d.txt", "sub/root.txt"})
            program.file(file);
        program.runSearch(program.files.root(), true, name, extension);

        quil::SearchRequest request;
        request.rootFolder = program.files.root();
        request.subfolders = true;
        request.name = name;
        request.extension = extension;
        const QStringList expected = engineFinds(request);
        QCOMPARE(program.results(), expected);
        QCOMPARE(program.dialogs.messages(), QStringList{closing});
        TFILESCH &window = program.search();
        QCOMPARE(ui(window).Label9->text(), QString::number(expected.size()));
        QCOMPARE(ui(window).Label6->text(), QStringLiteral("3"));
        QCOMPARE(ui(window).Label10->text(), QStringLiteral("3"));
        QVERIFY(ui(window).Button2->isEnabled());
        QVERIFY(!ui(window).Button3->isEnabled());
    }

    void missingRootIsTold()
    {
        Program program;
        program.runSearch(program.files.path("gone"), false);
        QCOMPARE(program.dialogs.messages(), QStringList{quil::FileSearch::missingRootText()});
        QVERIFY(ui(program.search()).Button2->isEnabled());
    }

    // Regression: a Stop pressed before the worker had begun was cleared by the engine's start.
    void stopEndsTheSearchWithWhatWasFound()
    {
        Program program;
        // Large enough that a busy machine cannot walk it all between the two clicks.
        constexpr int kFolders = 400, kFilesEach = 5;
        for (int folder = 0; folder < kFolders; ++folder) {
            const QByteArray name = "f" + QByteArray::number(folder);
            program.files.folder(name);
            for (int file = 0; file < kFilesEach; ++file)
                program.files.file(name + '/' + QByteArray::number(file), "x");
        }
        TFILESCH &window = program.search();
        ui(window).Edit1->setText(program.files.root());
        ui(window).CheckBox2->setChecked(true);
        ui(window).Button2->click();
        QVERIFY(ui(window).Button3->isEnabled());
        ui(window).Button3->click();
        program.waitForEnd();
        // On a busy machine the worker may find some before the Stop lands; a
        // lost Stop would let it find every folder and file.
        const qsizetype found = program.results().size();
        QVERIFY2(found < kFolders * (kFilesEach + 1), qPrintable(QString::number(found)));
        QCOMPARE(program.dialogs.messages(),
                 QStringList{found == 0 ? quil::FileSearch::nothingFoundText() : quil::FileSearch::foundText()});
        QVERIFY(ui(window).Button2->isEnabled());
        QVERIFY(!ui(window).Button3->isEnabled());
    }

    void enterInTheNameStartsOnlyWhenIdle()
    {
        Program program;
        program.files.file("a.txt");
        TFILESCH &window = program.search();
        ui(window).Edit1->setText(program.files.root());
        QTest::keyClick(ui(window).Edit2, Qt::Key_Return);
        QVERIFY(program.controller().isSearching());
        QTest::keyClick(ui(window).Edit2, Qt::Key_Enter);
        program.waitForEnd();
        // One search, one closing message; the Enter during it started nothing.
        QCOMPARE(program.dialogs.messages(), QStringList{quil::FileSearch::foundText()});
        QCOMPARE(program.results(), QStringList{program.files.path("a.txt")});
    }

    void openTellsAFolderAndOpensAFile()
    {
        Program program;
        program.files.folder("folder");
        const QString text = program.files.file("read me.txt", "hello");
        program.findAndSelect(QStringLiteral("folder"));
        ui(program.search()).Button1->click();
        QCOMPARE(program.dialogs.messages(), QStringList{quil::SearchWindowController::folderOpenText()});

        program.dialogs.clear();
        program.selectResult(text);
        ui(program.search()).Button1->click();
        const QList<QByteArray> items = waitForRecord(applications->path("opened"));
        QCOMPARE(items.value(1), quil::toNative(text));
        QVERIFY(program.dialogs.messages().isEmpty());

        // Gone since the search: nothing can open it.
        QFile::remove(text);
        ui(program.search()).Button1->click();
        QCOMPARE(program.dialogs.messages(), QStringList{quil::SearchWindowController::cannotOpenText()});
    }

    void goToListsTheFolderWithTheEntrySelected_data()
    {
        QTest::addColumn<bool>("inRoot");
        QTest::newRow("nested folder") << false;
        QTest::newRow("the root") << true;
    }

    void goToListsTheFolderWithTheEntrySelected()
    {
        QFETCH(bool, inRoot);
        Program program;
        program.file("deep/target.txt");
        // Every machine has /etc; a folder result is selected inside its parent.
        const QString root = inRoot ? QStringLiteral("/") : program.files.path("deep");
        const QString name = inRoot ? QStringLiteral("etc") : QStringLiteral("target.txt");
        program.runSearch(root, false, name.section(QLatin1Char('.'), 0, 0),
                          inRoot ? QStringLiteral("") : QStringLiteral("txt"));
        const QString result = inRoot ? QStringLiteral("/etc") : program.files.path("deep/target.txt");
        program.selectResult(result);
        ui(program.search()).Button4->click();
        TForm1 &form = program.form();
        QCOMPARE(form.listing().currentPath(), inRoot ? QStringLiteral("/") : program.files.path("deep"));
        QCOMPARE(form.listing().entry(form.currentRow()).name, name);
        QTRY_VERIFY(ui(form).ListView->hasFocus());
    }

    void goToAVanishedFolderDoesNothing()
    {
        Program program;
        program.file("gone/x.txt");
        program.runSearch(program.files.path("gone"), false);
        program.dialogs.clear();
        program.selectResult(program.files.path("gone/x.txt"));
        QVERIFY(QDir(program.files.path("gone")).removeRecursively());
        const QString before = program.form().listing().currentPath();
        ui(program.search()).Button4->click();
        QCOMPARE(program.form().listing().currentPath(), before);
        QCOMPARE(program.dialogs.messages(), QStringList{});
    }

    void viewChoosesTheViewerByExtension_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("isPicture");
        QTest::newRow("upper-case JPG") << "photo.JPG" << true;
        QTest::newRow("mixed-case png") << "Pic.png" << true;
        QTest::newRow("tif is text") << "a.tif" << false;
    }

    void viewChoosesTheViewerByExtension()
    {
        QFETCH(QString, name);
        QFETCH(bool, isPicture);
        Program program;
        if (isPicture)
            program.picture(name.toUtf8(), name.endsWith(QLatin1String("png")) ? "PNG" : "JPEG");
        else
            program.files.file(name.toUtf8(), "some text to find");
        program.findAndSelect(name);
        ui(program.search()).CheckBox1->setChecked(true);
        ui(program.search()).Edit5->setText(QStringLiteral(" to find"));
        ui(program.search()).Button7->click();
        TRF &text = *program.windows->RF;
        TSHPIC &picture = *program.windows->SHPIC;
        const QString path = program.files.path(name.toUtf8());
        QCOMPARE(picture.isVisible(), isPicture);
        QCOMPARE(text.isVisible(), !isPicture);
        QCOMPARE((isPicture ? picture.currentFilePath() : text.currentFilePath()), path);
        QCOMPARE(program.controller().CurrentFilePath(), path);
        QCOMPARE(program.controller().SearchViewWasPicture(), isPicture);
        if (!isPicture)
            QCOMPARE(ui(text).Edit1->text(), QStringLiteral(" to find"));
        QCOMPARE(program.dialogs.messages(), QStringList{});

        // The toggle hides the viewer used last, then shows it again.
        QWidget &used = isPicture ? static_cast<QWidget &>(picture) : text;
        ui(program.search()).SpeedButton1->click();
        QVERIFY(!used.isVisible());
        ui(program.search()).SpeedButton1->click();
        QVERIFY(used.isVisible());
    }

    void viewOfAFolderIsTold()
    {
        Program program;
        program.files.folder("folder.png");
        program.findAndSelect(QStringLiteral("folder.png"));
        ui(program.search()).Button7->click();
        const QString path = program.files.path("folder.png");
        QCOMPARE(program.dialogs.messages(), QStringList{path + quil::SearchWindowController::folderViewText()});
        QVERIFY(!program.windows->SHPIC->isVisible());
    }

    void otherViewerGetsThePathAsOneArgument()
    {
        Program program;
        TempTree tools;
        const QString record = tools.path("record");
        const QString name = QStringLiteral("two words.txt");
        program.files.file(name.toUtf8(), "x");
        ui(program.search()).CheckBox4->setChecked(true);
        program.findAndSelect(name);

        // No program chosen: nothing starts and nothing is said.
        ui(program.search()).Button7->click();
        QVERIFY(program.dialogs.messages().isEmpty());
        QVERIFY(!program.windows->RF->isVisible());
        QVERIFY(!QFile::exists(record));

        ui(*program.windows->Set1).Edit1->setText(recordingScript(tools, "viewer.sh", record));
        ui(program.search()).Button7->click();
        const QList<QByteArray> items = waitForRecord(record);
        QCOMPARE(items.size(), 2);
        QCOMPARE(items.at(1), quil::toNative(program.files.path(name.toUtf8())));
        QVERIFY(!program.windows->RF->isVisible());
    }

    void closingWritesFsIni_data()
    {
        QTest::addColumn<QString>("textViewer");
        QTest::addColumn<QString>("pictureViewer");
        QTest::newRow("empty fields") << ""
                                      << "";
        QTest::newRow("both paths") << "/usr/bin/less"
                                    << "/opt/view pictures";
    }

    void closingWritesFsIni()
    {
        QFETCH(QString, textViewer);
        QFETCH(QString, pictureViewer);
        Program program;
        program.writeSettings(QStringLiteral("fs.ini"),
                              {QStringLiteral("old"), QStringLiteral("old"), QStringLiteral("old")});
        ui(*program.windows->Set1).Edit1->setText(textViewer);
        ui(*program.windows->Set1).Edit2->setText(pictureViewer);
        program.search().show();
        program.search().close();
        QFile file(program.settingsPath(QStringLiteral("fs.ini")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), (textViewer + "\r\n" + pictureViewer + "\r\n").toUtf8());
        QVERIFY(!program.search().isVisible());
    }

    void fsIniThatCannotBeWrittenIsToldAndTheWindowCloses()
    {
        Program program;
        // A folder in the file's place: the rename over it fails even for root.
        QVERIFY(QDir().mkpath(program.settingsPath(QStringLiteral("fs.ini"))));
        program.search().show();
        program.search().close();
        QCOMPARE(program.dialogs.shown(quil::ScriptedDialogs::Kind::ErrorBox).size(), 1);
        QVERIFY(!program.search().isVisible());
    }

    void otherViewerFollowsTheSettingsWindowOnClose_data()
    {
        QTest::addColumn<bool>("texts");
        QTest::addColumn<bool>("pictures");
        QTest::newRow("neither") << false << false;
        QTest::newRow("texts") << true << false;
        QTest::newRow("pictures") << false << true;
    }

    void otherViewerFollowsTheSettingsWindowOnClose()
    {
        QFETCH(bool, texts);
        QFETCH(bool, pictures);
        Program program;
        TSet1 &settings = *program.windows->Set1;
        ui(program.search()).CheckBox4->setChecked(!(texts || pictures));
        settings.show();
        ui(settings).CheckBox1->setChecked(texts);
        ui(settings).CheckBox2->setChecked(pictures);
        // Changed by hand in between: kept until the settings window closes.
        QCOMPARE(ui(program.search()).CheckBox4->isChecked(), !(texts || pictures));
        settings.close();
        QCOMPARE(ui(program.search()).CheckBox4->isChecked(), texts || pictures);
    }

    void programEndDuringASearchStopsIt()
    {
        Program program;
        for (int folder = 0; folder < 100; ++folder)
            program.file(QByteArray("f") + QByteArray::number(folder) + "/a");
        ui(program.search()).Edit1->setText(program.files.root());
        ui(program.search()).CheckBox2->setChecked(true);
        ui(program.search()).Button2->click();
        QVERIFY(program.controller().isSearching());
        // The windows go while the worker runs: it is stopped and waited for.
        program.windows.reset();
        QVERIFY(program.dialogs.messages().isEmpty());
    }

    void hugeFileDoesNotHoldUpStopOrTheProgramEnd_data()
    {
        QTest::addColumn<bool>("programEnd");
        QTest::newRow("Stop") << false;
        QTest::newRow("program end") << true;
    }

    // Regression: the text test of a 1 TiB sparse file ran to the file's end
    // after Stop, and after the program's end the process ran on.
    void hugeFileDoesNotHoldUpStopOrTheProgramEnd()
    {
        QFETCH(bool, programEnd);
        Program program;
        const QString huge = program.files.sparseFile("huge.bin", qint64(1) << 40);
        TFILESCH &window = program.search();
        ui(window).Edit1->setText(program.files.root());
        ui(window).CheckBox1->setChecked(true);
        ui(window).Edit5->setText(QStringLiteral("needle"));
        ui(window).Button2->click();
        // The worker is inside the file once it holds it open.
        QTRY_VERIFY_WITH_TIMEOUT(holdsOpen(huge), 60000);
        if (!programEnd) {
            ui(window).Button3->click();
            // Reading the whole file takes far longer than this bound.
            program.waitForEnd();
            QVERIFY(program.results().isEmpty());
            QCOMPARE(program.dialogs.messages(), QStringList{quil::FileSearch::nothingFoundText()});
            return;
        }
        std::mutex mutex;
        std::condition_variable ended;
        bool done = false;
        std::jthread watchdog([&] {
            std::unique_lock lock(mutex);
            if (!ended.wait_for(lock, std::chrono::seconds(60), [&] { return done; }))
                qFatal("the program's end waits for the text test of a huge file");
        });
        // The windows go while the worker reads: it is stopped and waited for.
        program.windows.reset();
        {
            const std::lock_guard lock(mutex);
            done = true;
        }
        ended.notify_one();
        watchdog.join();
        QVERIFY(!holdsOpen(huge));
    }

    // While a search runs, Escape stops it and the window stays open; the
    // next Escape closes the window.
    void escapeStopsARunningSearchFirst()
    {
        Program program;
        const QString huge = program.files.sparseFile("huge.bin", qint64(1) << 40);
        TFILESCH &window = program.search();
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        ui(window).Edit1->setText(program.files.root());
        ui(window).CheckBox1->setChecked(true);
        ui(window).Edit5->setText(QStringLiteral("needle"));
        ui(window).Button2->click();
        QTRY_VERIFY_WITH_TIMEOUT(holdsOpen(huge), 60000);
        QTest::keyClick(ui(window).Edit2, Qt::Key_Escape);
        program.waitForEnd();
        QVERIFY(window.isVisible());
        QCOMPARE(program.dialogs.messages(), QStringList{quil::FileSearch::nothingFoundText()});
        QTest::keyClick(ui(window).Edit2, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    }

    void searchButtonOfTheMainWindow()
    {
        Program program;
        program.form().navigateByPath(quil::FolderPath(program.files.root()));
        ui(program.form()).Button1->click();
        QVERIFY(program.search().isVisible());
        QCOMPARE(ui(program.search()).Edit1->text(), program.files.root() + "/");
    }

    void chooserFillsTheRootAtOnce()
    {
        Program program;
        program.files.folder("inner");
        TFB &chooser = *program.windows->FB;
        ui(program.search()).SpeedButton2->click();
        QVERIFY(chooser.isVisible());
        chooser.setDirectory(program.files.root());
        QCOMPARE(ui(program.search()).Edit1->text(), program.files.root());

        const QList<QListWidgetItem *> rows =
            ui(chooser).DirectoryListBox1->findItems(QStringLiteral("inner"), Qt::MatchEndsWith);
        QCOMPARE(rows.size(), 1);
        ui(chooser).DirectoryListBox1->setCurrentItem(rows.first());
        QTest::keyClick(ui(chooser).DirectoryListBox1, Qt::Key_Return);
        QCOMPARE(ui(program.search()).Edit1->text(), program.files.path("inner"));
        // The list opens at the folder: its ancestors above, "inner" last.
        QCOMPARE(ui(chooser).DirectoryListBox1->currentItem()->text().trimmed(), QStringLiteral("inner"));

        // A volume chosen: the list opens at its mount point.
        const int rootVolume = ui(chooser).DriveComboBox1->findData(QStringLiteral("/"));
        QVERIFY(rootVolume >= 0);
        ui(chooser).DriveComboBox1->setCurrentIndex(rootVolume);
        chooser.DriveComboBox1Change();
        QCOMPARE(ui(program.search()).Edit1->text(), QStringLiteral("/"));
        QCOMPARE(chooser.directory(), QStringLiteral("/"));

        chooser.setDirectory(program.files.path("inner"));
        ui(program.search()).Edit1->setText(QStringLiteral("typed"));
        ui(chooser).Button1->click();
        QCOMPARE(ui(program.search()).Edit1->text(), program.files.path("inner"));
        QVERIFY(!chooser.isVisible());
    }
};

int main(int argc, char **argv)
{
    // GIO reads the applications and their defaults once, on first use.
    TempTree xdg;
    applications = &xdg;
    installTestTextOpener(xdg, "quil-test-opener");
    QApplication application(argc, argv);
    TFILESCHTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TFILESCHTest.moc"
