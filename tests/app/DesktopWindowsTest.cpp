#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "app/TSet1.h"
#include "app/WindowLayoutFile.h"
#include "fileops/TForm4.h"
#include "fileops/TSelekt.h"
#include "listing/ColumnFit.h"
#include "listing/FolderListModel.h"
#include "listing/FolderListView.h"
#include "listing/SortOrder.h"
#include "platform/QtDialogs.h"
#include "platform/ReadableColour.h"
#include "platform/SettingsFiles.h"
#include "search/TFILESCH.h"
#include "shell/ContextMenuController.h"
#include "support/Form1Controls.h"
#include "support/Form4Controls.h"
#include "support/MainWindowFixture.h"
#include "support/SearchWindowControls.h"
#include "support/Set1Controls.h"
#include "support/TempTree.h"
#include "viewers/TExtent.h"
#include "viewers/TRF.h"
#include "viewers/TSHPIC.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QFrame>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>

#include <algorithm>
#include <map>

// The program's windows on a desktop: on the screen, stacked below the
// program's own dialogs, readable on dark palettes, kept sizes and the keys
// of the desktop, on the real windows.
class DesktopWindowsTest : public QObject
{
    Q_OBJECT

    struct Program : MainWindowFixture
    {
        TempTree files;

        void listFiles() { form().navigateByPath(quil::FolderPath(files.root() + QLatin1Char('/'))); }
        QStringList layoutLines() const { return quil::readSettingsLines(settingsPath(QStringLiteral("quil.pos"))); }
    };

    static QRect availableArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }

    static QColor textColour(const QWidget *widget) { return widget->palette().color(QPalette::WindowText); }
    static QColor fillColour(const QWidget *widget) { return widget->palette().color(QPalette::Window); }

    static QPalette darkPalette()
    {
        QPalette palette(QColor(53, 53, 53));
        palette.setColor(QPalette::WindowText, Qt::white);
        palette.setColor(QPalette::Base, QColor(35, 35, 35));
        palette.setColor(QPalette::Text, Qt::white);
        return palette;
    }

    // The icon buttons of a window whose glyph is mostly strokes that keep
    // less than the readable contrast against the window.
    static QStringList faintGlyphs(QWidget &window)
    {
        QStringList faint;
        for (QToolButton *button : window.findChildren<QToolButton *>()) {
            if (button->icon().isNull() || !button->text().isEmpty())
                continue;
            const QImage picture = button->icon().pixmap(button->iconSize(), 1.0).toImage();
            const QColor background = button->palette().color(QPalette::Window);
            double readable = 0;
            double all = 0;
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x) {
                    const QColor pixel = picture.pixelColor(x, y);
                    all += pixel.alphaF();
                    if (quil::contrastRatio(pixel, background) >= quil::kReadableGlyphContrast)
                        readable += pixel.alphaF();
                }
            if (all > 0 && readable < 0.9 * all)
                faint.append(button->objectName());
        }
        return faint;
    }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Regression: the second panel stayed on top of every window, the
    // viewer's tool row and other programs' windows included.
    void secondPanelIsAToolWindowOfTheMainWindow()
    {
        Program program;
        TForm1 &form = program.start();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        TForm4 &panel = *program.windows->Form4;
        QCOMPARE(panel.windowType(), Qt::Tool);
        QVERIFY(!panel.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        panel.showPanel();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QCOMPARE(panel.windowHandle()->transientParent(), form.windowHandle());
    }

    // A box asked while a viewer is the active window belongs to the viewer,
    // so no other window of the program comes between them.
    void dialogsBelongToTheActiveWindow()
    {
        Program program;
        TForm1 &form = program.start();
        quil::QtDialogs dialogs;
        dialogs.setParentWidget(&form);
        TRF &viewer = *program.windows->RF;
        const auto ownerOfNextBox = [&dialogs] {
            QWidget *owner = nullptr;
            QTimer::singleShot(0, qApp, [&owner] {
                QWidget *box = QApplication::activeModalWidget();
                QVERIFY(box != nullptr);
                owner = box->parentWidget();
                qobject_cast<QDialog *>(box)->reject();
            });
            dialogs.message(QStringLiteral("?"), QStringLiteral("QUIL"), quil::Dialogs::Icon::None);
            return owner;
        };
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(ownerOfNextBox(), static_cast<QWidget *>(&form));
        viewer.show();
        viewer.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&viewer));
        QCOMPARE(ownerOfNextBox(), static_cast<QWidget *>(&viewer));
        // Regression: once a box has closed no window is active until the
        // window manager activates the one below it; the next box of the same
        // command (the extension window's program chooser after its input
        // box) belonged to the main window, which then came over the asker.
        QVERIFY(QApplication::activeWindow() == nullptr);
        QCOMPARE(ownerOfNextBox(), static_cast<QWidget *>(&viewer));
        viewer.hide();
        QCOMPARE(ownerOfNextBox(), static_cast<QWidget *>(&form));
    }

    // Regression: the viewer, the picture viewer and the settings window
    // opened partly below the screen's bottom edge.
    void windowsOpenInsideTheScreen_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("viewer") << "RF";
        QTest::newRow("picture viewer") << "SHPIC";
        QTest::newRow("settings") << "Set1";
        QTest::newRow("second panel") << "Form4";
    }
    void windowsOpenInsideTheScreen()
    {
        QFETCH(QString, window);
        Program program;
        TForm1 &form = program.start();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        quil::AppWindows &windows = *program.windows;
        const std::map<QString, QWidget *> byName{{QStringLiteral("RF"), windows.RF.get()},
                                                  {QStringLiteral("SHPIC"), windows.SHPIC.get()},
                                                  {QStringLiteral("Set1"), windows.Set1.get()},
                                                  {QStringLiteral("Form4"), windows.Form4.get()}};
        QWidget *shown = byName.at(window);
        const QRect area = availableArea();
        // Without a place of its own it opens over the main window (the
        // second panel beside it).
        if (!shown->testAttribute(Qt::WA_Moved) && shown != windows.Form4.get()) {
            shown->show();
            QVERIFY(QTest::qWaitForWindowExposed(shown));
            QVERIFY(area.contains(shown->frameGeometry()));
            QCOMPARE(shown->frameGeometry().center(), form.frameGeometry().center());
            shown->hide();
        }
        // Placed beyond the bottom right corner, it is moved in as little as needed.
        shown->move(area.right() - 100, area.bottom() - 50);
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        const QRect frame = shown->frameGeometry();
        QVERIFY2(
            area.contains(frame),
            qPrintable(
                QStringLiteral("%1,%2 %3x%4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())));
        QCOMPARE(frame.right(), area.right());
        QCOMPARE(frame.bottom(), area.bottom());
    }

    // Regression: at a scale factor of 2 the main window was taller than the
    // screen, its bottom row out of reach.
    void windowsLargerThanTheAreaAreMadeToFit_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("main window") << "Form1";
        QTest::newRow("viewer") << "RF";
        QTest::newRow("settings") << "Set1";
        QTest::newRow("second panel") << "Form4";
    }
    void windowsLargerThanTheAreaAreMadeToFit()
    {
        QFETCH(QString, window);
        Program program;
        TForm1 &form = program.start();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        quil::AppWindows &windows = *program.windows;
        const std::map<QString, QWidget *> byName{{QStringLiteral("Form1"), windows.Form1.get()},
                                                  {QStringLiteral("RF"), windows.RF.get()},
                                                  {QStringLiteral("Set1"), windows.Set1.get()},
                                                  {QStringLiteral("Form4"), windows.Form4.get()}};
        QWidget *shown = byName.at(window);
        const QRect area = availableArea();
        shown->hide();
        shown->resize(area.size() * 2);
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        const QRect frame = shown->frameGeometry();
        QVERIFY2(area.contains(frame), qPrintable(QStringLiteral("%1,%2 %3x%4 in %5x%6")
                                                      .arg(frame.x())
                                                      .arg(frame.y())
                                                      .arg(frame.width())
                                                      .arg(frame.height())
                                                      .arg(area.width())
                                                      .arg(area.height())));
        // A short main window keeps every button of its column in reach.
        if (shown == &form) {
            form.resize(form.width(), 360);
            QWidget *column = ui(form).Panel2;
            const auto allInside = [column] {
                const QList<QToolButton *> buttons = column->findChildren<QToolButton *>();
                return std::all_of(buttons.begin(), buttons.end(), [column](QToolButton *button) {
                    return column->rect().contains(button->geometry());
                });
            };
            QTRY_VERIFY(column->height() < 360 && allInside());
        }
    }

    // Regression: at its first show the second panel covered the main
    // window's command line while the screen had room above it.
    void secondPanelOpensBesideTheMainWindow()
    {
        Program program;
        TForm1 &form = program.start();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QRect area = availableArea();
        TForm4 &panel = *program.windows->Form4;
        // Room above the main window only.
        form.resize(area.width() * 3 / 4, area.height() - panel.height() - 40);
        form.move(area.left(), area.bottom() - form.frameGeometry().height() + 1);
        QTRY_VERIFY(area.contains(form.frameGeometry()));
        panel.showPanel();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QVERIFY(area.contains(panel.frameGeometry()));
        QVERIFY(!panel.frameGeometry().intersects(form.frameGeometry()));
    }

    // Regression: F3 on a file while the viewer was open behind the main
    // window left it there.
    void viewAgainBringsTheViewerToTheFront()
    {
        Program program;
        TForm1 &form = program.start();
        program.files.file("a.txt", "text");
        program.listFiles();
        program.focusRow(QStringLiteral("a.txt"));
        QTest::keyClick(ui(form).ListView, Qt::Key_F3);
        TRF &viewer = *program.windows->RF;
        QVERIFY(viewer.isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(&viewer));
        program.focusRow(QStringLiteral("a.txt"));
        QTest::keyClick(ui(form).ListView, Qt::Key_F3);
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(&viewer));
    }

    // Regression: with a dark palette the navy summary, the blue status line
    // and the white disk figures were nearly unreadable.
    void fixedColoursOnLightAndDarkPalettes_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }
    void fixedColoursOnLightAndDarkPalettes()
    {
        QFETCH(bool, dark);
        const QPalette before = QApplication::palette();
        QPalette palette = before;
        if (dark)
            palette = darkPalette();
        else {
            palette.setColor(QPalette::Window, QColor(239, 239, 239));
            palette.setColor(QPalette::WindowText, Qt::black);
            palette.setColor(QPalette::Base, Qt::white);
        }
        QApplication::setPalette(palette);
        {
            Program program;
            TForm1 &form = program.start();
            program.files.file("a.txt", "text");
            program.listFiles();
            ui(form).ListView->setCurrentIndex(form.listModel().index(form.listing().findEntry("a.txt"), 0));
            form.ToggleCurrentMark();
            const QColor marked =
                form.listModel().index(form.listing().findEntry("a.txt"), 0).data(Qt::ForegroundRole).value<QColor>();
            const QColor window = palette.color(QPalette::Window);
            if (!dark) {
                QCOMPARE(textColour(ui(form).Label9), QColor(0, 0, 255));
                QCOMPARE(textColour(ui(form).Label1), QColor(0, 0, 128));
                QCOMPARE(marked, QColor(255, 0, 0));
                QCOMPARE(fillColour(ui(form).Shape1), QColor(0, 255, 255));
                QCOMPARE(fillColour(ui(form).Shape2), QColor(255, 255, 0));
            }
            QList<std::pair<QColor, QColor>> pairs{{textColour(ui(form).Label5), fillColour(ui(form).Shape1)},
                                                   {textColour(ui(form).Label5), fillColour(ui(form).Shape2)},
                                                   {textColour(ui(form).Label6), fillColour(ui(form).Shape1)},
                                                   {textColour(ui(form).Label6), fillColour(ui(form).Shape2)}};
            if (dark) {
                pairs.append({textColour(ui(form).Label9), window});
                pairs.append({textColour(ui(form).Label1), window});
                pairs.append({marked, palette.color(QPalette::Base)});
            }
            for (const auto &[text, background] : pairs)
                QVERIFY2(quil::contrastRatio(text, background) >= quil::kReadableContrast,
                         qPrintable(text.name() + QLatin1Char(' ') + background.name()));
            // Regression: the black cross of Exit almost vanished.
            if (dark) {
                QStringList faint;
                for (QWidget *window :
                     {static_cast<QWidget *>(&form), static_cast<QWidget *>(program.windows->Form4.get()),
                      static_cast<QWidget *>(program.windows->RF.get())})
                    faint += faintGlyphs(*window);
                QVERIFY2(faint.isEmpty(), qPrintable(faint.join(QLatin1String(", "))));
            }
        }
        QApplication::setPalette(before);
    }

    void layoutFileReadsOnlyWellFormedValues_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("mainKept");
        QTest::addColumn<bool>("columnsKept");
        QTest::addColumn<bool>("panelKept");
        QTest::newRow("whole") << QStringList{"40 30 700 500", "0", "250", "200 60 127 120 60", "10 20"} << true << true
                               << true;
        QTest::newRow("empty") << QStringList{} << false << false << false;
        QTest::newRow("words") << QStringList{"left top", "no", "wide", "a b c d e", "x y"} << false << false << false;
        QTest::newRow("zero size") << QStringList{"40 30 0 500", "0", "250", "200 60 127 120", "10 20"} << false
                                   << false << true;
        QTest::newRow("huge") << QStringList{"40 30 700 99999999", "0", "250", "200 60 127 120 -5", "10"} << false
                              << false << false;
    }
    void layoutFileReadsOnlyWellFormedValues()
    {
        QFETCH(QStringList, lines);
        QFETCH(bool, mainKept);
        QFETCH(bool, columnsKept);
        QFETCH(bool, panelKept);
        TempTree folder;
        const QString path = quil::windowLayoutPath(quil::FolderPath(folder.root()));
        quil::writeSettingsLines(path, lines);
        const quil::WindowLayout layout = quil::readWindowLayout(path, quil::ColumnCount);
        QCOMPARE(layout.mainWindow.has_value(), mainKept);
        QCOMPARE(layout.columnWidths.has_value(), columnsKept);
        QCOMPARE(layout.secondPanel.has_value(), panelKept);
        // Not a file at all: nothing, and no error.
        QVERIFY(!quil::readWindowLayout(folder.folder("quil.pos.d"), quil::ColumnCount).mainWindow);
    }

    void layoutKeptBetweenRuns()
    {
        QStringList kept;
        TempTree panelFiles;
        const QString panelFolder = panelFiles.folder("kept folder");
        {
            Program program;
            TForm1 &form = program.start();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            form.move(40, 30);
            form.resize(700, 500);
            ui(form).Splitter1->setSizes({250, 400});
            ui(form).ListView->header()->resizeSection(quil::ColumnSize, 90);
            program.windows->Form4->move(200, 100);
            program.windows->Form4->SecondPanelPath = quil::FolderPath(panelFolder);
            program.windows->Form4->ListSecondPanel(program.windows->Form4->SecondPanelPath);
            ui(*program.windows->Form4).SpeedButton3->click();
            form.close();
            kept = program.layoutLines();
            // quil.ini keeps its four lines.
            QCOMPARE(quil::readSettingsLines(program.settingsPath(QStringLiteral("quil.ini"))).size(), 4);
        }
        Program program;
        program.writeSettings(QStringLiteral("quil.pos"), kept);
        TForm1 &form = program.start();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.pos(), QPoint(40, 30));
        QCOMPARE(form.size(), QSize(700, 500));
        QCOMPARE(ui(form).Splitter1->sizes().value(0), 250);
        QVERIFY(ui(form).ListView->header()->sectionSize(quil::ColumnSize) >= 90);
        QCOMPARE(program.windows->Form4->pos(), QPoint(200, 100));
        QCOMPARE(program.windows->Form4->SecondPanelPath.path(), panelFolder);
        QCOMPARE(ui(*program.windows->Form4).Edit1->text(), panelFolder + QLatin1Char('/'));
        QCOMPARE(program.windows->Form4->view(), TForm4::View::Table);
    }

    void damagedLayoutFileMeansTheDesign()
    {
        Program program;
        program.writeSettings(QStringLiteral("quil.pos"), {QStringLiteral("\x01\x02 garbage"), QStringLiteral("7")});
        TForm1 &form = program.start();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.size(), QSize(653, 567));
        QCOMPARE(ui(form).Splitter1->sizes().value(0), 195);
        QCOMPARE(program.windows->Form4->pos(), QPoint(294, 513));
    }

    void roomGoesToTheTextsAndThenToTheName_data()
    {
        QTest::addColumn<QList<int>>("contents");
        QTest::addColumn<int>("available");
        QTest::addColumn<QList<int>>("expected");
        const QList<int> short_{0, 40, 100, 60, 20};
        QTest::newRow("no room") << short_ << 404 << QList<int>{135, 65, 127, 120, 60};
        QTest::newRow("room to the name") << short_ << 707 << QList<int>{335, 65, 127, 120, 60};
        QTest::newRow("long type first") << QList<int>{0, 40, 140, 200, 20} << 607 << QList<int>{142, 65, 140, 200, 60};
        QTest::newRow("part of the room")
            << QList<int>{0, 40, 140, 200, 20} << 557 << QList<int>{135, 65, 140, 157, 60};
    }
    void roomGoesToTheTextsAndThenToTheName()
    {
        QFETCH(QList<int>, contents);
        QFETCH(int, available);
        QFETCH(QList<int>, expected);
        QCOMPARE(quil::fittedColumnWidths({135, 65, 127, 120, 60}, contents, available), expected);
    }

    // Regression: the name column kept 135 pixels in a wide window, the
    // other columns cut their texts while the list had room.
    void nameColumnTakesTheWidthTheWindowGains()
    {
        Program program;
        TForm1 &form = program.start();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        program.files.file("a-file-with-a-rather-long-name-to-show.txt", "text");
        program.listFiles();
        QHeaderView *header = ui(form).ListView->header();
        const auto sum = [header] {
            int total = 0;
            for (int column = 0; column < quil::ColumnCount; ++column)
                total += header->sectionSize(column);
            return total;
        };
        form.resize(availableArea().width() - 20, 500);
        // The least tree, so that the list has room for every text.
        ui(form).Splitter1->setSizes({80, availableArea().width()});
        QTRY_COMPARE(sum(), ui(form).ListView->viewport()->width());
        const QModelIndex row = form.listModel().index(0, 0);
        const QFontMetrics metrics(ui(form).ListView->font());
        for (int column = quil::ColumnSize; column < quil::ColumnCount; ++column) {
            const QString text = row.siblingAtColumn(column).data().toString();
            QVERIFY2(header->sectionSize(column) > metrics.horizontalAdvance(text),
                     qPrintable(text + QStringLiteral(" %1 %2 viewport %3")
                                           .arg(header->sectionSize(column))
                                           .arg(metrics.horizontalAdvance(text))
                                           .arg(ui(form).ListView->viewport()->width())));
        }
        QVERIFY(header->sectionSize(quil::ColumnName) > quil::columnWidth(quil::ColumnName));
        // Narrow again: the design's widths.
        form.resize(653, 500);
        QTRY_COMPARE(header->sectionSize(quil::ColumnName), quil::columnWidth(quil::ColumnName));
    }

    void ctrlLAndAltDGoToThePathBox_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("Ctrl+L") << int(Qt::Key_L) << Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("Alt+D") << int(Qt::Key_D) << Qt::KeyboardModifiers(Qt::AltModifier);
    }
    void ctrlLAndAltDGoToThePathBox()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        Program program;
        TForm1 &form = program.start();
        program.files.file("a.txt", "text");
        program.listFiles();
        program.focusRow(QStringLiteral("a.txt"));
        QTest::keyClick(ui(form).ListView, Qt::Key(key), modifiers);
        QTRY_VERIFY(ui(form).cbPath->lineEdit()->hasFocus());
        QCOMPARE(ui(form).cbPath->lineEdit()->selectedText(), ui(form).cbPath->currentText());
        QVERIFY(!ui(form).cbPath->currentText().isEmpty());
    }

    // The keys go to the list at start and after a listing from the path box.
    void listHasTheFocusAtStartAndAfterAListing()
    {
        Program program;
        TForm1 &form = program.start();
        program.files.folder("sub");
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTRY_VERIFY(ui(form).ListView->hasFocus());
        QTest::keyClick(ui(form).ListView, Qt::Key_L, Qt::ControlModifier);
        QLineEdit *typed = ui(form).cbPath->lineEdit();
        QTRY_VERIFY(typed->hasFocus());
        QTest::keyClicks(typed, program.files.path("sub"));
        QTest::keyClick(typed, Qt::Key_Return);
        QCOMPARE(form.listing().currentPath(), program.files.path("sub"));
        QVERIFY(ui(form).ListView->hasFocus());
    }

    // Escape closes these windows as their close boxes do (the settings
    // window then sets the search window's other-viewer mark), from any of
    // their controls that leaves the key alone.
    void escapeClosesTheWindows_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::newRow("text viewer, from its search box") << "RF"
                                                          << "Edit1";
        QTest::newRow("picture viewer") << "SHPIC"
                                        << "";
        QTest::newRow("search window") << "FILESCH"
                                       << "Edit1";
        QTest::newRow("settings") << "Set1"
                                  << "Edit1";
        QTest::newRow("extension table") << "Extent"
                                         << "ListView1";
        QTest::newRow("selection modes") << "Selekt"
                                         << "Edit1";
    }
    void escapeClosesTheWindows()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        Program program;
        program.start();
        std::map<QString, QWidget *> windows{
            {"RF", program.windows->RF.get()},           {"SHPIC", program.windows->SHPIC.get()},
            {"FILESCH", program.windows->FILESCH.get()}, {"Set1", program.windows->Set1.get()},
            {"Extent", program.windows->Extent.get()},   {"Selekt", program.windows->Selekt.get()}};
        QWidget *shown = windows.at(window);
        if (window == QLatin1String("Set1"))
            ui(*program.windows->Set1).CheckBox1->setChecked(true);
        shown->show();
        shown->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(shown));
        QWidget *target = shown;
        if (!control.isEmpty()) {
            target = namedControl<QWidget>(*shown, qPrintable(window), qPrintable(control));
            target->setFocus();
            QVERIFY(target->hasFocus());
        }
        QTest::keyClick(target, Qt::Key_Escape);
        QTRY_VERIFY(!shown->isVisible());
        if (window == QLatin1String("Set1"))
            QVERIFY(ui(*program.windows->FILESCH).CheckBox4->isChecked());
    }

    // Regression: the keyboard's menu opened at the mouse pointer.
    void keyboardMenuOpensAtTheCurrentRow_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Shift+F10") << "Shift+F10";
        QTest::newRow("Menu key") << "Menu";
    }
    void keyboardMenuOpensAtTheCurrentRow()
    {
        QFETCH(QString, how);
        Program program;
        TForm1 &form = program.start();
        for (const char *name : {"a.txt", "b.txt", "c.txt"})
            program.files.file(name, "text");
        program.listFiles();
        program.focusRow(QStringLiteral("b.txt"));
        QCursor::setPos(availableArea().bottomRight() - QPoint(5, 5));
        QPoint menuAt;
        QStringList items;
        const auto connection =
            connect(&form.contextMenu(), &quil::ContextMenuController::menuShown, this, [&](QMenu *menu) {
                QTimer::singleShot(0, menu, [menu, &menuAt, &items] {
                    menuAt = menu->pos();
                    for (const QAction *action : menu->actions())
                        items.append(action->text());
                    menu->close();
                });
            });
        if (how == QLatin1String("Menu")) {
            // What the window system delivers for the Menu key.
            QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(1, 1), QCursor::pos());
            QApplication::sendEvent(ui(form).ListView, &event);
        } else {
            QTest::keyClick(ui(form).ListView, Qt::Key_F10, Qt::ShiftModifier);
        }
        disconnect(connection);
        QVERIFY(!items.isEmpty());
        QVERIFY(!program.windows->Extent->isVisible());
        // At the row (the menu's frame may stand a few pixels off the point).
        const QRect row = ui(form).ListView->visualRect(ui(form).ListView->currentIndex());
        QCOMPARE(ui(form).ListView->currentIndex().data().toString(), QStringLiteral("b.txt"));
        QVERIFY2(
            QRect(ui(form).ListView->viewport()->mapToGlobal(row.topLeft()), row.size() + QSize(0, 8)).contains(menuAt),
            qPrintable(QStringLiteral("%1,%2 row at %3,%4")
                           .arg(menuAt.x())
                           .arg(menuAt.y())
                           .arg(ui(form).ListView->viewport()->mapToGlobal(row.topLeft()).x())
                           .arg(ui(form).ListView->viewport()->mapToGlobal(row.topLeft()).y())));
    }
};

QTEST_MAIN(DesktopWindowsTest)
#include "DesktopWindowsTest.moc"
