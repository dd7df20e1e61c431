#include "fileops/UndoCommand.h"
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "fileops/TForm4.h"
#include "listing/FolderListModel.h"
#include "listing/FolderListView.h"
#include "platform/ScriptedDialogs.h"
#include "platform/fileop/ShellFileOperation.h"
#include "platform/fileop/UndoJournal.h"
#include "support/Form1Controls.h"
#include "support/MainWindowFixture.h"
#include "support/PrivateMounts.h"
#include "support/TempTree.h"

#include <QApplication>
#include <QFileInfo>
#include <QTest>
#include <QToolButton>

using Kind = quil::ScriptedDialogs::Kind;

// Ctrl+Z in the real main window over real folders.
class UndoCommandTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { quil::UndoJournal::session().clear(); }
    void cleanup() { quil::UndoJournal::session().clear(); }

    // A rename and a made folder are undone newest first, each after its
    // question, and the list is read again; No undoes nothing.
    void ctrlZUndoesNewestAfterQuestion()
    {
        TempTree tree;
        tree.file("a.txt", "alpha");
        MainWindowFixture program;
        TForm1 &form = program.start();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const QString folder = tree.root() + QLatin1Char('/');
        form.navigateByPath(quil::FolderPath(folder));
        const auto pick = [&](const QString &name) {
            const int row = form.listing().findEntry(name);
            QVERIFY2(row >= 0, qPrintable(name));
            ui(form).ListView->setFocus();
            ui(form).ListView->setCurrentIndex(form.listModel().index(row, 0));
            form.ListViewClick();
        };
        pick(QStringLiteral("a.txt"));
        program.dialogs.answerInput(QStringLiteral("b.txt"));
        ui(form).SpeedButton3->click();
        QVERIFY(QFileInfo::exists(folder + QStringLiteral("b.txt")));
        pick(QStringLiteral("b.txt"));
        program.dialogs.answerInput(QStringLiteral("made"));
        ui(form).SpeedButton8->click();
        QVERIFY(QFileInfo(folder + QStringLiteral("made")).isDir());

        program.dialogs.answerYesNo(false);
        QTest::keyClick(ui(form).ListView, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(QFileInfo(folder + QStringLiteral("made")).isDir());

        program.dialogs.answerYesNo(true);
        QTest::keyClick(ui(form).ListView, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("made")));
        QVERIFY(form.listing().findEntry(QStringLiteral("made")) < 0);

        program.dialogs.answerYesNo(true);
        QTest::keyClick(ui(form).ListView, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(QFileInfo::exists(folder + QStringLiteral("a.txt")));
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("b.txt")));
        QVERIFY(form.listing().findEntry(QStringLiteral("a.txt")) >= 0);

        QStringList questions;
        for (const auto &shown : program.dialogs.shown(Kind::YesNo))
            questions.append(shown.text);
        QCOMPARE(questions, (QStringList{QStringLiteral("Отменить: создание папки 1 объект(ов)?"),
                                         QStringLiteral("Отменить: создание папки 1 объект(ов)?"),
                                         QStringLiteral("Отменить: переименование 1 объект(ов)?")}));
        // Nothing left: a beep, no question.
        QTest::keyClick(ui(form).ListView, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(program.dialogs.shown(Kind::YesNo).size(), 3);
    }

    // Copy (F5) and move (F6) to the second panel's folder are journalled
    // like every other file operation: Ctrl+Z names them and moves back.
    void copyAndMoveOfTheListAreUndone()
    {
        TempTree tree;
        tree.folder("src");
        tree.folder("dst");
        for (const char *name : {"a", "b", "c", "d"})
            tree.file(QByteArray("src/") + name, name);
        MainWindowFixture program;
        TForm1 &form = program.start();
        const QString src = tree.path("src") + QLatin1Char('/');
        const QString dst = tree.path("dst") + QLatin1Char('/');
        form.navigateByPath(quil::FolderPath(src));
        TForm4 &panel = *program.windows->Form4;
        panel.showPanel();
        panel.SecondPanelPath = quil::FolderPath(dst);
        panel.ListSecondPanel(quil::FolderPath(dst));
        const auto markAndRun = [&](const QStringList &names, void (TForm1::*command)()) {
            for (const QString &name : names)
                form.listing().entry(form.listing().findEntry(name)).marked = true;
            program.focusRow(names.first());
            program.dialogs.answerYesNo(true);
            (form.*command)();
        };

        markAndRun({QStringLiteral("a"), QStringLiteral("b")}, &TForm1::SpeedButton6Click);
        QVERIFY(QFileInfo::exists(dst + QStringLiteral("a")) && QFileInfo::exists(dst + QStringLiteral("b")));
        markAndRun({QStringLiteral("c"), QStringLiteral("d")}, &TForm1::SpeedButton7Click);
        QVERIFY(QFileInfo::exists(dst + QStringLiteral("c")) && !QFileInfo::exists(src + QStringLiteral("c")));

        program.dialogs.answerYesNo(true);
        QTest::keyClick(ui(form).ListView, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(QFileInfo::exists(src + QStringLiteral("c")) && !QFileInfo::exists(dst + QStringLiteral("c")));
        QVERIFY(form.listing().findEntry(QStringLiteral("c")) >= 0);

        // The copy is next; No keeps the copies (undoing would trash them).
        program.dialogs.answerYesNo(false);
        QTest::keyClick(ui(form).ListView, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(QFileInfo::exists(dst + QStringLiteral("a")));
        const auto asked = program.dialogs.shown(Kind::YesNo);
        QCOMPARE(asked.size(), 4);
        QCOMPARE(asked.at(2).text, QStringLiteral("Отменить: перемещение 2 объект(ов)?"));
        QCOMPARE(asked.at(3).text, QStringLiteral("Отменить: копирование 2 объект(ов)?"));
    }

    // An undo that did nothing (the old place was taken) keeps its entry:
    // once the place is free, Ctrl+Z undoes it.
    void undoThatDidNothingIsOfferedAgain()
    {
        TempTree tree;
        tree.folder("src");
        tree.folder("dst");
        tree.file("src/c", "c");
        MainWindowFixture program;
        TForm1 &form = program.start();
        const QString src = tree.path("src") + QLatin1Char('/');
        form.navigateByPath(quil::FolderPath(src));
        QVERIFY(
            quil::ShellFileOperation(program.dialogs, {src + QStringLiteral("c")}, tree.path("dst"), quil::FO_MOVE, 0));
        tree.file("src/c", "in the way");

        program.dialogs.answerYesNo(true);
        QTest::keyClick(ui(form).ListView, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(program.dialogs.shown(Kind::Message).size(), 1);
        QCOMPARE(quil::UndoCommand::menuText(), QStringLiteral("Отменить перемещение 1 объект(ов)"));

        QVERIFY(QFile::remove(src + QStringLiteral("c")));
        program.dialogs.answerYesNo(true);
        QTest::keyClick(ui(form).ListView, Qt::Key_Z, Qt::ControlModifier);
        QFile moved(src + QStringLiteral("c"));
        QVERIFY(moved.open(QIODevice::ReadOnly));
        QCOMPARE(moved.readAll(), QByteArray("c"));
        QVERIFY(!QFileInfo::exists(tree.path("dst/c")));
        QVERIFY(!quil::UndoCommand::canUndo());
    }
};

int main(int argc, char **argv)
{
    usePrivateMounts();
    QApplication application(argc, argv);
    UndoCommandTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "UndoCommandTest.moc"
