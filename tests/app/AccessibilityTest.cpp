#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "app/TSet1.h"
#include "fileops/TForm4.h"
#include "fileops/TSelekt.h"
#include "listing/FolderListing.h"
#include "listing/SortOrder.h"
#include "search/TFB.h"
#include "search/TFILESCH.h"
#include "shell/ContextMenuController.h"
#include "shell/PropertiesWindow.h"
#include "shell/TAboutBox.h"
#include "support/Form1Controls.h"
#include "support/MainWindowFixture.h"
#include "support/TempTree.h"
#include "viewers/TExtent.h"
#include "viewers/TRF.h"
#include "viewers/TSHPIC.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

// A screen reader names a control by its accessible name: every control a
// user can reach (focusable or a button) must have one, an icon button its hint,
// and a control that shows a text is named by that text.
class AccessibilityTest : public QObject
{
    Q_OBJECT

    static QString accessibleName(QWidget *widget)
    {
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
        return face == nullptr ? QString() : face->text(QAccessible::Name);
    }

    // The text a control shows as a reader hears it: a rich label as plain
    // text, a caption without the "&" of its shortcut.
    static QString shownText(QWidget *widget)
    {
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            QString text = label->text();
            if (label->textFormat() == Qt::RichText ||
                (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
                QTextDocument document;
                document.setHtml(text);
                text = document.toPlainText();
            }
            return text;
        }
        if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            QString text = button->text();
            static const QRegularExpression shortcut(QStringLiteral("&(.)"));
            return text.replace(shortcut, QStringLiteral("\\1"));
        }
        return {};
    }

    static QStringList namesOtherThanTexts(QWidget &window)
    {
        QStringList faults;
        for (QWidget *widget : window.findChildren<QWidget *>()) {
            const QString text = shownText(widget);
            const QString name = accessibleName(widget);
            if (!text.trimmed().isEmpty() && name != text)
                faults.append(QLatin1String(window.metaObject()->className()) + QLatin1Char('/') +
                              widget->objectName() + QLatin1String(" \"") + text + QLatin1String("\" named \"") + name +
                              QLatin1Char('"'));
        }
        return faults;
    }

    static QStringList unnamedControls(QWidget &window)
    {
        QStringList unnamed;
        for (QWidget *widget : window.findChildren<QWidget *>()) {
            // A hidden control (the about window's site lines without a home
            // page) is not reachable.
            const bool reachable = (widget->focusPolicy() != Qt::NoFocus || qobject_cast<QAbstractButton *>(widget)) &&
                                   !widget->isHidden();
            // Pieces Qt makes inside a control (a viewport, a scroll bar, a
            // header) are named through the control itself.
            if (!reachable || widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_")))
                continue;
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
            if (face == nullptr || face->text(QAccessible::Name).trimmed().isEmpty())
                unnamed.append(window.objectName() + QLatin1Char('/') + widget->objectName());
        }
        return unnamed;
    }

    // The controls Tab reaches, in the order it reaches them.
    static QList<QWidget *> tabChain(QWidget &window)
    {
        QList<QWidget *> chain;
        for (QWidget *widget = window.nextInFocusChain(); widget != &window; widget = widget->nextInFocusChain())
            if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(&window) && widget->isEnabled() &&
                !widget->objectName().startsWith(QLatin1String("qt_")) && !chain.contains(widget))
                chain.append(widget);
        return chain;
    }

    // Where a control stands in the window's reading order: by rows, then left to right.
    static QPoint place(QWidget &window, QWidget *widget) { return widget->mapTo(&window, QPoint(0, 0)); }

    // Tab goes round in a circle from the control that has the focus first:
    // the circle must read as the layout does, stepping back only once, from
    // the last control of the layout to the first.
    static QString tabOrderFaults(QWidget &window)
    {
        const QList<QWidget *> chain = tabChain(window);
        QStringList backSteps;
        for (int i = 0; i < chain.size() && chain.size() > 1; ++i) {
            QWidget *from = chain.at(i);
            QWidget *to = chain.at((i + 1) % chain.size());
            const QPoint before = place(window, from);
            const QPoint after = place(window, to);
            const bool sameRow = qAbs(before.y() - after.y()) < 8;
            if (sameRow ? after.x() < before.x() : after.y() < before.y())
                backSteps.append(from->objectName() + QLatin1String(" -> ") + to->objectName());
        }
        if (backSteps.size() <= 1)
            return {};
        return QLatin1String(window.metaObject()->className()) + QLatin1String(": ") +
               backSteps.join(QLatin1String(", "));
    }

    static QList<QWidget *> everyWindow(quil::AppWindows &windows)
    {
        return {windows.Form1.get(),  windows.Form4.get(),   windows.AboutBox.get(), windows.RF.get(),
                windows.SHPIC.get(),  windows.FILESCH.get(), windows.FB.get(),       windows.Set1.get(),
                windows.Extent.get(), windows.Selekt.get()};
    }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void everyReachableControlHasAName()
    {
        MainWindowFixture program;
        program.start();
        const QList<QWidget *> all = everyWindow(*program.windows);
        QStringList unnamed;
        for (QWidget *window : all)
            unnamed += unnamedControls(*window);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1String(", "))));
    }

    // Windows made for one command, such as the properties of an item.
    void commandWindowsNameTheirControls()
    {
        TestServices test;
        const QString file = test.settings.file("item.txt", "x");
        quil::PropertiesWindow item(test.dialogs, file, quil::PropertiesWindow::Kind::Item);
        quil::PropertiesWindow volume(test.dialogs, QStringLiteral("/"), quil::PropertiesWindow::Kind::Volume);
        const QStringList unnamed = unnamedControls(item) + unnamedControls(volume);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1String(", "))));
        QCOMPARE(tabOrderFaults(item), QString());
    }

    void controlsWithATextAreNamedByIt()
    {
        MainWindowFixture program;
        program.start();
        QStringList faults;
        for (QWidget *window : everyWindow(*program.windows))
            faults += namesOtherThanTexts(*window);
        TestServices test;
        const QString file = test.settings.file("item.txt", "x");
        quil::PropertiesWindow item(test.dialogs, file, quil::PropertiesWindow::Kind::Item);
        quil::PropertiesWindow volume(test.dialogs, QStringLiteral("/"), quil::PropertiesWindow::Kind::Volume);
        faults += namesOtherThanTexts(item) + namesOtherThanTexts(volume);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1String("; "))));

        // The hint of a control with a text is read as its description.
        QLabel *summary = ui(program.form()).Label1;
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(summary);
        QVERIFY(face != nullptr);
        QCOMPARE(face->text(QAccessible::Description), QStringLiteral("Выделено / Selected"));
    }

    // The summary is read with what it says now, after a mark has changed it.
    void summaryIsReadWithItsCurrentText()
    {
        MainWindowFixture program;
        TempTree files;
        files.file("a.txt", QByteArray(2048, 'a'));
        files.file("b.txt", "b");
        program.start();
        program.form().navigateByPath(quil::FolderPath(files.root()));
        QLabel *summary = ui(program.form()).Label1;
        QCOMPARE(accessibleName(summary), summary->text());
        const QString before = summary->text();
        program.focusRow(QStringLiteral("a.txt"));
        QTest::keyClick(ui(program.form()).ListView, Qt::Key_Space);
        QCOMPARE(program.marked(), QStringList{QStringLiteral("a.txt")});
        QVERIFY(summary->text() != before);
        QCOMPARE(accessibleName(summary), summary->text());
        QVERIFY2(summary->text().contains(QStringLiteral("1 файлах")), qPrintable(summary->text()));
        // The status line and the disk figures, as the listing left them.
        QCOMPARE(namesOtherThanTexts(program.form()), QStringList());
    }

    // Regression: a marked row read like any other, since only its colour
    // showed the mark.
    void marksAreReadOnTheNameCell()
    {
        MainWindowFixture program;
        TempTree files;
        files.file("a.txt", "a");
        files.file("b.txt", "b");
        program.start();
        program.form().navigateByPath(quil::FolderPath(files.root()));
        program.focusRow(QStringLiteral("a.txt"));
        QTest::keyClick(ui(program.form()).ListView, Qt::Key_Space);
        QCOMPARE(program.marked(), QStringList{QStringLiteral("a.txt")});
        QAccessibleTableInterface *table =
            QAccessible::queryAccessibleInterface(ui(program.form()).ListView)->tableInterface();
        QVERIFY(table != nullptr);
        for (const QString &name : {QStringLiteral("a.txt"), QStringLiteral("b.txt")}) {
            const int row = program.form().listing().findEntry(name);
            QAccessibleInterface *cell = table->cellAt(row, quil::ColumnName);
            QVERIFY(cell != nullptr);
            QCOMPARE(cell->text(QAccessible::Name), name);
            const bool marked = name == QLatin1String("a.txt");
            QCOMPARE(bool(cell->state().checked), marked);
            QCOMPARE(cell->text(QAccessible::Description), marked ? QStringLiteral("отмечен") : QString());
        }
    }

    // Regression: the open context menu was in no window's children, so a
    // screen reader found neither it nor its items.
    void openContextMenuIsAmongTheWindows()
    {
        MainWindowFixture program;
        TempTree files;
        files.file("a.txt", "a");
        program.start();
        program.form().navigateByPath(quil::FolderPath(files.root()));
        program.focusRow(QStringLiteral("a.txt"));
        QStringList items;
        bool listed = false;
        const auto connection =
            connect(&program.form().contextMenu(), &quil::ContextMenuController::menuShown, this, [&](QMenu *menu) {
                QTimer::singleShot(0, menu, [&, menu] {
                    QAccessibleInterface *application = QAccessible::queryAccessibleInterface(qApp);
                    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(menu);
                    listed = application->indexOfChild(face) >= 0 &&
                             application->child(application->indexOfChild(face)) == face &&
                             face->parent() == application;
                    for (int i = 0; i < face->childCount(); ++i)
                        items.append(face->child(i)->text(QAccessible::Name));
                    menu->close();
                });
            });
        program.form().PopupMenu1Popup();
        disconnect(connection);
        QVERIFY(listed);
        QVERIFY2(items.contains(QStringLiteral("Открыть")) && items.contains(QStringLiteral("Свойства")),
                 qPrintable(items.join(QLatin1String(", "))));
        // Closed, it is gone from the windows again.
        QAccessibleInterface *application = QAccessible::queryAccessibleInterface(qApp);
        for (int i = 0; i < application->childCount(); ++i)
            QVERIFY(qobject_cast<QMenu *>(application->child(i)->object()) == nullptr);
    }

    // Regression: the path box was read by the path it held, not by its label.
    void pathBoxIsNamedByItsLabel()
    {
        MainWindowFixture program;
        program.start();
        QComboBox *box = ui(program.form()).cbPath;
        QCOMPARE(accessibleName(box), QStringLiteral("Путь:"));
        QCOMPARE(accessibleName(box->lineEdit()), QStringLiteral("Путь:"));
    }

    void tabOrderFollowsTheLayout()
    {
        MainWindowFixture program;
        program.start();
        const QList<QWidget *> all = everyWindow(*program.windows);
        QStringList faults;
        for (QWidget *window : all) {
            const QString fault = tabOrderFaults(*window);
            if (!fault.isEmpty())
                faults.append(fault);
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1String("; "))));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
