#include "fileops/MarksController.h"
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "fileops/FolderSizeWorker.h"
#include "fileops/MarkCommands.h"
#include "fileops/TFolderSize.h"
#include "fileops/TForm4.h"
#include "listing/FolderListModel.h"
#include "listing/FolderListView.h"
#include "platform/MaskMatcher.h"
#include "platform/NativePath.h"
#include "platform/ScriptedDialogs.h"
#include "support/Form1Controls.h"
#include "support/MainWindowFixture.h"
#include "support/PrivateMounts.h"
#include "support/TempTree.h"

#include <QApplication>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QSemaphore>
#include <QTest>

#include <atomic>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

// Marks, the selection summary and the folder-size workers on the real main
// window over real folders.
class MarksControllerTest : public QObject
{
    Q_OBJECT

    // Holds every walking thread after each folder it has read, until let
    // go; lets go when it goes (the threads keep its state).
    class WalkHold
    {
    public:
        explicit WalkHold(quil::FolderSizeWorker &worker)
        {
            worker.setFolderRead([state = m_state] {
                ++state->foldersRead;
                if (state->open)
                    return;
                state->held.release();
                state->gate.acquire();
            });
        }
        ~WalkHold() { letGo(); }
        WalkHold(const WalkHold &) = delete;
        WalkHold &operator=(const WalkHold &) = delete;

        // True once a thread waits here: the walk cannot have finished.
        bool waitHeld() { return m_state->held.tryAcquire(1, 60000); }
        void letGo()
        {
            m_state->open = true;
            m_state->gate.release(quil::FolderSizeWorker::defaultThreads() + 1);
        }
        int foldersRead() const { return m_state->foldersRead; }

    private:
        struct State
        {
            QSemaphore held;
            QSemaphore gate;
            std::atomic<int> foldersRead{0};
            std::atomic<bool> open{false};
        };
        std::shared_ptr<State> m_state = std::make_shared<State>();
    };

    struct Program : MainWindowFixture
    {
        TempTree tree;
        TForm1 *form = nullptr;

        Program()
        {
            form = &start();
            QVERIFY(QTest::qWaitForWindowExposed(form));
        }
        void list(const QString &path = {})
        {
            form->navigateByPath(quil::FolderPath(path.isEmpty() ? tree.root() + '/' : path));
        }
        int row(const QString &name) const { return form->listing().findEntry(name); }
        void toggle(const QString &name)
        {
            const int at = row(name);
            QVERIFY2(at >= 0, qPrintable(name));
            ui(*form).ListView->setCurrentIndex(form->listModel().index(at, 0));
            form->ToggleCurrentMark();
        }
        QString summary() const { return ui(*form).Label1->text(); }
        // Waits until every worker has ended and its reports have been shown.
        void waitForWorkers()
        {
            QTRY_VERIFY_WITH_TIMEOUT(form->marks().workers().isEmpty(), 60000);
            QCoreApplication::processEvents();
        }
        // A folder of folders x files of the given size, for a walk that lasts.
        qint64 bigFolder(const QByteArray &name, int folders, int files, int size)
        {
            tree.folder(name);
            for (int f = 0; f < folders; ++f) {
                const QByteArray sub = name + "/s" + QByteArray::number(f);
                tree.folder(sub);
                for (int i = 0; i < files; ++i)
                    tree.file(sub + "/f" + QByteArray::number(i), QByteArray(size, 'b'));
            }
            return qint64(folders) * files * size;
        }
    };

    static QString summaryText(int folders, int files, qint64 kb)
    {
        return quil::selectionSummaryText(folders, files, kb);
    }

private Q_SLOTS:
    void twoFilesGiveTwoKilobytes()
    {
        Program program;
        program.tree.file("a.bin", QByteArray(1500, 'a'));
        program.tree.file("empty");
        program.list();
        program.toggle(QStringLiteral("a.bin"));
        program.toggle(QStringLiteral("empty"));
        QCOMPARE(program.summary(), QStringLiteral("Выделено в 0 папках и в 2 файлах: 2 KB"));
        // Marked rows are drawn in red.
        const QModelIndex index = program.form->listModel().index(program.row(QStringLiteral("empty")), 0);
        QCOMPARE(index.data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
        program.toggle(QStringLiteral("empty"));
        QCOMPARE(program.summary(), QStringLiteral("Выделено в 0 папках и в 1 файлах: 1 KB"));
        QVERIFY(program.form->marks().workers().isEmpty());
    }

    void markedFolderShowsItsSizeFieldThenTheWorkersTotal()
    {
        Program program;
        program.tree.file("loose.txt", QByteArray(2048, 'l'));
        const qint64 bytes = program.bigFolder("sub", 4, 30, 3000) + 7;
        program.tree.file("sub/odd", QByteArray(7, 'o'));
        program.list();
        program.toggle(QStringLiteral("loose.txt"));
        program.toggle(QStringLiteral("sub"));
        // At once: the folder counts its size field; no report can have
        // reached the window yet.
        QCOMPARE(program.summary(), summaryText(1, 1, 2 + 1));
        QCOMPARE(program.form->marks().workers().size(), 1);
        program.waitForWorkers();
        // The last report: the full summary plus the worker's kilobytes.
        QCOMPARE(program.summary(), summaryText(1, 1, 2 + 1 + bytes / 1024));
        QCOMPARE(ui(*program.form).Label9->text(), QStringLiteral("Вычисляю размер..."));
        QCOMPARE(program.form->listing().entry(program.row(QStringLiteral("sub"))).size, bytes / 1024);
        // The next full summary counts the stored total instead of 1.
        program.form->ShowSelectionSummary();
        QCOMPARE(program.summary(), summaryText(1, 1, 2 + bytes / 1024));
        // The list still shows "<dir>" for it.
        const QModelIndex size = program.form->listModel().index(program.row(QStringLiteral("sub")), 1);
        QCOMPARE(size.data().toString(), QStringLiteral("<dir>"));
    }

    void linksSpecialFilesAndUnreadableFoldersInsideAMarkedFolder()
    {
        Program program;
        program.tree.folder("box");
        program.tree.file("box/real", QByteArray(4000, 'r'));
        program.tree.symlink("..", "box/loop");
        program.tree.symlink("real", "box/file link");
        program.tree.fifo("box/pipe");
        program.tree.folder("box/locked");
        program.tree.file("box/locked/hidden", QByteArray(3000, 'h'));
        const QByteArray locked = quil::toNative(program.tree.path("box/locked"));
        QCOMPARE(::chmod(locked.constData(), 0), 0);
        const bool readable = ::access(locked.constData(), R_OK | X_OK) == 0; // privileged users
        program.list();
        program.toggle(QStringLiteral("box"));
        program.waitForWorkers();
        const qint64 kb = (4000 + (readable ? 3000 : 0)) / 1024;
        QCOMPARE(program.form->listing().entry(program.row(QStringLiteral("box"))).size, kb);
        QCOMPARE(program.summary(), summaryText(1, 0, 1 + kb));
    }

    void folderWithoutFilesGetsNoReport()
    {
        Program program;
        program.tree.folder("hollow");
        program.tree.folder("hollow/a");
        program.tree.folder("hollow/a/b");
        program.tree.folder("hollow/c");
        program.list();
        program.toggle(QStringLiteral("hollow"));
        program.waitForWorkers();
        // A device notice of the machine may write the status line meanwhile.
        QVERIFY(ui(*program.form).Label9->text() != QStringLiteral("Вычисляю размер..."));
        QCOMPARE(program.summary(), summaryText(1, 0, 1));
        QCOMPARE(quil::folderSizeKb(program.form->listing().entry(program.row(QStringLiteral("hollow")))), qint64(1));
    }

    void relistingDropsTheReportsOfTheEarlierListing_data()
    {
        QTest::addColumn<bool>("walkDone");
        QTest::newRow("still walking") << false;
        // Its reports wait in the queue when the listing changes.
        QTest::newRow("walk done, reports queued") << true;
    }
    void relistingDropsTheReportsOfTheEarlierListing()
    {
        QFETCH(bool, walkDone);
        QSemaphore ended;
        Program program;
        program.tree.folder("slow");
        program.tree.folder("other");
        program.bigFolder("slow/a", 40, 100, 100);
        program.tree.folder("other/a");
        program.tree.folder("other/b");
        program.list(program.tree.path("slow") + '/');
        quil::FolderSizeWorker &worker = program.form->marks().folderSizes();
        connect(
            &worker, &quil::FolderSizeWorker::WalkEnded, &worker, [&ended] { ended.release(); }, Qt::DirectConnection);
        std::unique_ptr<WalkHold> hold = walkDone ? nullptr : std::make_unique<WalkHold>(worker);
        program.toggle(QStringLiteral("a"));
        const int row = program.row(QStringLiteral("a"));
        // No event is processed from here to the new listing: whatever the
        // walk sends belongs to the earlier one.
        if (walkDone)
            QVERIFY(ended.tryAcquire(1, 60000));
        else
            QVERIFY(hold->waitHeld());
        program.list(program.tree.path("other") + '/');
        QCOMPARE(program.form->listing().entry(row).name, QStringLiteral("a"));
        const QString afterListing = program.summary();
        if (hold != nullptr)
            hold->letGo();
        program.waitForWorkers();
        // The new listing stopped the walk: it did not read the rest of the tree.
        if (hold != nullptr)
            QVERIFY2(hold->foldersRead() < 41, qPrintable(QString::number(hold->foldersRead())));
        QCOMPARE(quil::folderSizeKb(program.form->listing().entry(row)), qint64(1));
        // A device notice of the machine may write the status line meanwhile.
        QVERIFY(ui(*program.form).Label9->text() != QStringLiteral("Вычисляю размер..."));
        QCOMPARE(program.summary(), afterListing);
    }

    void foldersAreWalkedInTurnWithEveryReportOnItsOwnRow()
    {
        QList<TFolderSize *> ended;
        Program program;
        const qint64 first = program.bigFolder("one", 6, 20, 2000);
        const qint64 second = program.bigFolder("two", 3, 10, 5000);
        program.tree.folder("hollow");
        program.list();
        quil::FolderSizeWorker &worker = program.form->marks().folderSizes();
        // Only the pointers: the controller deletes an ended folder first.
        connect(&worker, &quil::FolderSizeWorker::WalkEnded, program.form,
                [&ended](TFolderSize *folder) { ended.append(folder); });
        program.toggle(QStringLiteral("one"));
        program.toggle(QStringLiteral("hollow"));
        program.toggle(QStringLiteral("two"));
        QCOMPARE(program.form->marks().workers().size(), 3);
        QHash<TFolderSize *, QString> paths;
        for (TFolderSize *folder : program.form->marks().workers())
            paths.insert(folder, folder->FolderPath);
        program.waitForWorkers();
        QStringList order;
        for (TFolderSize *folder : ended)
            order.append(paths.value(folder));
        QCOMPARE(order, (QStringList{program.tree.path("one"), program.tree.path("hollow"), program.tree.path("two")}));
        QCOMPARE(program.form->listing().entry(program.row(QStringLiteral("one"))).size, first / 1024);
        QCOMPARE(program.form->listing().entry(program.row(QStringLiteral("two"))).size, second / 1024);
        QCOMPARE(quil::folderSizeKb(program.form->listing().entry(program.row(QStringLiteral("hollow")))), qint64(1));
        // The last report was the last folder's.
        QCOMPARE(program.summary(), summaryText(3, 0, 3 + second / 1024));
    }

    void closingWithAWorkerRunningEndsCleanly()
    {
        auto program = std::make_unique<Program>();
        program->bigFolder("slow", 40, 100, 100);
        program->tree.folder("next");
        program->tree.file("next/f", "x");
        program->list();
        WalkHold hold(program->form->marks().folderSizes());
        program->toggle(QStringLiteral("slow"));
        program->toggle(QStringLiteral("next"));
        QVERIFY(hold.waitHeld());
        program->form->close();
        // The folder still waiting is dropped with the listing.
        QVERIFY(program->form->marks().workers().size() <= 1);
        hold.letGo();
        // The windows go while the walk may still run: it is stopped and its
        // threads joined, and no report reaches the discarded list.
        program->windows.reset();
        QCoreApplication::processEvents();
        QVERIFY2(hold.foldersRead() < 41, qPrintable(QString::number(hold.foldersRead())));
        QVERIFY(QFileInfo::exists(program->tree.path("slow/s0/f0")));
    }

    void maskCommandsAndInversion()
    {
        Program program;
        program.tree.file("README");
        program.tree.file("a.txt", QByteArray(3000, 'a'));
        program.tree.file("B.TXT");
        program.tree.folder("x.txt");
        program.list();
        program.form->SelectByMask(QStringLiteral("*.txt"));
        QCOMPARE(program.marked(), (QStringList{"B.TXT", "a.txt"}));
        QCOMPARE(program.summary(), summaryText(0, 2, 2 + 1));
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        program.form->InvertSelection();
        QCOMPARE(program.marked(), QStringList{"README"});
        program.form->UnselectByMask(QStringLiteral("*"));
        QCOMPARE(program.marked(), QStringList{});
        QCOMPARE(program.summary(), summaryText(0, 0, 0));

        program.form->SelectByMask(QStringLiteral("*"));
        const QString before = program.summary();
        QVERIFY_THROWS_EXCEPTION(quil::InvalidMaskError, program.form->UnselectByMask(QStringLiteral("*.[")));
        QCOMPARE(program.marked(), (QStringList{"B.TXT", "README", "a.txt"}));
        QCOMPARE(program.summary(), before);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    void selectMissingComparesWithTheSecondPanelsRows()
    {
        Program program;
        program.tree.folder("main");
        program.tree.folder("panel");
        program.tree.file("main/both.txt");
        program.tree.file("main/Case.txt");
        program.tree.file("main/only.txt");
        program.tree.file("panel/both.txt");
        program.tree.file("panel/case.txt");
        TForm4 *panel = program.windows->Form4.get();
        panel->SecondPanelPath = quil::FolderPath(program.tree.path("panel") + '/');
        panel->ListSecondPanel(panel->SecondPanelPath);
        panel->showPanel();
        program.list(program.tree.path("main") + '/');
        program.toggle(QStringLiteral("both.txt"));
        program.form->SelectMissing(QStringLiteral("*.*"));
        QCOMPARE(program.marked(), (QStringList{"Case.txt", "only.txt"}));
    }

    void volumesAreWalkedButNotCountedByTheFullSummary()
    {
        Program program;
        program.list(QStringLiteral("computer:///"));
        QVERIFY(program.form->listing().count() > 0);
        // Marking the root volume by hand: a walk of the whole disk has no
        // place in a test.
        program.form->listing().entry(0).marked = true;
        program.form->ShowSelectionSummary();
        QCOMPARE(program.summary(), summaryText(0, 0, 0));
    }
};

int main(int argc, char **argv)
{
    usePrivateMounts();
    QApplication application(argc, argv);
    MarksControllerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MarksControllerTest.moc"
