#include "platform/QtDialogs.h"
#include "platform/ReadableColour.h"
#include "platform/WindowPlacement.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QImage>
#include <QPalette>
#include <QTest>
#include <QTimer>

// Colours, window places and dialog widths of the platform layer, on real
// widgets of the offscreen platform.
class DesktopLookTest : public QObject
{
    Q_OBJECT

    static QPalette darkPalette()
    {
        QPalette palette;
        palette.setColor(QPalette::Window, QColor(53, 53, 53));
        palette.setColor(QPalette::WindowText, Qt::white);
        palette.setColor(QPalette::Base, QColor(35, 35, 35));
        palette.setColor(QPalette::Text, Qt::white);
        return palette;
    }
    static QPalette lightPalette()
    {
        QPalette palette;
        palette.setColor(QPalette::Window, QColor(239, 239, 239));
        palette.setColor(QPalette::WindowText, Qt::black);
        palette.setColor(QPalette::Base, Qt::white);
        palette.setColor(QPalette::Text, Qt::black);
        return palette;
    }

    // The width of the modal box that a call opens, closed at once.
    template <typename Call> static int boxWidth(Call call)
    {
        int width = -1;
        QTimer::singleShot(0, qApp, [&width] {
            QWidget *box = QApplication::activeModalWidget();
            QVERIFY(box != nullptr);
            width = box->width();
            qobject_cast<QDialog *>(box)->reject();
        });
        call();
        return width;
    }

private Q_SLOTS:
    void luminanceAndContrast()
    {
        QCOMPARE(quil::relativeLuminance(Qt::white), 1.0);
        QCOMPARE(quil::relativeLuminance(Qt::black), 0.0);
        QCOMPARE(quil::contrastRatio(Qt::black, Qt::white), 21.0);
        QCOMPARE(quil::contrastRatio(Qt::white, Qt::white), 1.0);
        QVERIFY(!quil::isDarkPalette(lightPalette()));
        QVERIFY(quil::isDarkPalette(darkPalette()));
    }

    void fixedColoursReadableOnBothPalettes_data()
    {
        QTest::addColumn<QColor>("designed");
        QTest::addColumn<QPalette::ColorRole>("background");
        QTest::newRow("navy summary") << QColor(0, 0, 128) << QPalette::Window;
        QTest::newRow("blue status line") << QColor(0, 0, 255) << QPalette::Window;
        QTest::newRow("red mark") << QColor(255, 0, 0) << QPalette::Base;
    }
    void fixedColoursReadableOnBothPalettes()
    {
        QFETCH(QColor, designed);
        QFETCH(QPalette::ColorRole, background);
        const QPalette light = lightPalette();
        QCOMPARE(quil::textColourOn(designed, light.color(background), light), designed);
        const QPalette dark = darkPalette();
        // Regression: navy and blue on a dark window were nearly unreadable.
        QVERIFY(quil::contrastRatio(designed, dark.color(background)) < quil::kReadableContrast);
        const QColor shown = quil::textColourOn(designed, dark.color(background), dark);
        QVERIFY2(quil::contrastRatio(shown, dark.color(background)) >= quil::kReadableContrast,
                 qPrintable(shown.name()));
        // Still the same hue, only lighter.
        QCOMPARE(shown.hsvHue(), designed.hsvHue());
    }

    void framesKeptInsideTheArea_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QRect>("expected");
        const QRect area(0, 0, 1280, 1024);
        QTest::newRow("inside stays") << QRect(105, 97, 653, 567) << QRect(105, 97, 653, 567);
        QTest::newRow("below the bottom") << QRect(563, 551, 717, 488) << QRect(563, 536, 717, 488);
        QTest::newRow("right and below") << QRect(900, 900, 500, 300) << QRect(780, 724, 500, 300);
        QTest::newRow("left and above") << QRect(-50, -20, 300, 200) << QRect(0, 0, 300, 200);
        QTest::newRow("larger than the area") << QRect(10, 10, 2000, 1100) << QRect(0, 0, 2000, 1100);
        Q_UNUSED(area);
    }
    void framesKeptInsideTheArea()
    {
        QFETCH(QRect, frame);
        QFETCH(QRect, expected);
        QCOMPARE(quil::keptInside(frame, QRect(0, 0, 1280, 1024)), expected);
    }

    void secondWindowBesideTheMainWindow_data()
    {
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QRect>("expected"); // null: no room
        const QSize panel(680, 245);
        QTest::newRow("below") << QRect(105, 97, 663, 590) << panel << QRect(QPoint(105, 687), panel);
        QTest::newRow("below, slid in") << QRect(700, 97, 500, 590) << panel << QRect(QPoint(600, 687), panel);
        QTest::newRow("right") << QRect(0, 0, 600, 900) << panel << QRect(QPoint(600, 0), panel);
        QTest::newRow("left") << QRect(700, 0, 580, 900) << panel << QRect(QPoint(20, 0), panel);
        QTest::newRow("above") << QRect(0, 300, 1280, 724) << panel << QRect(QPoint(0, 55), panel);
        QTest::newRow("no room") << QRect(0, 0, 1280, 1024) << panel << QRect();
        QTest::newRow("larger than the area") << QRect(0, 0, 100, 100) << QSize(1300, 200) << QRect();
    }
    void secondWindowBesideTheMainWindow()
    {
        QFETCH(QRect, main);
        QFETCH(QSize, frame);
        QFETCH(QRect, expected);
        QCOMPARE(quil::besideFrame(frame, main, QRect(0, 0, 1280, 1024)).value_or(QRect()), expected);
    }

    // Regression: the black cross of Exit almost vanished on a dark window.
    void darkGlyphsTakeTheTextColourOnDarkPalettes()
    {
        QImage cross(16, 16, QImage::Format_ARGB32);
        cross.fill(Qt::transparent);
        for (int i = 2; i < 14; ++i) {
            cross.setPixelColor(i, i, Qt::black);
            cross.setPixelColor(15 - i, i, QColor(0, 0, 0, 128));
        }
        cross.setPixelColor(0, 0, QColor(255, 200, 0)); // a light colour stays
        QCOMPARE(quil::readableGlyph(cross, lightPalette()), cross);
        const QPalette dark = darkPalette();
        const QImage shown = quil::readableGlyph(cross, dark);
        QCOMPARE(shown.pixelColor(0, 0), QColor(255, 200, 0));
        QCOMPARE(shown.pixelColor(5, 5), QColor(Qt::white));
        QCOMPARE(shown.pixelColor(10, 5), QColor(255, 255, 255, 128));
        QCOMPARE(shown.pixelColor(1, 5).alpha(), 0);
    }

    // Regression: a short prompt made the input box so narrow that its title
    // showed as "Копир… енем".
    void boxesWideEnoughForTheirTitles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("title");
        QTest::newRow("input box") << "input" << QStringLiteral("Копировать с именем");
        QTest::newRow("long input box") << "input" << QStringLiteral("Отмена выделения файлов");
        QTest::newRow("question") << "question" << QStringLiteral("КОПИРОВАНИЕ / COPY !!!");
        QTest::newRow("message") << "message" << QStringLiteral("Создание новой папки в выбранной папке");
    }
    void boxesWideEnoughForTheirTitles()
    {
        QFETCH(QString, kind);
        QFETCH(QString, title);
        quil::QtDialogs dialogs;
        const int width = boxWidth([&] {
            if (kind == QLatin1String("input"))
                dialogs.inputBox(title, QStringLiteral("Имя"), QStringLiteral("a"));
            else if (kind == QLatin1String("question"))
                dialogs.askYesNo(QStringLiteral("Да?"), title, quil::Dialogs::Icon::Question);
            else
                dialogs.message(QStringLiteral("Ок"), title, quil::Dialogs::Icon::None);
        });
        QFont bold = QApplication::font();
        bold.setBold(true);
        // The title in a bold face, the icon and three buttons of a title bar.
        const int needed = QFontMetrics(bold).horizontalAdvance(title) + 4 * 20;
        QVERIFY2(width >= needed, qPrintable(QStringLiteral("%1 < %2").arg(width).arg(needed)));
    }
};

QTEST_MAIN(DesktopLookTest)
#include "DesktopLookTest.moc"
