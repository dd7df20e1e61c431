#include "fileops/TForm4.h"
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "fileops/Glyphs.h"
#include "listing/FolderListView.h"
#include "platform/NativePath.h"
#include "platform/ScriptedDialogs.h"
#include "platform/TextFormat.h"
#include "support/Form1Controls.h"
#include "support/Form4Controls.h"
#include "support/PrivateMounts.h"
#include "support/TempTree.h"
#include "support/TestServices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include <memory>
#include <sys/stat.h>
#include <utime.h>

using Kind = quil::ScriptedDialogs::Kind;

namespace {

// More files than the panel reads at once.
constexpr int kManyFiles = 3000;

void addFiles(const TempTree &tree, const char *folder, int count)
{
    for (int i = 0; i < count; ++i)
        QFile(tree.path(folder) + QStringLiteral("/f%1").arg(i)).open(QIODevice::WriteOnly);
}

} // namespace

// The second panel window and the main window's buttons for it, on the real
// windows over real folders.
class TForm4Test : public QObject
{
    Q_OBJECT

    struct Panel
    {
        TestServices test;
        TempTree tree;
        TForm4 form{test.services};

        void list(const QString &path)
        {
            form.SecondPanelPath = quil::FolderPath(path);
            form.ListSecondPanel(quil::FolderPath(path));
        }
        QString root() const { return tree.root() + QLatin1Char('/'); }
        QString current() const { return ui(form).ListView1->currentCaption(); }
        void pick(const QString &name)
        {
            const int row = int(form.rowNames().indexOf(name));
            QVERIFY2(row >= 0, qPrintable(name));
            ui(form).ListView1->setCurrentRow(row);
        }
    };

    struct Program
    {
        TestServices test;
        TempTree tree;
        std::unique_ptr<quil::AppWindows> windows;
        TForm1 *form = nullptr;
        TForm4 *panel = nullptr;

        Program()
        {
            windows = std::make_unique<quil::AppWindows>(test.services);
            form = windows->Form1.get();
            panel = windows->Form4.get();
            showStarted(*form);
            QVERIFY(QTest::qWaitForWindowExposed(form));
        }
    };

private Q_SLOTS:
    void layout()
    {
        Panel panel;
        QCOMPARE(panel.form.windowTitle(), QStringLiteral("Выбери нужную папку"));
        // A tool window of the main window rather than above every window.
        QCOMPARE(panel.form.windowType(), Qt::Tool);
        QVERIFY(!panel.form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(panel.form.geometry(), QRect(294, 513, 670, 220));
        QCOMPARE(ui(panel.form).Button1->text(), QStringLiteral("New"));
        QCOMPARE(ui(panel.form).Button1->toolTip(), QStringLiteral("Создать (Create)"));
        QCOMPARE(ui(panel.form).Label1->text(), QStringLiteral("В виде:"));
        QCOMPARE(ui(panel.form).SpeedButton2->text(), QStringLiteral("Значки"));
        QCOMPARE(ui(panel.form).SpeedButton3->text(), QStringLiteral("Табл."));
        QCOMPARE(ui(panel.form).SpeedButton4->text(), QStringLiteral("Список"));
        QCOMPARE(ui(panel.form).Label2->text(), QStringLiteral("Папок:"));
        QCOMPARE(ui(panel.form).Label3->text(), QStringLiteral("Файлов"));
        QCOMPARE(ui(panel.form).ListView1->viewMode(), QListView::IconMode);
        // The first folder is the root of the current folder's volume.
        QCOMPARE(panel.form.SecondPanelPath, quil::FolderPath(ui(panel.form).DriveComboBox1->currentData().toString()));
        QVERIFY(ui(panel.form).Edit1->text().endsWith(QLatin1Char('/')));
        panel.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel.form));
        panel.form.resize(700, 300);
        QTRY_COMPARE(ui(panel.form).ListView1->size(), QSize(682, 185));
        QCOMPARE(ui(panel.form).Label6->y(), 185 + 64);
    }

    // The table view drew its icons over the next rows and had no header.
    void tableViewIsOneNamedColumnWithoutOverlaps()
    {
        Panel panel;
        for (const char *name : {"alpha", "beta", "gamma"})
            panel.tree.folder(name);
        for (const char *name : {"a.txt", "b.txt", "c.txt"})
            panel.tree.file(name);
        panel.list(panel.root());
        panel.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel.form));
        QTest::mouseClick(ui(panel.form).SpeedButton3, Qt::LeftButton);
        auto *header = ui(panel.form).ListView1->findChild<QHeaderView *>();
        QVERIFY(header != nullptr);
        QTRY_VERIFY(header->isVisible());
        QCOMPARE(header->count(), 1);
        QCOMPARE(header->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Name"));
        QCOMPARE(header->sectionSize(0), 250);
        // The rows start below the header, one below the other without overlap, each as wide
        // as the column and as high as its icon at least.
        const QWidget *viewport = ui(panel.form).ListView1->viewport();
        QVERIFY(viewport->mapTo(ui(panel.form).ListView1, QPoint(0, 0)).y() >= header->geometry().bottom());
        const int rows = ui(panel.form).ListView1->count();
        QCOMPARE(rows, 6);
        for (int row = 0; row < rows; ++row) {
            const QRect rect = ui(panel.form).ListView1->visualRect(ui(panel.form).ListView1->model()->index(row, 0));
            QVERIFY(rect.width() >= 250);
            QVERIFY(rect.height() >= ui(panel.form).ListView1->iconSize().height());
            if (row > 0) {
                const QRect above =
                    ui(panel.form).ListView1->visualRect(ui(panel.form).ListView1->model()->index(row - 1, 0));
                QVERIFY(rect.top() > above.bottom());
                QCOMPARE(rect.left(), above.left());
            }
        }
        // The other views have no header.
        QTest::mouseClick(ui(panel.form).SpeedButton4, Qt::LeftButton);
        QVERIFY(!header->isVisible());
        QCOMPARE(viewport->mapTo(ui(panel.form).ListView1, QPoint(0, 0)).y(), ui(panel.form).ListView1->frameWidth());
        QTest::mouseClick(ui(panel.form).SpeedButton2, Qt::LeftButton);
        QVERIFY(!header->isVisible());
    }

    void foldersThenFilesWithCounters()
    {
        Panel panel;
        for (const char *name : {"gamma", ".git", "Beta"})
            panel.tree.folder(name);
        for (const char *name : {"e.txt", ".hidden", "D.txt", "c.txt", "a.txt"})
            panel.tree.file(name);
        panel.list(panel.root());
        QCOMPARE(panel.form.rowNames(),
                 (QStringList{".git", "Beta", "gamma", ".hidden", "a.txt", "c.txt", "D.txt", "e.txt"}));
        QCOMPARE(ui(panel.form).Label4->text(), QStringLiteral("3"));
        QCOMPARE(ui(panel.form).Label5->text(), QStringLiteral("5"));
        QCOMPARE(ui(panel.form).Edit1->text(), panel.root());
    }

    // A folder of more entries than are read at once is read on another
    // thread; the folder left is selected once its listing is shown.
    void upSelectsFolderLeft_data()
    {
        QTest::addColumn<int>("filesAbove");
        QTest::newRow("read at once") << 0;
        QTest::newRow("read on") << kManyFiles;
    }
    void upSelectsFolderLeft()
    {
        QFETCH(int, filesAbove);
        Panel panel;
        panel.tree.folder("a");
        panel.tree.folder("a/docs");
        panel.tree.folder("a/other");
        addFiles(panel.tree, "a", filesAbove);
        panel.list(panel.root() + QStringLiteral("a/docs/"));
        QTest::keyClick(ui(panel.form).ListView1, Qt::Key_Backspace);
        QCOMPARE(panel.form.SecondPanelPath.withTrailingSlash(), panel.root() + QStringLiteral("a/"));
        QCOMPARE(panel.form.isReading(), filesAbove > 0);
        QTRY_VERIFY(!panel.form.isReading());
        QCOMPARE(ui(panel.form).Label5->text(), QString::number(filesAbove));
        QCOMPARE(panel.current(), QStringLiteral("docs"));
        QVERIFY(ui(panel.form).ListView1->isCurrentSelected());
    }

    // A listing started while a large folder is read drops that reading:
    // its rows never come.
    void newListingDropsTheReadingBefore()
    {
        Panel panel;
        panel.tree.folder("big");
        panel.tree.file("one.txt");
        addFiles(panel.tree, "big", kManyFiles);
        panel.list(panel.root() + QStringLiteral("big/"));
        QVERIFY(panel.form.isReading());
        panel.list(panel.root());
        QVERIFY(!panel.form.isReading());
        QCoreApplication::processEvents();
        QCOMPARE(panel.form.rowNames(), (QStringList{"big", "one.txt"}));
    }

    void ctrlRReadsTheFolderAgain()
    {
        Panel panel;
        panel.tree.file("a.txt");
        panel.list(panel.root());
        panel.tree.file("b.txt");
        QTest::keyClick(ui(panel.form).ListView1, Qt::Key_R);
        QCOMPARE(panel.form.rowNames(), QStringList{"a.txt"});
        QTest::keyClick(ui(panel.form).ListView1, Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(panel.form.rowNames(), (QStringList{"a.txt", "b.txt"}));
        QCOMPARE(ui(panel.form).Label5->text(), QStringLiteral("2"));
    }

    void upAtRootListsRootAgain()
    {
        Panel panel;
        panel.list(QStringLiteral("/"));
        ui(panel.form).SpeedButton1->click();
        QCOMPARE(panel.form.SecondPanelPath.withTrailingSlash(), QStringLiteral("/"));
        QVERIFY(panel.form.rowNames().contains(QStringLiteral("tmp")));
    }

    void enterOpensFoldersOnly()
    {
        Panel panel;
        panel.tree.folder("inner");
        panel.tree.file("file.txt");
        panel.list(panel.root());
        panel.pick(QStringLiteral("file.txt"));
        QTest::keyClick(ui(panel.form).ListView1, Qt::Key_Return);
        QCOMPARE(panel.form.SecondPanelPath.withTrailingSlash(), panel.root());
        QCOMPARE(ui(panel.form).ListView1->count(), 2);
        panel.pick(QStringLiteral("inner"));
        QTest::keyClick(ui(panel.form).ListView1, Qt::Key_Return);
        QCOMPARE(panel.form.SecondPanelPath.withTrailingSlash(), panel.root() + QStringLiteral("inner/"));
    }

    void informationLine()
    {
        Panel panel;
        panel.tree.file("big.bin", QByteArray(1234567, 'x'));
        panel.tree.folder("dir");
        const QDateTime when(QDate(2021, 3, 4), QTime(5, 6, 7));
        const struct utimbuf times
        {
            when.toSecsSinceEpoch(), when.toSecsSinceEpoch()
        };
        QCOMPARE(::utime(quil::toNative(panel.tree.path("big.bin")).constData(), &times), 0);
        QCOMPARE(::utime(quil::toNative(panel.tree.path("dir")).constData(), &times), 0);
        panel.list(panel.root());
        const QString stamp = QLocale::system().toString(when.date(), QLocale::ShortFormat) + QStringLiteral(" 05:06");

        panel.pick(QStringLiteral("big.bin"));
        panel.form.ListView1Click();
        QCOMPARE(ui(panel.form).Label6->text(), QStringLiteral("Файл: big.bin - ") + stamp + QStringLiteral("  - ") +
                                                    quil::groupThousands(qint64(1234567)) + QStringLiteral(" byte"));
        QVERIFY(quil::groupThousands(qint64(1234567)) != QStringLiteral("1234567"));
        panel.pick(QStringLiteral("dir"));
        panel.form.ListView1Click();
        QCOMPARE(ui(panel.form).Label6->text(), QStringLiteral("Папка: dir - ") + stamp);
    }

    void newFolder()
    {
        Panel panel;
        panel.tree.folder("taken");
        panel.list(panel.root());
        panel.test.dialogs.answerInput(QStringLiteral("made"));
        ui(panel.form).Button1->click();
        QVERIFY(QFileInfo(panel.root() + QStringLiteral("made")).isDir());
        QCOMPARE(panel.current(), QStringLiteral("made"));
        const auto inputs = panel.test.dialogs.shown(Kind::Input);
        QCOMPARE(inputs.first().title, QStringLiteral("Создание новой папки"));
        QCOMPARE(inputs.first().text, QStringLiteral("Введи название"));

        panel.test.dialogs.answerInput(QStringLiteral("taken"));
        ui(panel.form).Button1->click();
        QCOMPARE(panel.test.dialogs.messages(),
                 QStringList{QStringLiteral("Ошибка при создании папки - ") + panel.root()});
    }

    void renameInPlace_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("renamed");
        QTest::newRow("accepted") << int(Qt::Key_Return) << true;
        QTest::newRow("escaped") << int(Qt::Key_Escape) << false;
    }
    void renameInPlace()
    {
        QFETCH(int, key);
        QFETCH(bool, renamed);
        Panel panel;
        panel.tree.file("old.txt", "kept");
        panel.list(panel.root());
        panel.pick(QStringLiteral("old.txt"));
        panel.form.show();
        QTest::keyClick(ui(panel.form).ListView1, Qt::Key_F2);
        QLineEdit *editor = nullptr;
        QTRY_VERIFY((editor = ui(panel.form).ListView1->viewport()->findChild<QLineEdit *>()) != nullptr);
        editor->setText(QStringLiteral("new.txt"));
        QTest::keyClick(editor, Qt::Key(key));
        const QStringList expected{QStringLiteral("Меняем имя : ") + panel.root() + QStringLiteral("old.txt - на  -") +
                                   panel.root() + QStringLiteral("new.txt")};
        QTRY_COMPARE(panel.test.dialogs.messages(), renamed ? expected : QStringList());
        QCOMPARE(QFileInfo::exists(panel.root() + QStringLiteral("new.txt")), renamed);
        QCOMPARE(QFileInfo::exists(panel.root() + QStringLiteral("old.txt")), !renamed);
    }

    // Guards against Enter in the editor reaching the list: it opened the
    // folder under its old name and dropped the rename.
    void enterInTheEditorRenamesAndOpensNothing()
    {
        Panel panel;
        panel.tree.folder("docs");
        panel.list(panel.root());
        panel.pick(QStringLiteral("docs"));
        panel.form.show();
        QTest::keyClick(ui(panel.form).ListView1, Qt::Key_F2);
        QLineEdit *editor = nullptr;
        QTRY_VERIFY((editor = ui(panel.form).ListView1->viewport()->findChild<QLineEdit *>()) != nullptr);
        editor->setText(QStringLiteral("papers"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(QFileInfo(panel.root() + QStringLiteral("papers")).isDir());
        QVERIFY(!QFileInfo::exists(panel.root() + QStringLiteral("docs")));
        QCOMPARE(panel.form.SecondPanelPath.withTrailingSlash(), panel.root());
        QCOMPARE(panel.test.dialogs.messages().size(), 1);
    }

    // Guards against the rename of the row clicked to end the edit instead
    // of the edited one.
    void clickElsewhereRenamesTheEditedRow()
    {
        Panel panel;
        panel.tree.file("a.txt", "edited");
        panel.tree.file("b.txt", "clicked");
        panel.list(panel.root());
        panel.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel.form));
        panel.pick(QStringLiteral("a.txt"));
        QTest::keyClick(ui(panel.form).ListView1, Qt::Key_F2);
        QLineEdit *editor = nullptr;
        QTRY_VERIFY((editor = ui(panel.form).ListView1->viewport()->findChild<QLineEdit *>()) != nullptr);
        editor->setText(QStringLiteral("c.txt"));
        const QModelIndex other =
            ui(panel.form).ListView1->model()->index(int(panel.form.rowNames().indexOf("b.txt")), 0);
        QTest::mouseClick(ui(panel.form).ListView1->viewport(), Qt::LeftButton, {},
                          ui(panel.form).ListView1->visualRect(other).center());
        QTRY_VERIFY(QFileInfo::exists(panel.root() + QStringLiteral("c.txt")));
        QFile renamed(panel.root() + QStringLiteral("c.txt"));
        QVERIFY(renamed.open(QIODevice::ReadOnly));
        QCOMPARE(renamed.readAll(), QByteArray("edited"));
        QVERIFY(QFileInfo::exists(panel.root() + QStringLiteral("b.txt")));
        QCOMPARE(panel.test.dialogs.messages(),
                 QStringList{QStringLiteral("Меняем имя : ") + panel.root() + QStringLiteral("a.txt - на  -") +
                             panel.root() + QStringLiteral("c.txt")});
    }

    // Regression: the path box took a typed path and ignored it, and copy
    // then went to the folder the panel listed, not the one the box showed.
    void pathBoxListsTheTypedFolder()
    {
        Panel panel;
        panel.tree.folder("docs");
        panel.tree.file("docs/x.txt");
        panel.list(panel.root());
        panel.form.show();
        panel.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&panel.form));
        QLineEdit &box = *ui(panel.form).Edit1;
        box.setFocus();
        const QString docs = panel.root() + QStringLiteral("docs/");
        box.setText(panel.root() + QStringLiteral("docs"));
        QTest::keyClick(&box, Qt::Key_Return);
        QCOMPARE(panel.form.folderPath().withTrailingSlash(), docs);
        QCOMPARE(panel.form.rowNames(), QStringList{QStringLiteral("x.txt")});
        QCOMPARE(box.text(), docs);
        // A path that names no folder: the error box; the listing stays and
        // the text is there to be mended.
        for (const QString &bad : {panel.root() + QStringLiteral("missing"), docs + QStringLiteral("x.txt")}) {
            box.setText(bad);
            QTest::keyClick(&box, Qt::Key_Return);
            QCOMPARE(panel.form.folderPath().withTrailingSlash(), docs);
            QCOMPARE(box.text(), bad);
        }
        QCOMPARE(panel.test.dialogs.shown(Kind::ErrorBox).size(), 2);
        // Left without Enter: the box names the listed folder again.
        box.setText(panel.root());
        ui(panel.form).ListView1->setFocus();
        QCOMPARE(box.text(), docs);
        QCOMPARE(panel.form.folderPath().withTrailingSlash(), docs);
    }

    void f2WithoutASelectedRowOpensNoEditor()
    {
        Panel panel;
        panel.tree.file("a.txt");
        panel.list(panel.root());
        panel.form.show();
        panel.pick(QStringLiteral("a.txt"));
        ui(panel.form).ListView1->clearSelection();
        QVERIFY(ui(panel.form).ListView1->currentRow() >= 0);
        QTest::keyClick(ui(panel.form).ListView1, Qt::Key_F2);
        QCoreApplication::processEvents();
        QVERIFY(ui(panel.form).ListView1->viewport()->findChild<QLineEdit *>() == nullptr);
    }

    void swapPanels()
    {
        Program program;
        program.tree.folder("a");
        program.tree.folder("b");
        const QString a = program.tree.root() + QStringLiteral("/a/");
        const QString b = program.tree.root() + QStringLiteral("/b/");
        program.form->navigateByPath(quil::FolderPath(a));
        program.panel->SecondPanelPath = quil::FolderPath(b);
        program.panel->ListSecondPanel(quil::FolderPath(b));
        ui(*program.form).SpeedButton14->click();
        QCOMPARE(ui(*program.form).cbPath->currentText(), b);
        QCOMPARE(program.panel->folderPath().withTrailingSlash(), a);
        QVERIFY(program.panel->isShown());
    }

    // Guards against the panel's list holding the focus in a window that is
    // not the active one, so that the keys still went to the main window.
    void panelWindowIsActivatedWithItsListFocused_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("swap") << "SpeedButton14";
        QTest::newRow("to DOWN") << "SpeedButton15";
        QTest::newRow("New") << "Button1";
    }
    void panelWindowIsActivatedWithItsListFocused()
    {
        QFETCH(QString, button);
        Program program;
        const QString folder = program.tree.root() + QLatin1Char('/');
        program.form->navigateByPath(quil::FolderPath(folder));
        program.panel->SecondPanelPath = quil::FolderPath(folder);
        program.panel->ListSecondPanel(quil::FolderPath(folder));
        program.panel->showPanel();
        QVERIFY(QTest::qWaitForWindowExposed(program.panel));
        program.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program.form));
        ui(*program.form).ListView->setFocus();
        program.test.dialogs.answerInput(QStringLiteral("made"));
        const QObject &windowOfButton = button == QLatin1String("Button1") ? static_cast<QObject &>(*program.panel)
                                                                           : static_cast<QObject &>(*program.form);
        auto *clicked = namedControl<QAbstractButton>(windowOfButton, "panel or main", qPrintable(button));
        clicked->click();
        QTRY_VERIFY(program.panel->isActiveWindow());
        QVERIFY(ui(*program.panel).ListView1->hasFocus());
    }

    void glyphsStaySharpOnAScaledScreen()
    {
        QToolButton button;
        quil::setGlyph(&button, QStringLiteral("TOONE"));
        const QPixmap glyph = quil::glyph(QStringLiteral("TOONE"));
        QImage drawn = button.icon().pixmap(glyph.size(), 2.0).toImage();
        drawn.setDevicePixelRatio(1);
        const QImage doubled = glyph.scaled(glyph.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation).toImage();
        QCOMPARE(drawn.convertToFormat(QImage::Format_ARGB32), doubled.convertToFormat(QImage::Format_ARGB32));
    }

    void foldAndUnfoldTree()
    {
        Program program;
        program.form->resize(900, 600);
        const QRect before = program.form->geometry();
        ui(*program.form).SpeedButton13->click();
        QVERIFY(ui(*program.form).ShellTreeView1->isHidden());
        QCOMPARE(program.form->width(), before.width() - 195);
        QVERIFY(program.panel->isShown());
        const QRect frame = program.form->geometry();
        // Beside the main window, moved in where the screen ends first.
        const QRect area = program.panel->screen()->availableGeometry();
        QCOMPARE(program.panel->geometry().size(), QSize(310, frame.height()));
        QCOMPARE(program.panel->geometry().top(), frame.top());
        QVERIFY(area.contains(program.panel->frameGeometry()));
        QCOMPARE(ui(*program.form).SpeedButton13->property("glyph").toString(), QStringLiteral("TORIGHT"));
        QCOMPARE(ui(*program.form).SpeedButton17->property("glyph").toString(), QStringLiteral("TOONE"));

        const QRect panelPlace = program.panel->geometry();
        ui(*program.form).SpeedButton13->click();
        QVERIFY(!ui(*program.form).ShellTreeView1->isHidden());
        QCOMPARE(program.form->width(), before.width());
        QCOMPARE(program.panel->geometry(), panelPlace);
        QCOMPARE(ui(*program.form).SpeedButton13->property("glyph").toString(), QStringLiteral("TOLEFT"));
    }

    void showHideGlyphs()
    {
        Program program;
        ui(*program.form).SpeedButton17->click();
        QVERIFY(program.panel->isShown());
        QCOMPARE(ui(*program.form).SpeedButton17->property("glyph").toString(), QStringLiteral("TOONE"));
        ui(*program.form).SpeedButton17->click();
        QVERIFY(!program.panel->isShown());
        QCOMPARE(ui(*program.form).SpeedButton17->property("glyph").toString(), QStringLiteral("TOTWO"));
        for (const char *name : {"TOONE", "TOTWO", "TOLEFT", "TORIGHT"})
            QCOMPARE(quil::glyph(QLatin1String(name)).size(), QSize(21, 22));
        QVERIFY(quil::glyph(QStringLiteral("NOSUCH")).isNull());
    }

    void mainToPanelAndBack()
    {
        Program program;
        program.tree.folder("x");
        const QString x = program.tree.root() + QStringLiteral("/x/");
        program.form->navigateByPath(quil::FolderPath(x));
        ui(*program.form).SpeedButton15->click();
        QCOMPARE(program.panel->folderPath().withTrailingSlash(), x);
        program.form->navigateByPath(quil::FolderPath(QStringLiteral("/")));
        ui(*program.form).SpeedButton16->click();
        QCOMPARE(ui(*program.form).cbPath->currentText(), x);
    }

    void treeRefreshListsPanelDriveRoot()
    {
        Program program;
        program.tree.folder("deep");
        const QString deep = program.tree.root() + QStringLiteral("/deep/");
        program.panel->SecondPanelPath = quil::FolderPath(deep);
        program.panel->ListSecondPanel(quil::FolderPath(deep));
        ui(*program.form).SpeedButton18->click();
        QString root = ui(*program.panel).DriveComboBox1->currentData().toString();
        if (!root.endsWith(QLatin1Char('/')))
            root += QLatin1Char('/');
        QCOMPARE(program.panel->folderPath().withTrailingSlash(), root);
        QCOMPARE(ui(*program.panel).Edit1->text(), root);
    }
};

int main(int argc, char **argv)
{
    usePrivateMounts();
    QApplication application(argc, argv);
    TForm4Test test;
    return QTest::qExec(&test, argc, argv);
}

#include "TForm4Test.moc"
