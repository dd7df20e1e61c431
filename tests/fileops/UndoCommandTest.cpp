#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "listing/FolderListModel.h"
#include "listing/FolderListView.h"
#include "platform/ScriptedDialogs.h"
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
        form.NavigateByPath(folder);
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
};

int main(int argc, char **argv)
{
    usePrivateMounts();
    QApplication application(argc, argv);
    UndoCommandTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "UndoCommandTest.moc"
