#include "app/TSet1.h"
#include "app/TForm1.h"
#include "listing/FolderListView.h"
#include "platform/ScriptedDialogs.h"
#include "search/TFILESCH.h"
#include "support/Form1Controls.h"
#include "support/MainWindowFixture.h"
#include "support/SearchWindowControls.h"
#include "support/Set1Controls.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

using Kind = quil::ScriptedDialogs::Kind;

// The settings window on the real windows: Return, the browse buttons and
// the search window's other-viewer mark.
class TSet1Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void returnAppliesAWholeFontHeight_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("applied"); // 0: refused
        QTest::newRow("16") << "16" << 16;
        QTest::newRow("not a number") << "abc" << 0;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("huge") << "100000" << 0;
    }
    void returnAppliesAWholeFontHeight()
    {
        QFETCH(QString, typed);
        QFETCH(int, applied);
        MainWindowFixture program;
        TForm1 &form = program.start();
        TSet1 &settings = *program.windows->Set1;
        const int before = ui(form).ListView->font().pixelSize();
        ui(form).SpeedButton10->click();
        QVERIFY(settings.isVisible());
        QCOMPARE(ui(settings).Edit3->text(), QStringLiteral("16"));
        ui(settings).Edit3->setText(typed);
        ui(settings).Button3->click();
        const int expected = applied != 0 ? applied : before;
        QCOMPARE(ui(form).ListView->font().pixelSize(), expected);
        QCOMPARE(ui(form).ShellTreeView1->font().pixelSize(), applied != 0 ? applied : 13);
        QVERIFY(ui(form).ListView->font().bold());
        QCOMPARE(settings.isVisible(), applied == 0);
        QCOMPARE(program.dialogs.shown(Kind::ErrorBox).size(), applied == 0 ? 1 : 0);
    }

    void browseFillsThePathOnly()
    {
        MainWindowFixture program;
        program.start();
        TSet1 &settings = *program.windows->Set1;
        program.dialogs.answerOpenFile(QStringLiteral("/usr/bin/true"));
        ui(settings).Button4->click();
        QCOMPARE(ui(settings).Edit4->text(), QStringLiteral("/usr/bin/true"));
        QVERIFY(!ui(settings).CheckBox3->isChecked());
        QCOMPARE(settings.settings().editor.path, QStringLiteral("/usr/bin/true"));
        QCOMPARE(program.dialogs.shown(Kind::OpenFile).first().title, QStringLiteral("Выберите программу"));
    }

    void otherViewerMarkFollowsTheViewerBoxes()
    {
        MainWindowFixture program;
        program.start();
        TSet1 &settings = *program.windows->Set1;
        QCheckBox *otherViewer = ui(*program.windows->FILESCH).CheckBox4;
        settings.show();
        ui(settings).CheckBox1->setChecked(true);
        ui(settings).Button3->click();
        QVERIFY(otherViewer->isChecked());
        settings.show();
        ui(settings).CheckBox1->setChecked(false);
        settings.close();
        QVERIFY(!otherViewer->isChecked());
    }
};

QTEST_MAIN(TSet1Test)
#include "TSet1Test.moc"
