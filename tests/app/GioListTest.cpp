#include "app/TForm1.h"
#include "listing/FolderListing.h"
#include "platform/ScriptedDialogs.h"
#include "platform/gio/GioLocation.h"
#include "support/Form1Controls.h"
#include "support/MainWindowFixture.h"
#include "support/TempTree.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

// GIO locations in the main list, under a private gvfs session
// (gvfs_session.sh): archives entered with Enter and left with Backspace and
// Up, locations typed into the path box, failures told with GIO's text.
class GioListTest : public QObject
{
    Q_OBJECT

    static QStringList names(TForm1 &form)
    {
        QStringList listed;
        for (int i = 0; i < form.listing().count(); ++i)
            listed << form.listing().entry(i).name;
        return listed;
    }
    static QString currentName(TForm1 &form) { return form.listing().entry(form.currentRow()).name; }
    static bool run(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.start(program, arguments);
        return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }
    static void typePath(TForm1 &form, const QString &text)
    {
        ui(form).cbPath->setEditText(text);
        QTest::keyClick(ui(form).cbPath->lineEdit(), Qt::Key_Return);
    }

private Q_SLOTS:
    void init()
    {
        if (!quil::isGioLocation(QStringLiteral("archive:///")))
            QSKIP("no gvfs session here (run through gvfs_session.sh)");
    }

    void anArchiveIsEnteredAndLeft_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<QString>("maker");
        QTest::addColumn<QStringList>("arguments");
        const QString zipper = QStringLiteral("import sys, zipfile\n"
                                              "with zipfile.ZipFile(sys.argv[1], 'w') as z:\n"
                                              "    z.writestr('top.txt', 't')\n"
                                              "    z.writestr('inner/deep.txt', 'd')\n");
        QTest::newRow("zip") << "a b.zip"
                             << "python3" << QStringList{"-c", zipper, "a b.zip"};
        QTest::newRow("tar.gz") << "p.tar.gz"
                                << "tar" << QStringList{"-czf", "p.tar.gz", "-C", "pack", "."};
    }
    void anArchiveIsEnteredAndLeft()
    {
        QFETCH(QString, archive);
        QFETCH(QString, maker);
        QFETCH(QStringList, arguments);
        TempTree tree;
        tree.folder("pack");
        tree.folder("pack/inner");
        tree.file("pack/top.txt", "t");
        tree.file("pack/inner/deep.txt", "d");
        QProcess making;
        making.setWorkingDirectory(tree.root());
        making.start(maker, arguments);
        QVERIFY(making.waitForFinished() && making.exitCode() == 0);
        MainWindowFixture fixture;
        TForm1 &form = fixture.start();
        form.navigateByPath(quil::FolderPath(tree.root()));

        fixture.focusRow(archive);
        QTest::keyClick(ui(form).ListView, Qt::Key_Return);
        const QString top = quil::archiveLocation(tree.path(archive.toUtf8()).toUtf8());
        QCOMPARE(form.listing().currentPath(), top);
        QCOMPARE(ui(form).cbPath->currentText(), top);
        QCOMPARE(names(form), QStringList({"inner", "top.txt"}));
        const int topFile = form.listing().findEntry("top.txt");
        form.listing().fillDetails(topFile, topFile);
        QCOMPARE(form.listing().entry(topFile).size, 1);
        QVERIFY(!form.listing().entry(topFile).dateText.isEmpty());

        fixture.focusRow(QStringLiteral("inner"));
        QTest::keyClick(ui(form).ListView, Qt::Key_Return);
        QCOMPARE(names(form), QStringList({"deep.txt"}));
        QCOMPARE(ui(form).cbPath->currentText(), top + QStringLiteral("inner/"));

        QTest::keyClick(ui(form).ListView, Qt::Key_Backspace);
        QCOMPARE(form.listing().currentPath(), top);
        QCOMPARE(currentName(form), QStringLiteral("inner"));
        form.SpeedButton2Click();
        QCOMPARE(form.listing().currentPath(), tree.root());
        QCOMPARE(currentName(form), archive);
        QVERIFY(form.history().find(top) >= 0);
        QCOMPARE(fixture.dialogs.messages(), QStringList());
    }

    // A URI typed into the path box is listed and kept in the history; one
    // that GIO cannot read is told with GIO's text and the list stays;
    // "user@host:/path" is no URI and is not guessed as one.
    void locationsTypedIntoThePathBox()
    {
        TempTree tree;
        tree.file("kept.txt");
        tree.file("thrown.txt", "x");
        QVERIFY(run(QStringLiteral("gio"), {QStringLiteral("trash"), tree.path("thrown.txt")}));
        MainWindowFixture program;
        TForm1 &form = program.start();
        form.navigateByPath(quil::FolderPath(tree.root()));

        typePath(form, QStringLiteral("trash:///"));
        QCOMPARE(form.listing().currentPath(), QStringLiteral("trash:///"));
        QVERIFY(names(form).contains(QStringLiteral("thrown.txt")));
        QVERIFY(form.history().find(QStringLiteral("trash:///")) >= 0);

        const QString missing = quil::archiveLocation(tree.path("none.zip").toUtf8());
        typePath(form, missing);
        QCOMPARE(form.listing().currentPath(), QStringLiteral("trash:///"));
        QCOMPARE(program.dialogs.messages().size(), 1);
        QVERIFY(!program.dialogs.messages().constFirst().contains(QStringLiteral("Code")));

        typePath(form, QStringLiteral("nobody@localhost:") + tree.root());
        QCOMPARE(form.listing().currentPath(), QStringLiteral("trash:///"));
        QCOMPARE(program.dialogs.messages().size(), 2);
    }
};

QTEST_MAIN(GioListTest)
#include "GioListTest.moc"
