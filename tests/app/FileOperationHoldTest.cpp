// Device notices and folder-size reports that come while a command runs, on
// the real windows over real folders: the command is caught in the middle by
// one of its own dialogs, whose scripted answer first delivers the notice.
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
#include "support/Form4Controls.h"
#include "support/TempTree.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Scripted dialogs that run a step on the window thread before they answer:
// inside the file operation's question about an existing target, or inside
// the first of the command's own boxes.
class SteppingDialogs : public quil::ScriptedDialogs
{
public:
    std::function<void()> duringOperation;
    // Runs once, in the next message, question or input box.
    std::function<void()> duringQuestion;

    TargetExistsAnswer askTargetExists(const QString &source, const QString &target) override
    {
        // Asked on the operation's worker thread, which waits for the step.
        QMetaObject::invokeMethod(qApp, duringOperation, Qt::BlockingQueuedConnection);
        return ScriptedDialogs::askTargetExists(source, target);
    }
    void message(const QString &text, const QString &title, Icon icon) override
    {
        step();
        ScriptedDialogs::message(text, title, icon);
    }
    bool askYesNo(const QString &text, const QString &title, Icon icon) override
    {
        step();
        return ScriptedDialogs::askYesNo(text, title, icon);
    }
    std::optional<QString> inputBox(const QString &title, const QString &prompt, const QString &defaultValue) override
    {
        step();
        return ScriptedDialogs::inputBox(title, prompt, defaultValue);
    }

private:
    void step()
    {
        if (const std::function<void()> once = std::exchange(duringQuestion, nullptr))
            once();
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
        SteppingDialogs dialogs;
        quil::Launcher launcher;
        quil::Services services{dialogs, launcher, quil::FolderPath(settings.root()),
                                quil::FolderPath(settings.root())};
        std::unique_ptr<quil::AppWindows> windows;
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
            windows = std::make_unique<quil::AppWindows>(services);
            form = windows->Form1.get();
            showStarted(*form);
            form->navigateByPath(quil::FolderPath(src()));
            TForm4 &panel = *windows->Form4;
            panel.showPanel();
            panel.SecondPanelPath = quil::FolderPath(tree.path("dst") + QLatin1Char('/'));
            panel.ListSecondPanel(panel.SecondPanelPath);
        }
        QString src() const { return tree.path("src") + QLatin1Char('/'); }
        TForm4 &panel() const { return *windows->Form4; }
        // A disk arrives, as the volume monitor reports it.
        void deviceArrives()
        {
            auto *monitor = form->findChild<quil::VolumeMonitor *>();
            QVERIFY(monitor != nullptr);
            Q_EMIT monitor->deviceChange(quil::VolumeMonitor::DeviceArrival, QStringLiteral("/"));
            QCoreApplication::processEvents();
        }
        // Gives the list the focus on the named row, as a click on it does.
        void focusRow(const QString &name)
        {
            ui(*form).ListView->setCurrentIndex(form->listModel().index(row(name), 0));
            // An activation still queued (the panel's) comes first.
            QCoreApplication::processEvents();
            form->activateWindow();
            QTRY_VERIFY(form->isActiveWindow()); // not only its panel window
            ui(*form).ListView->setFocus();
        }
        // Opens the second panel's name editor on a row, F2 as the user presses it.
        QLineEdit *panelEditor(const QString &name)
        {
            TForm4 &second = panel();
            quil::PanelListView *list = ui(second).ListView1;
            list->setCurrentRow(int(second.rowNames().indexOf(name)));
            second.focusList();
            QTest::keyClick(list, Qt::Key_F2);
            QLineEdit *editor = nullptr;
            if (!QTest::qWaitFor([&] { return (editor = list->findChild<QLineEdit *>()) != nullptr; }))
                qWarning("the panel's name editor did not open");
            return editor;
        }
        QLineEdit *mainEditor(const QString &name)
        {
            focusRow(name);
            QTest::keyClick(ui(*form).ListView, Qt::Key_F2);
            QLineEdit *editor = nullptr;
            if (!QTest::qWaitFor([&] { return (editor = ui(*form).ListView->findChild<QLineEdit *>()) != nullptr; }))
                qWarning("the list's name editor did not open");
            return editor;
        }
        int row(const QString &name) const { return form->listing().findEntry(name); }
        // Marks a and b and gives the list the focus, as the user does before F5.
        void markTheFiles()
        {
            for (const QString &name : {QStringLiteral("a"), QStringLiteral("b")})
                form->listing().entry(row(name)).marked = true;
            ui(*form).ListView->setCurrentIndex(form->listModel().index(row(QStringLiteral("a")), 0));
            // An activation still queued (the panel's) comes first.
            QCoreApplication::processEvents();
            form->activateWindow();
            QTRY_VERIFY(form->isActiveWindow()); // not only its panel window
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
            program.deviceArrives();
            listedDuring = form.listing().currentPath();
            for (int i = 0; i < form.listing().count(); ++i)
                if (form.listing().entry(i).marked)
                    markedDuring.append(form.listing().entry(i).name);
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
        const qint64 sizeBefore = form.listing().entry(sub).size;
        qint64 sizeDuring = -1;
        QString summaryDuring;
        const QString summaryBefore = [&] {
            form.ShowSelectionSummary();
            return ui(form).Label1->text();
        }();
        program.dialogs.duringOperation = [&] {
            form.marks().queueFolderSize(quil::FolderPath(program.tree.path("src/sub")), sub);
            // The worker's reports are queued before its end.
            QVERIFY(QTest::qWaitFor([&] { return form.marks().workers().isEmpty(); }, 60000));
            sizeDuring = form.listing().entry(sub).size;
            summaryDuring = ui(form).Label1->text();
        };
        form.SpeedButton6Click();
        QCOMPARE(sizeDuring, sizeBefore);
        QCOMPARE(summaryDuring, summaryBefore);
        QTRY_COMPARE(form.listing().entry(sub).size, qint64(10));
    }

    // Regression: a device notice inside a command's box listed the drive's
    // root under the command, which then made or renamed its item there (a
    // second-panel rename then crashed the program). The in-place rows also
    // get a notice while their editor is open.
    void commandsKeepTheirFolderThroughADeviceNotice_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("made");
        QTest::addColumn<QString>("gone");
        QTest::newRow("F7") << "F7"
                            << "src/quil-hold-made"
                            << "";
        QTest::newRow("rename by button") << "rename"
                                          << "src/a2"
                                          << "src/a";
        QTest::newRow("rename in place") << "edit"
                                         << "src/a2"
                                         << "src/a";
        QTest::newRow("second panel's New") << "panel new"
                                            << "dst/quil-hold-made"
                                            << "";
        QTest::newRow("second panel's rename in place") << "panel edit"
                                                        << "dst/b2"
                                                        << "dst/b";
        QTest::newRow("undo") << "undo"
                              << "src/a"
                              << "src/a2";
    }
    void commandsKeepTheirFolderThroughADeviceNotice()
    {
        QFETCH(QString, command);
        QFETCH(QString, made);
        QFETCH(QString, gone);
        // Should the holds fail, what a command made in the drive's root goes again.
        const auto cleanUp = qScopeGuard([] { QDir(QStringLiteral("/")).rmdir(QStringLiteral("quil-hold-made")); });
        Program program;
        TForm1 &form = *program.form;
        quil::FolderListView &list = *ui(form).ListView;
        QSignalSpy rebuilt(&form, &TForm1::driveListsRebuilt);
        int notices = 0;
        QStringList listedDuring; // the main list's folder, then the panel's, at each notice
        const auto notice = [&] {
            program.deviceArrives();
            ++notices;
            listedDuring << form.listing().currentPath() << program.panel().folderPath().path();
        };
        program.dialogs.duringQuestion = notice;
        if (command == QLatin1String("F7")) {
            program.dialogs.answerInput(QStringLiteral("quil-hold-made"));
            program.focusRow(QStringLiteral("a"));
            QTest::keyClick(&list, Qt::Key_F7);
        } else if (command == QLatin1String("rename")) {
            program.dialogs.answerInput(QStringLiteral("a2"));
            program.focusRow(QStringLiteral("a"));
            ui(form).SpeedButton3->click();
        } else if (command == QLatin1String("edit")) {
            QLineEdit *editor = program.mainEditor(QStringLiteral("a"));
            QVERIFY(editor != nullptr);
            notice();
            QVERIFY(list.isEditingName());
            editor->setText(QStringLiteral("a2"));
            QTest::keyClick(editor, Qt::Key_Return);
        } else if (command == QLatin1String("panel new")) {
            program.dialogs.answerInput(QStringLiteral("quil-hold-made"));
            ui(program.panel()).Button1->click();
        } else if (command == QLatin1String("panel edit")) {
            QLineEdit *editor = program.panelEditor(QStringLiteral("b"));
            QVERIFY(editor != nullptr);
            notice();
            QVERIFY(ui(program.panel()).ListView1->isEditingName());
            // The box takes the focus, as a real one does: an editor still
            // open under it committed (and renamed) a second time.
            program.dialogs.duringQuestion = [&] {
                notice();
                ui(program.panel()).Edit1->setFocus();
            };
            editor->setText(QStringLiteral("b2"));
            QTest::keyClick(editor, Qt::Key_Return);
        } else if (command == QLatin1String("undo")) {
            // A rename to undo, with no notice inside it.
            program.dialogs.duringQuestion = nullptr;
            program.dialogs.answerInput(QStringLiteral("a2"));
            program.focusRow(QStringLiteral("a"));
            ui(form).SpeedButton3->click();
            QVERIFY(QFileInfo::exists(program.tree.path("src/a2")));
            program.dialogs.duringQuestion = notice;
            program.dialogs.answerYesNo(true);
            program.focusRow(QStringLiteral("a2"));
            QTest::keyClick(&list, Qt::Key_Z, Qt::ControlModifier);
        }
        QTRY_VERIFY(QFileInfo::exists(program.tree.path(made.toUtf8())));
        if (!gone.isEmpty())
            QVERIFY(!QFileInfo::exists(program.tree.path(gone.toUtf8())));
        QVERIFY(notices > 0);
        QVERIFY(program.dialogs.shown(quil::ScriptedDialogs::Kind::ItemError).isEmpty());
        for (qsizetype i = 0; i < listedDuring.size(); i += 2) {
            QCOMPARE(listedDuring.at(i), program.tree.path("src"));
            QCOMPARE(listedDuring.at(i + 1), program.tree.path("dst"));
        }
        // Applied once the command has ended.
        QTRY_COMPARE(int(rebuilt.size()), notices);
    }

    // Regression: a second click on the current row and F5 at once: the
    // rename editor opened inside the copy's box.
    void secondClickEditorStaysShutThroughACommand()
    {
        Program program;
        quil::FolderListView &list = *ui(*program.form).ListView;
        program.focusRow(QStringLiteral("a"));
        const QPoint onA =
            list.visualRect(program.form->listModel().index(program.row(QStringLiteral("a")), 0)).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, onA);
        bool editingDuring = true;
        program.dialogs.duringQuestion = [&] {
            waitPastEditDelay();
            editingDuring = list.isEditingName();
        };
        QTest::keyClick(&list, Qt::Key_F5); // its name box cancelled
        QVERIFY(!editingDuring);
        waitPastEditDelay();
        QVERIFY(!list.isEditingName());
        // The same click without a command opens the editor.
        program.focusRow(QStringLiteral("a"));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, onA);
        QTRY_VERIFY(list.isEditingName());
    }

private:
    // Waits twice as long as the view before it opens a second click's
    // editor, on a timer started after the view's: the view's has fired by then.
    static void waitPastEditDelay()
    {
        QTimer delay;
        delay.setSingleShot(true);
        QSignalSpy fired(&delay, &QTimer::timeout);
        delay.start(2 * QApplication::doubleClickInterval());
        QVERIFY(fired.wait(60000));
    }
};

QTEST_MAIN(FileOperationHoldTest)
#include "FileOperationHoldTest.moc"
