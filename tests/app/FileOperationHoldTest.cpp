// Device notices and folder-size reports that come while a copy runs, on the
// real windows over real folders: the copy is caught in the middle by its
// own question about a target that exists.
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "fileops/MarksController.h"
#include "fileops/TForm4.h"
#include "listing/FolderListModel.h"
#include "listing/FolderListView.h"
#include "platform/Launcher.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Services.h"
#include "platform/VolumeMonitor.h"
#include "support/Form1Controls.h"
#include "support/TempTree.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <functional>

namespace {

// Scripted dialogs whose question about an existing target first runs a
// step on the window thread, inside the file operation's own event loop.
class MidOperationDialogs : public quil::ScriptedDialogs
{
public:
    std::function<void()> duringOperation;

    TargetExistsAnswer askTargetExists(const QString &source, const QString &target) override
    {
        // Asked on the operation's worker thread, which waits for the step.
        QMetaObject::invokeMethod(qApp, duringOperation, Qt::BlockingQueuedConnection);
        return ScriptedDialogs::askTargetExists(source, target);
    }
};

} // namespace

class FileOperationHoldTest : public QObject
{
    Q_OBJECT

    struct Program
    {
        TempTree settings;
        TempTree tree;
        MidOperationDialogs dialogs;
        quil::Launcher launcher;
        quil::Services services{dialogs, launcher, settings.root() + QLatin1Char('/'),
                                settings.root() + QLatin1Char('/')};
        std::unique_ptr<AppWindows> windows;
        TForm1 *form = nullptr;

        Program()
        {
            tree.folder("src");
            tree.folder("src/sub");
            tree.file("src/sub/inner", QByteArray(10240, 'x'));
            tree.file("src/a", "a");
            tree.file("src/b", "new content");
            tree.folder("dst");
            tree.file("dst/b", "old b");
            dialogs.setDefaultTargetExists(quil::Dialogs::TargetExistsAnswer::Replace);
            windows = std::make_unique<AppWindows>(services);
            form = windows->Form1.get();
            form->show();
            form->NavigateByPath(src());
            TForm4 &panel = *windows->Form4;
            panel.showPanel();
            panel.SecondPanelPath = quil::FolderPath(tree.path("dst") + QLatin1Char('/'));
            panel.ListSecondPanel(panel.SecondPanelPath);
        }
        QString src() const { return tree.path("src") + QLatin1Char('/'); }
        int row(const QString &name) const { return form->listing().findEntry(name); }
        // Marks a and b and gives the list the focus, as the user does before F5.
        void markTheFiles()
        {
            for (const QString &name : {QStringLiteral("a"), QStringLiteral("b")})
                form->listing().entry(row(name)).marked = true;
            ui(*form).ListView->setCurrentIndex(form->listModel().index(row(QStringLiteral("a")), 0));
            form->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(form));
            ui(*form).ListView->setFocus();
            dialogs.answerYesNo(true);
        }
    };

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Regression: a device notice in the middle of a copy rebuilt the drive
    // lists and listed the drive's root under the running copy.
    void deviceNoticeWaitsForTheCopy()
    {
        Program program;
        TForm1 &form = *program.form;
        program.markTheFiles();
        QSignalSpy rebuilt(&form, &TForm1::driveListsRebuilt);
        QString listedDuring;
        QStringList markedDuring;
        int rebuiltDuring = -1;
        program.dialogs.duringOperation = [&] {
            auto *monitor = form.findChild<quil::VolumeMonitor *>();
            QVERIFY(monitor != nullptr);
            Q_EMIT monitor->deviceChange(quil::VolumeMonitor::DeviceArrival, QStringLiteral("/"));
            QCoreApplication::processEvents();
            listedDuring = form.listing().currentPath();
            for (int i = 0; i < form.listing().count(); ++i)
                if (form.EntryOfRow(i).marked)
                    markedDuring.append(form.EntryOfRow(i).name);
            rebuiltDuring = int(rebuilt.size());
        };
        form.SpeedButton6Click();
        QCOMPARE(rebuiltDuring, 0);
        QCOMPARE(listedDuring, program.tree.path("src"));
        QCOMPARE(markedDuring, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
        QCOMPARE(QFile(program.tree.path("dst/b")).size(), qint64(11));
        // Applied once the copy has ended.
        QTRY_COMPARE(rebuilt.size(), 1);
    }

    // Regression: a folder-size report in the middle of a copy wrote the
    // summary and a row of the list under the running copy.
    void folderSizeReportWaitsForTheCopy()
    {
        Program program;
        TForm1 &form = *program.form;
        program.markTheFiles();
        const int sub = program.row(QStringLiteral("sub"));
        form.listing().fillDetails(sub, sub);
        const qint64 sizeBefore = form.EntryOfRow(sub).size;
        qint64 sizeDuring = -1;
        QString summaryDuring;
        const QString summaryBefore = [&] {
            form.ShowSelectionSummary();
            return ui(form).Label1->text();
        }();
        program.dialogs.duringOperation = [&] {
            form.RunThread(program.tree.path("src/sub"), sub);
            // The worker's reports are queued before its end.
            QVERIFY(QTest::qWaitFor([&] { return form.marks().workers().isEmpty(); }, 60000));
            sizeDuring = form.EntryOfRow(sub).size;
            summaryDuring = ui(form).Label1->text();
        };
        form.SpeedButton6Click();
        QCOMPARE(sizeDuring, sizeBefore);
        QCOMPARE(summaryDuring, summaryBefore);
        QTRY_COMPARE(form.EntryOfRow(sub).size, qint64(10));
    }
};

QTEST_MAIN(FileOperationHoldTest)
#include "FileOperationHoldTest.moc"
