#include "fileops/TSelekt.h"
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "fileops/TForm4.h"
#include "listing/FolderListModel.h"
#include "platform/ScriptedDialogs.h"
#include "support/Form1Controls.h"
#include "support/MainWindowFixture.h"
#include "support/PrivateMounts.h"
#include "support/SelektControls.h"
#include "support/TempTree.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

using Kind = quil::ScriptedDialogs::Kind;

// The selection-modes window, opened by the main window's button over a
// real folder, with the real second panel.
class TSelektTest : public QObject
{
    Q_OBJECT

    struct Program : MainWindowFixture
    {
        TempTree tree;
        TForm1 *form = nullptr;
        TSelekt *selekt = nullptr;
        TForm4 *panel = nullptr;

        Program()
        {
            tree.folder("main");
            tree.folder("panel");
            for (const char *name : {"main/README", "main/a.txt", "main/b.doc", "panel/a.txt"})
                tree.file(name);
            tree.folder("main/dir.d");
            form = &start();
            selekt = windows->Selekt.get();
            panel = windows->Form4.get();
            QVERIFY(QTest::qWaitForWindowExposed(form));
            form->navigateByPath(quil::FolderPath(tree.path("main") + '/'));
        }
        // Opens the window with the button, lets act work in it while it is
        // shown modally, and closes it by its close box when still open.
        // Answers whether the window was still open after act.
        bool inWindow(const std::function<void()> &act)
        {
            bool open = false;
            QTimer::singleShot(0, selekt, [&] {
                QVERIFY(selekt->isVisible() && selekt->isModal());
                act();
                open = selekt->isVisible();
                if (open)
                    selekt->reject();
            });
            ui(*form).SpeedButton20->click();
            return open;
        }
        bool run(int mode, const QString &mask)
        {
            return inWindow([&] {
                selekt->setItemIndex(mode);
                ui(*selekt).Edit1->setText(mask);
                QTest::mouseClick(ui(*selekt).Button1, Qt::LeftButton);
            });
        }
        void showPanelFolder()
        {
            panel->SecondPanelPath = quil::FolderPath(tree.path("panel") + '/');
            panel->ListSecondPanel(panel->SecondPanelPath);
            panel->showPanel();
        }
    };

private Q_SLOTS:
    void layout()
    {
        Program program;
        TSelekt &w = *program.selekt;
        QCOMPARE(w.windowTitle(), QStringLiteral("Режимы выделения"));
        QCOMPARE(w.geometry().size(), QSize(248, 167));
        QCOMPARE(ui(w).Label2->text(), QStringLiteral("По"));
        QCOMPARE(ui(w).Label1->text(), QStringLiteral("маске:"));
        QCOMPARE(ui(w).Edit1->text(), QStringLiteral("*.*"));
        QCOMPARE(ui(w).Edit1->geometry(), QRect(64, 12, 81, 27));
        QCOMPARE(ui(w).Button1->text(), QStringLiteral("Выполнить"));
        QCOMPARE(ui(w).Button1->geometry(), QRect(152, 13, 81, 25));
        QCOMPARE(ui(w).RadioGroup1->geometry(), QRect(8, 42, 225, 89));
        QStringList captions;
        for (const QRadioButton *item : ui(w).RadioGroup1->findChildren<QRadioButton *>())
            captions.append(item->text());
        QCOMPARE(captions, (QStringList{"Выделение", "Выделение недостающих", "Исключение", "Реверсирование"}));
        QCOMPARE(w.ItemIndex(), int(TSelekt::Selection));
        // What a screen reader hears: a fixed name, or else the control's text.
        for (QWidget *control : w.findChildren<QWidget *>()) {
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(control);
            QVERIFY2(face != nullptr && !face->text(QAccessible::Name).isEmpty(), qPrintable(control->objectName()));
        }
        QCOMPARE(ui(*program.form).SpeedButton20->toolTip(), QStringLiteral("Выбрать файлы / Select files"));
    }

    void theFourModes()
    {
        Program program;
        QVERIFY(!program.run(TSelekt::Selection, QStringLiteral("*.*")));
        QCOMPARE(program.marked(), (QStringList{"a.txt", "b.doc"}));
        QCOMPARE(ui(*program.form).Label1->text(), QStringLiteral("Выделено в 0 папках и в 2 файлах: 2 KB"));
        QVERIFY(!program.run(TSelekt::Reversal, QStringLiteral("*.*")));
        QCOMPARE(program.marked(), QStringList{"README"});
        QVERIFY(!program.run(TSelekt::Exclusion, QStringLiteral("READ*")));
        QCOMPARE(program.marked(), QStringList{});
        program.showPanelFolder();
        QVERIFY(!program.run(TSelekt::SelectionOfMissing, QStringLiteral("*")));
        QCOMPARE(program.marked(), (QStringList{"README", "b.doc"}));
        QVERIFY(program.dialogs.messages().isEmpty());
    }

    void missingWithTheSecondPanelHidden()
    {
        Program program;
        QVERIFY(!program.panel->isVisible());
        QVERIFY(!program.run(TSelekt::SelectionOfMissing, QStringLiteral("*")));
        QVERIFY(program.panel->isVisible());
        QCOMPARE(ui(*program.form).SpeedButton17->property("glyph").toString(), QStringLiteral("TOONE"));
        QCOMPARE(program.dialogs.messages(), QStringList{"Выберите папку для выполнения сравнения файлов"});
        QCOMPARE(program.marked(), QStringList{});
        // Opened again with the panel shown, it compares.
        program.showPanelFolder();
        QVERIFY(!program.run(TSelekt::SelectionOfMissing, QStringLiteral("*")));
        QCOMPARE(program.marked(), (QStringList{"README", "b.doc"}));
    }

    void invalidMaskKeepsTheWindowOpen()
    {
        Program program;
        program.run(TSelekt::Selection, QStringLiteral("*.txt"));
        const QString summary = ui(*program.form).Label1->text();
        QVERIFY(program.run(TSelekt::Exclusion, QStringLiteral("*[")));
        QCOMPARE(program.dialogs.shown(Kind::ErrorBox).size(), 1);
        QCOMPARE(program.dialogs.messages(), QStringList{"'*[' is an invalid mask at (3)"});
        QCOMPARE(program.marked(), QStringList{"a.txt"});
        QCOMPARE(ui(*program.form).Label1->text(), summary);
        // Reversal never reads the mask.
        QVERIFY(!program.run(TSelekt::Reversal, QStringLiteral("*[")));
        QCOMPARE(program.marked(), (QStringList{"README", "b.doc"}));
    }

    void maskAndModeStayBetweenShowings()
    {
        Program program;
        program.run(TSelekt::Exclusion, QStringLiteral("b.*"));
        bool seen = false;
        program.inWindow([&] {
            seen = program.selekt->ItemIndex() == TSelekt::Exclusion &&
                   ui(*program.selekt).Edit1->text() == QStringLiteral("b.*");
        });
        QVERIFY(seen);
        // The close box runs nothing.
        QCOMPARE(program.marked(), QStringList{});
    }
};

int main(int argc, char **argv)
{
    usePrivateMounts();
    QApplication application(argc, argv);
    TSelektTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TSelektTest.moc"
