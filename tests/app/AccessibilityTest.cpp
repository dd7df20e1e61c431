#include "app/AppWindows.h"
#include "app/TAboutBox.h"
#include "app/TFB.h"
#include "app/TFILESCH.h"
#include "app/TForm1.h"
#include "app/TSet1.h"
#include "fileops/TForm4.h"
#include "fileops/TSelekt.h"
#include "support/MainWindowFixture.h"
#include "viewers/TExtent.h"
#include "viewers/TRF.h"
#include "viewers/TSHPIC.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QStandardPaths>
#include <QTest>

// A screen reader names a control by its accessible name: every control a
// user can reach (focusable or a button) must have one, an icon button its hint.
class AccessibilityTest : public QObject
{
    Q_OBJECT

    static QStringList unnamedControls(QWidget &window)
    {
        QStringList unnamed;
        for (QWidget *widget : window.findChildren<QWidget *>()) {
            const bool reachable = widget->focusPolicy() != Qt::NoFocus || qobject_cast<QAbstractButton *>(widget);
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

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void everyReachableControlHasAName()
    {
        MainWindowFixture program;
        program.start();
        AppWindows &windows = *program.windows;
        const QList<QWidget *> all{windows.Form1.get(), windows.Form4.get(), windows.AboutBox.get(),
                                   windows.RF.get(),    windows.SHPIC.get(), windows.FILESCH.get(),
                                   windows.FB.get(),    windows.Set1.get(),  windows.Extent.get(),
                                   windows.Selekt.get()};
        QStringList unnamed;
        for (QWidget *window : all)
            unnamed += unnamedControls(*window);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1String(", "))));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
