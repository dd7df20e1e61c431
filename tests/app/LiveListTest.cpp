// The main list and the second panel follow what another process changes in
// their folders: real shell commands on real folders, on the build's own
// temporary file system and on a tmpfs, with the real windows.
#include "app/TForm1.h"
#include "fileops/MarksController.h"
#include "fileops/TForm4.h"
#include "listing/FolderListFollower.h"
#include "platform/ChangeHold.h"
#include "support/Form4Controls.h"
#include "support/MainWindowFixture.h"
#include "support/PrivateMounts.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <memory>

namespace {

// The folder the tests list: on the temporary folder's own file system, or
// on a tmpfs mounted on it (which needs a mount namespace of our own).
struct Scratch
{
    TempTree tree;
    std::unique_ptr<TmpfsMount> tmpfs;

    explicit Scratch(bool onTmpfs)
    {
        if (onTmpfs)
            tmpfs = std::make_unique<TmpfsMount>(tree.path("disk"), 64 * 1024 * 1024);
    }
    bool ready() const { return !tmpfs || tmpfs->mounted(); }
    QString root() const { return tmpfs ? tmpfs->path() : tree.root(); }
    QString path(const QString &relative) const { return root() + QLatin1Char('/') + relative; }
};

// Another program changes the folder: sh -c command, run in folder.
void runShell(const QString &folder, const QString &command)
{
    QProcess shell;
    shell.setWorkingDirectory(folder);
    shell.start(QStringLiteral("sh"), {QStringLiteral("-c"), command});
    QVERIFY(shell.waitForFinished());
    QCOMPARE(shell.exitCode(), 0);
}

QStringList rowNames(const quil::FolderListing &listing)
{
    QStringList names;
    for (int row = 0; row < listing.count(); ++row)
        names.append(listing.entry(row).name);
    return names;
}

QStringList panelNames(const TForm4 &panel)
{
    return panel.rowNames();
}

} // namespace

class LiveListTest : public QObject
{
    Q_OBJECT

    // The windows over a folder of a few entries: the main list on it, with
    // b.txt current and m.txt marked, and the second panel on it too.
    struct Program
    {
        Scratch scratch;
        MainWindowFixture fixture;
        TForm1 *form = nullptr;
        std::unique_ptr<QAbstractItemModelTester> tester;

        explicit Program(bool onTmpfs) : scratch(onTmpfs)
        {
            if (!scratch.ready())
                return;
            QDir().mkpath(folder());
            runShell(folder(), QStringLiteral("mkdir d && : > a.txt && : > b.txt && : > c.txt && head -c 3000 "
                                              "/dev/zero > m.txt && : > d/inside"));
            form = &fixture.start();
            tester = std::make_unique<QAbstractItemModelTester>(&form->listModel());
            form->navigateByPath(quil::FolderPath(folder()));
            TForm4 &second = panel();
            second.showPanel();
            second.SecondPanelPath = quil::FolderPath(folder());
            second.ListSecondPanel(second.SecondPanelPath);
            form->listing().entry(row(QStringLiteral("m.txt"))).marked = true;
            form->ShowSelectionSummary();
            ui(*form).ListView->setCurrentIndex(form->listModel().index(row(QStringLiteral("b.txt")), 0));
            // The list watches its folder once the listing is done.
            QTRY_COMPARE(follower().watch().folder(), folder());
        }
        QString folder() const { return scratch.path(QStringLiteral("shown")); }
        TForm4 &panel() const { return *fixture.windows->Form4; }
        int row(const QString &name) const { return form->listing().findEntry(name); }
        QString currentName() const
        {
            const int current = form->currentRow();
            return current >= 0 ? form->listing().entry(current).name : QString();
        }
        QString summary() const { return ui(*form).Label1->text(); }
        quil::FolderListFollower &follower() const { return *form->findChild<quil::FolderListFollower *>(); }
    };

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void followsAnotherProgram_data()
    {
        QTest::addColumn<bool>("onTmpfs");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("summary");
        const QString untouched = QStringLiteral("Выделено в 0 папках и в 1 файлах: 2 KB");
        struct Case
        {
            const char *name;
            const char *command;
            QStringList rows;
            const char *current;
            QString summary;
        };
        const QList<Case> cases{
            {"create", ": > bb.txt", {"d", "a.txt", "b.txt", "bb.txt", "c.txt", "m.txt"}, "b.txt", untouched},
            {"delete the current row", "rm b.txt", {"d", "a.txt", "c.txt", "m.txt"}, "c.txt", untouched},
            {"rename within", "mv a.txt z.txt", {"d", "b.txt", "c.txt", "m.txt", "z.txt"}, "b.txt", untouched},
            {"rename out", "mv a.txt ../out.txt", {"d", "b.txt", "c.txt", "m.txt"}, "b.txt", untouched},
            {"mkdir", "mkdir e", {"d", "e", "a.txt", "b.txt", "c.txt", "m.txt"}, "b.txt", untouched},
            {"a marked entry deleted",
             "rm m.txt",
             {"d", "a.txt", "b.txt", "c.txt"},
             "b.txt",
             QStringLiteral("Выделено в 0 папках и в 0 файлах: 0 KB")},
            {"a marked entry written",
             "head -c 6000 /dev/zero >> m.txt",
             {"d", "a.txt", "b.txt", "c.txt", "m.txt"},
             "b.txt",
             QStringLiteral("Выделено в 0 папках и в 1 файлах: 8 KB")},
            {"a marked entry's mode changed",
             "chmod 600 m.txt && rm c.txt",
             {"d", "a.txt", "b.txt", "m.txt"},
             "b.txt",
             untouched},
        };
        for (const bool onTmpfs : {false, true})
            for (const Case &c : cases)
                QTest::addRow("%s%s", c.name, onTmpfs ? " on tmpfs" : "")
                    << onTmpfs << QString::fromUtf8(c.command) << c.rows << QString::fromUtf8(c.current) << c.summary;
    }

    // Rows come, go and change in their sorted places without a re-read;
    // the mark of an untouched row and the current row stay, and the
    // summary counts again when a marked entry changed or went.
    void followsAnotherProgram()
    {
        QFETCH(bool, onTmpfs);
        QFETCH(QString, command);
        QFETCH(QStringList, rows);
        QFETCH(QString, current);
        QFETCH(QString, summary);
        Program program(onTmpfs);
        if (!program.scratch.ready())
            QSKIP("tmpfs cannot be mounted here");
        QSignalSpy reset(&program.form->listModel(), &QAbstractItemModel::modelReset);
        runShell(program.folder(), command);
        QTRY_COMPARE(rowNames(program.form->listing()), rows);
        QCOMPARE(program.currentName(), current);
        QCOMPARE(reset.size(), 0);
        if (rows.contains(QStringLiteral("m.txt")))
            QVERIFY(program.form->listing().entry(program.row(QStringLiteral("m.txt"))).marked);
        QTRY_COMPARE(program.summary(), summary);
        // The second panel too: folders, then files.
        QStringList folders;
        QStringList files;
        for (const QString &name : rows)
            (QFileInfo(program.folder() + QLatin1Char('/') + name).isDir() ? folders : files).append(name);
        QTRY_COMPARE(panelNames(program.panel()), folders + files);
        QCOMPARE(ui(program.panel()).Label5->text(), QString::number(files.size()));
    }

    // An open name editor stays open on its entry while rows come and go
    // around it, keeps what was typed, and renames its own entry.
    void editorStays()
    {
        Program program(false);
        program.form->startNameEdit(program.row(QStringLiteral("b.txt")));
        QLineEdit *editor = nullptr;
        QTRY_VERIFY((editor = ui(*program.form).ListView->findChild<QLineEdit *>()) != nullptr);
        editor->setText(QStringLiteral("renamed.txt"));
        runShell(program.folder(), QStringLiteral(": > a0.txt && : > 0.txt && rm c.txt"));
        QTRY_COMPARE(rowNames(program.form->listing()),
                     (QStringList{"d", "0.txt", "a.txt", "a0.txt", "b.txt", "m.txt"}));
        QVERIFY(ui(*program.form).ListView->isEditingName());
        QCOMPARE(editor->text(), QStringLiteral("renamed.txt"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(QFileInfo::exists(program.folder() + QStringLiteral("/renamed.txt")));
        QVERIFY(!QFileInfo::exists(program.folder() + QStringLiteral("/b.txt")));
        QVERIFY(QFileInfo::exists(program.folder() + QStringLiteral("/a0.txt")));
    }

    // The second panel's editor stays too, and its current row moves on to
    // the next entry when its own goes.
    void panelEditorStays()
    {
        Program program(false);
        TForm4 &panel = program.panel();
        ui(panel).ListView1->setCurrentRow(int(panel.rowNames().indexOf("c.txt")));
        panel.focusList();
        QTest::keyClick(ui(panel).ListView1, Qt::Key_F2);
        QLineEdit *editor = nullptr;
        QTRY_VERIFY((editor = ui(panel).ListView1->findChild<QLineEdit *>()) != nullptr);
        editor->setText(QStringLiteral("typed"));
        runShell(program.folder(), QStringLiteral(": > 0.txt && mkdir 0 && rm a.txt"));
        QTRY_COMPARE(panelNames(panel), (QStringList{"0", "d", "0.txt", "b.txt", "c.txt", "m.txt"}));
        QVERIFY(ui(panel).ListView1->isEditingName());
        QCOMPARE(editor->text(), QStringLiteral("typed"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QTRY_VERIFY(!ui(panel).ListView1->isEditingName());
        runShell(program.folder(), QStringLiteral("rm c.txt"));
        QTRY_COMPARE(ui(panel).ListView1->currentCaption(), QStringLiteral("m.txt"));
        QCOMPARE(ui(panel).Label4->text(), QStringLiteral("2"));
    }

    // A burst too large for row-by-row changes is applied at once, without a
    // re-read: a changed marked entry stays marked, and the current row moves
    // on when its entry went.
    void burstKeepsMarksAndCurrentRow()
    {
        Program program(true);
        if (!program.scratch.ready())
            QSKIP("tmpfs cannot be mounted here");
        QSignalSpy reset(&program.form->listModel(), &QAbstractItemModel::modelReset);
        const int files = quil::FolderChangeTriage::kRowChangesLimit + 500;
        runShell(program.folder(), QStringLiteral("i=0; while [ $i -lt %1 ]; do : > n$i; i=$((i+1)); done; "
                                                  "echo more >> m.txt; rm a.txt b.txt")
                                       .arg(files));
        QTRY_COMPARE_WITH_TIMEOUT(program.form->listing().count(), 3 + files, 20000);
        QCOMPARE(program.row(QStringLiteral("a.txt")), -1);
        QCOMPARE(program.currentName(), QStringLiteral("c.txt"));
        QCOMPARE(program.fixture.marked(), QStringList{QStringLiteral("m.txt")});
        QCOMPARE(reset.size(), 0);
    }

    // Entries hidden by Ctrl+H stay hidden when another program makes one.
    void hiddenEntriesStayHidden()
    {
        Program program(false);
        QTest::keyClick(ui(*program.form).ListView, Qt::Key_H, Qt::ControlModifier);
        QTRY_VERIFY(!program.form->listing().hiddenShown());
        QTRY_COMPARE(program.follower().watch().folder(), program.folder());
        runShell(program.folder(), QStringLiteral(": > .made && : > seen"));
        QTRY_VERIFY(program.row(QStringLiteral("seen")) >= 0);
        QCOMPARE(program.row(QStringLiteral(".made")), -1);
    }

    // Changes seen while a command runs are applied once it has ended.
    void heldWhileACommandRuns()
    {
        Program program(false);
        QSignalSpy applied(&program.follower(), &quil::FolderListFollower::applied);
        {
            const quil::ChangeHold::Scope command(program.form->changeHold());
            runShell(program.folder(), QStringLiteral(": > held.txt"));
            // The notice was gathered and is waiting.
            QSignalSpy gathered(&program.follower().watch(), &quil::FolderWatch::changed);
            QVERIFY(gathered.wait());
            QCoreApplication::processEvents();
            QCOMPARE(program.row(QStringLiteral("held.txt")), -1);
            QCOMPARE(applied.size(), 0);
        }
        QTRY_VERIFY(program.row(QStringLiteral("held.txt")) >= 0);
        QCOMPARE(applied.size(), 1);
    }

    // Regression: a folder's size landed on the row its entry had when it
    // was marked, after a new entry had taken that row. The report waits
    // under an open name editor, while rows still come.
    void folderSizeLandsOnItsEntry()
    {
        Program program(false);
        TForm1 &form = *program.form;
        runShell(program.folder(), QStringLiteral("head -c 20480 /dev/zero > d/inside"));
        ui(form).ListView->setCurrentIndex(form.listModel().index(program.row(QStringLiteral("d")), 0));
        form.ToggleCurrentMark();
        form.startNameEdit(program.row(QStringLiteral("a.txt")));
        QLineEdit *editor = nullptr;
        QTRY_VERIFY((editor = ui(form).ListView->findChild<QLineEdit *>()) != nullptr);
        runShell(program.folder(), QStringLiteral("mkdir 0"));
        QTRY_COMPARE(program.row(QStringLiteral("0")), 0);
        QTest::keyClick(editor, Qt::Key_Escape);
        QTRY_COMPARE(form.listing().entry(program.row(QStringLiteral("d"))).size, qint64(20));
        QVERIFY(form.listing().entry(program.row(QStringLiteral("0"))).size != 20);
    }

    void folderGone_data()
    {
        QTest::addColumn<bool>("panel");
        QTest::addColumn<QString>("command");
        for (const bool panel : {false, true}) {
            const char *list = panel ? "second panel" : "main list";
            QTest::addRow("%s: removed", list) << panel << QStringLiteral("rm -r shown/deeper");
            QTest::addRow("%s: renamed", list) << panel << QStringLiteral("mv shown/deeper gone");
            QTest::addRow("%s: its parent removed", list) << panel << QStringLiteral("rm -r shown");
        }
    }

    // The listed folder removed or renamed: the nearest folder above that
    // exists is listed, with a line that says why, and no error box.
    void folderGone()
    {
        QFETCH(bool, panel);
        QFETCH(QString, command);
        Program program(false);
        const QString deeper = program.folder() + QStringLiteral("/deeper");
        QDir().mkpath(deeper);
        if (panel) {
            program.panel().SecondPanelPath = quil::FolderPath(deeper);
            program.panel().ListSecondPanel(program.panel().SecondPanelPath);
        } else {
            program.form->navigateByPath(quil::FolderPath(deeper));
            QTRY_COMPARE(program.follower().watch().folder(), deeper);
        }
        runShell(program.scratch.root(), command);
        const QString shown = QFileInfo::exists(program.folder()) ? program.folder() : program.scratch.root();
        const QString why = QStringLiteral("Папка %1/ удалена или переименована, показана %2/").arg(deeper, shown);
        if (panel) {
            QTRY_COMPARE(program.panel().SecondPanelPath.path(), shown);
            QCOMPARE(ui(program.panel()).Label6->text(), why);
        } else {
            QTRY_COMPARE(program.form->listing().currentPath(), shown);
            QCOMPARE(ui(*program.form).Label9->text(), why);
        }
        QVERIFY(program.fixture.dialogs.shown().isEmpty());
    }
};

int main(int argc, char *argv[])
{
    // Before any thread: the tmpfs mounts stay out of the other tests' sight.
    usePrivateMounts();
    QApplication application(argc, argv);
    LiveListTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "LiveListTest.moc"
