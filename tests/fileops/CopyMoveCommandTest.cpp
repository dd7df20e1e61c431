#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "fileops/TForm4.h"
#include "platform/ScriptedDialogs.h"
#include "support/MainWindowFixture.h"
#include "support/PrivateMounts.h"
#include "support/TempTree.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

using Kind = quil::ScriptedDialogs::Kind;

// Copy and move on the real main window and second panel over real folders.
class CopyMoveCommandTest : public QObject
{
    Q_OBJECT

    struct Program : MainWindowFixture
    {
        TempTree tree;
        TForm1 *form = nullptr;
        TForm4 *panel = nullptr;

        explicit Program(const QStringList &names, bool showPanel = true)
        {
            tree.folder("src");
            tree.folder("dst");
            for (const QString &name : names)
                tree.file("src/" + name.toUtf8(), name.toUtf8());
            form = &start();
            panel = windows->Form4.get();
            form->navigateByPath(quil::FolderPath(src()));
            if (showPanel)
                panel->showPanel();
            panel->SecondPanelPath = quil::FolderPath(dst());
            panel->ListSecondPanel(quil::FolderPath(dst()));
        }
        QString src() const { return tree.path("src") + QLatin1Char('/'); }
        QString dst() const { return tree.path("dst") + QLatin1Char('/'); }
        void mark(const QStringList &names)
        {
            for (const QString &name : names)
                form->listing().entry(form->listing().findEntry(name)).marked = true;
        }
        QString content(const QString &path) const
        {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        }
        QString asked() const
        {
            const auto shown = dialogs.shown(Kind::YesNo);
            return shown.isEmpty() ? QString() : shown.first().text;
        }
    };

    static QStringList numbered(int count)
    {
        QStringList names;
        for (int i = 1; i <= count; ++i)
            names.append(QStringLiteral("f%1").arg(i));
        return names;
    }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void copyOfSeveralListsSixNames_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("seven") << 7;
        QTest::newRow("exactly six") << 6;
    }
    void copyOfSeveralListsSixNames()
    {
        QFETCH(int, count);
        const QStringList names = numbered(count);
        Program program(names);
        program.mark(names);
        program.focusRow(names.first());
        program.dialogs.answerYesNo(true);
        program.form->SpeedButton6Click();
        QString expected = QStringLiteral("Корировать : %1 объект(ов)\r\n").arg(count);
        for (int i = 0; i < 6; ++i)
            expected += names.at(i) + QLatin1String("\r\n");
        expected +=
            QStringLiteral("...\r\n\r\nВ папку : ") + program.dst() + QStringLiteral("\r\n\r\n В Ы П О Л Н И Т Ь ?");
        QCOMPARE(program.asked(), expected);
        QCOMPARE(program.dialogs.shown(Kind::YesNo).first().title, QStringLiteral("КОПИРОВАНИЕ / COPY !!!"));
        for (const QString &name : names) {
            QCOMPARE(program.content(program.dst() + name), name);
            QVERIFY(QFile::exists(program.src() + name));
        }
        QVERIFY(program.marked().isEmpty());
        QCOMPARE(program.panel->rowNames().size(), count);
    }

    void copyOfOneAsksItsName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("unchanged") << "a.txt";
        QTest::newRow("new name") << "b.txt";
    }
    void copyOfOneAsksItsName()
    {
        QFETCH(QString, typed);
        Program program({QStringLiteral("a.txt")}, false);
        program.focusRow(QStringLiteral("a.txt"));
        program.dialogs.answerInput(typed);
        program.form->SpeedButton6Click();
        // A hidden panel is shown first; its folder is the target.
        QVERIFY(program.panel->isShown());
        const auto input = program.dialogs.shown(Kind::Input);
        QCOMPARE(input.size(), 1);
        QCOMPARE(input.first().title, QStringLiteral("Копировать с именем"));
        QCOMPARE(input.first().extra, QStringLiteral("a.txt"));
        QCOMPARE(program.content(program.dst() + typed), QStringLiteral("a.txt"));
        QVERIFY(program.dialogs.messages().isEmpty());
    }

    void moveOfMarkedEntries()
    {
        Program program({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        program.mark({QStringLiteral("a"), QStringLiteral("b")});
        program.focusRow(QStringLiteral("a"));
        program.dialogs.answerYesNo(true);
        program.form->SpeedButton7Click();
        QCOMPARE(program.asked(), QStringLiteral("Переместить : 2\r\n\r\nВ папку : ") + program.dst() +
                                      QStringLiteral("\r\n\r\n В Ы П О Л Н И Т Ь ?"));
        QCOMPARE(program.dialogs.shown(Kind::YesNo).first().title, QStringLiteral("ПЕРЕМЕЩЕНИЕ / MOVE !!!"));
        QVERIFY(!QFile::exists(program.src() + "a") && !QFile::exists(program.src() + "b"));
        QCOMPARE(program.content(program.dst() + "b"), QStringLiteral("b"));
        QCOMPARE(program.form->listing().count(), 1);
        QVERIFY(program.marked().isEmpty());
    }

    void moveOfTheLastRowSelectsTheFirst()
    {
        Program program({QStringLiteral("a"), QStringLiteral("b")});
        program.focusRow(QStringLiteral("b"));
        program.dialogs.answerInput(QStringLiteral("b"));
        program.form->SpeedButton7Click();
        QCOMPARE(program.content(program.dst() + "b"), QStringLiteral("b"));
        QCOMPARE(program.form->listing().entry(program.form->currentRow()).name, QStringLiteral("a"));
    }

    void cancelledOrFailedKeepsTheMarks()
    {
        Program program({QStringLiteral("a"), QStringLiteral("b")});
        program.mark({QStringLiteral("a"), QStringLiteral("b")});
        program.focusRow(QStringLiteral("a"));
        program.dialogs.answerYesNo(false);
        program.form->SpeedButton7Click();
        QCOMPARE(program.marked(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
        QVERIFY(QFile::exists(program.src() + "a") && QFile::exists(program.src() + "b"));
        QVERIFY(program.dialogs.messages().isEmpty());

        // A source removed behind the list's back: the copy fails, the rest is copied.
        QVERIFY(QFile::remove(program.src() + "a"));
        program.dialogs.setDefaultItemError(quil::Dialogs::ErrorAnswer::Skip);
        program.dialogs.answerYesNo(true);
        program.form->SpeedButton6Click();
        QCOMPARE(program.dialogs.messages(), QStringList{QStringLiteral("Ошибка при выполнении копирования ")});
        QCOMPARE(program.marked(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
        QCOMPARE(program.content(program.dst() + "b"), QStringLiteral("b"));
    }

    // Guards against a skip chosen at "target exists" counting as a failure:
    // error box and marks kept although the user decided it.
    void skipAtTheReplaceQuestionIsNoFailure_data()
    {
        QTest::addColumn<bool>("move");
        QTest::newRow("copy") << false;
        QTest::newRow("move") << true;
    }
    void skipAtTheReplaceQuestionIsNoFailure()
    {
        QFETCH(bool, move);
        Program program({QStringLiteral("a"), QStringLiteral("b")});
        program.tree.file("dst/a", "older a");
        program.mark({QStringLiteral("a"), QStringLiteral("b")});
        program.focusRow(QStringLiteral("a"));
        program.dialogs.answerYesNo(true);
        program.dialogs.answerTargetExists(quil::Dialogs::TargetExistsAnswer::Skip);
        if (move)
            program.form->SpeedButton7Click();
        else
            program.form->SpeedButton6Click();
        QCOMPARE(program.dialogs.shown(Kind::TargetExists).size(), 1);
        QVERIFY(program.dialogs.messages().isEmpty());
        QVERIFY(program.marked().isEmpty());
        QCOMPARE(program.content(program.dst() + "a"), QStringLiteral("older a"));
        QCOMPARE(program.content(program.dst() + "b"), QStringLiteral("b"));
        // The skipped file stays where it was; the panel shows what arrived.
        QCOMPARE(program.content(program.src() + "a"), QStringLiteral("a"));
        QCOMPARE(program.panel->rowNames(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    }

    // A real error after a skip still fails the copy.
    void skipThenRealErrorIsAFailure()
    {
        Program program({QStringLiteral("a"), QStringLiteral("b")});
        program.tree.file("dst/a", "older a");
        program.mark({QStringLiteral("a"), QStringLiteral("b")});
        program.focusRow(QStringLiteral("a"));
        QVERIFY(QFile::remove(program.src() + "b"));
        program.dialogs.answerYesNo(true);
        program.dialogs.answerTargetExists(quil::Dialogs::TargetExistsAnswer::Skip);
        program.dialogs.setDefaultItemError(quil::Dialogs::ErrorAnswer::Skip);
        program.form->SpeedButton6Click();
        QCOMPARE(program.dialogs.messages(), QStringList{QStringLiteral("Ошибка при выполнении копирования ")});
        QCOMPARE(program.marked(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    }

    void singleNameWithSlashMovesNothing()
    {
        Program program({QStringLiteral("a")});
        program.focusRow(QStringLiteral("a"));
        program.dialogs.answerInput(QStringLiteral("../a"));
        program.form->SpeedButton7Click();
        QCOMPARE(program.dialogs.shown(Kind::ItemError).size(), 1);
        QCOMPARE(program.content(program.src() + "a"), QStringLiteral("a"));
        QVERIFY(QDir(program.dst()).isEmpty());
    }
};

int main(int argc, char **argv)
{
    usePrivateMounts();
    QApplication application(argc, argv);
    CopyMoveCommandTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "CopyMoveCommandTest.moc"
