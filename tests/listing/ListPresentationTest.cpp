#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "listing/FolderListModel.h"
#include "listing/FolderListView.h"
#include "listing/FolderListing.h"
#include "listing/FolderTreeModel.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Services.h"
#include "platform/ShellNamespace.h"
#include "support/Form1Controls.h"
#include "support/PrivateMounts.h"
#include "support/TempTree.h"
#include "support/TestServices.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPalette>
#include <QStandardPaths>
#include <QTest>
#include <memory>

// The main list as the user sees it: texts, fonts and colours of the rows,
// the column clicks, the keyboard search and the lazy detail fill of drawn rows.
class ListPresentationTest : public QObject
{
    Q_OBJECT

    struct Program
    {
        TestServices test;
        TempTree &settings = test.settings;
        quil::ScriptedDialogs &dialogs = test.dialogs;
        quil::Services &services = test.services;
        std::unique_ptr<quil::AppWindows> windows;

        qint64 fillsBeforeListing = 0;
        TForm1 &start(const QString &folder)
        {
            windows = std::make_unique<quil::AppWindows>(services);
            TForm1 &form = *windows->Form1;
            showStarted(form);
            if (QTest::qWaitForWindowExposed(&form))
                QCoreApplication::processEvents();
            fillsBeforeListing = form.listing().detailFills();
            form.navigateByPath(quil::FolderPath(folder));
            return form;
        }
    };

    static QString cell(TForm1 &form, int row, int column)
    {
        return form.listModel().index(row, column).data().toString();
    }
    // Types text as key presses carrying each character (QTest's own key
    // clicks know only Latin letters).
    static void type(QWidget *widget, const QString &text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &release);
        }
    }
    static int rowNamed(TForm1 &form, const QString &name) { return form.listing().findEntry(name); }
    static QStringList names(TForm1 &form)
    {
        QStringList result;
        for (int i = 0; i < form.listing().count(); ++i)
            result.append(form.listing().entry(i).name);
        return result;
    }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void modelPassesTheTester()
    {
        TempTree tree;
        tree.folder("sub");
        tree.file("a.txt", "hello");
        tree.file(".hidden");
        quil::FolderListing listing;
        quil::FolderListModel model(listing);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        const quil::ItemId folder = quil::ShellNamespace::parse(tree.root());
        model.reading([&] { listing.readFolder(folder); });
        listing.setCurrent(folder, tree.root());
        model.fillDetails(0, listing.count() - 1);
        model.markSortColumn(1);
        model.reading([&] { listing.readFolder(folder); });
        QCOMPARE(model.rowCount(), 3);
    }

    void treeShowsHomeComputerAndFoldersOnly()
    {
        // No model tester here: it would walk every folder of the machine.
        quil::FolderTreeModel model;
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.itemOf(model.index(0, 0)), quil::ShellNamespace::homeFolder());
        QVERIFY(model.itemOf(model.index(1, 0)).isComputer());
        QCOMPARE(model.nodeAtPosition(2), model.index(1, 0));
        TempTree tree;
        tree.folder("visible");
        tree.folder("visible/inner");
        tree.folder(".hidden");
        tree.file("file");
        const QModelIndex found = model.indexForPath(quil::FolderPath(tree.path("visible/inner")));
        QCOMPARE(model.pathOf(found), tree.path("visible/inner"));
        const QModelIndex root = model.indexForPath(quil::FolderPath(tree.root()));
        QStringList children;
        for (int i = 0; i < model.rowCount(root); ++i)
            children.append(model.index(i, 0, root).data().toString());
        QCOMPARE(children, (QStringList{".hidden", "visible"}));
        model.refreshNode(model.index(1, 0));
        QVERIFY(model.rowCount(model.index(1, 0)) >= 1);
    }

    void textsOfTheColumns()
    {
        TempTree tree;
        tree.folder("folder");
        tree.file("big.txt", QByteArray(12345 * 1024, 'x'));
        tree.file(".secret");
        Program program;
        TForm1 &form = program.start(tree.root());
        form.listing().fillDetails(0, form.listing().count() - 1);
        const int folder = rowNamed(form, "folder");
        const int big = rowNamed(form, "big.txt");
        QCOMPARE(cell(form, folder, 1), QStringLiteral("<dir>"));
        QCOMPARE(cell(form, big, 1), QStringLiteral("12345 Kb"));
        QVERIFY(!cell(form, big, 2).isEmpty());
        QVERIFY(!cell(form, big, 3).isEmpty());
        QCOMPARE(cell(form, rowNamed(form, ".secret"), 4), QStringLiteral("H"));
        // A folder keeps "<dir>" after its total has been stored.
        form.listing().entry(folder).size = 777;
        QCOMPARE(cell(form, folder, 1), QStringLiteral("<dir>"));
        const QAbstractItemModel *model = &form.listModel();
        const QStringList captions = {"Name   ", "Size  ", "Date  ", "Type  ", "Atrib  "};
        const int widths[] = {135, 65, 127, 120, 60};
        for (int column = 0; column < 5; ++column) {
            QCOMPARE(model->headerData(column, Qt::Horizontal).toString(), captions.at(column));
            QCOMPARE(ui(form).ListView->header()->sectionSize(column), widths[column]);
        }
        QVERIFY(ui(form).ListView->header()->defaultAlignment() & Qt::AlignLeft);
    }

    void attributeLettersAndStrikeThrough()
    {
        TempTree tree;
        tree.file(".flags");
        tree.file("plain");
        Program program;
        TForm1 &form = program.start(tree.root());
        form.listing().fillDetails(0, 1);
        const int flags = rowNamed(form, ".flags");
        form.listing().entry(flags).attributes |= quil::AttributeReadOnly | quil::AttributeArchive;
        QCOMPARE(cell(form, flags, 4), QStringLiteral("RHA"));
        const QModelIndex name = form.listModel().index(flags, 0);
        QVERIFY(name.data(Qt::FontRole).value<QFont>().strikeOut());
        QVERIFY(name.data(Qt::FontRole).value<QFont>().bold());
        QVERIFY(form.listModel().index(flags, 2).data(Qt::FontRole).value<QFont>().strikeOut());
        const QModelIndex plain = form.listModel().index(rowNamed(form, "plain"), 0);
        QVERIFY(!plain.data(Qt::FontRole).isValid());
        QCOMPARE(plain.data(Qt::ForegroundRole).value<QColor>(),
                 QGuiApplication::palette().color(QPalette::WindowText));
        QCOMPARE(form.listModel().index(rowNamed(form, "plain"), 4).data().toString(), QString());
    }

    void systemColourAndMarkedRed()
    {
        TempTree tree;
        tree.fifo("pipe");
        Program program;
        TForm1 &form = program.start(tree.root());
        form.listing().fillDetails(0, 0);
        QCOMPARE(cell(form, 0, 4), QStringLiteral("S"));
        const QColor highlight = QGuiApplication::palette().color(QPalette::Highlight);
        const QColor text = QGuiApplication::palette().color(QPalette::WindowText);
        const auto colour = [&form](int column) {
            return form.listModel().index(0, column).data(Qt::ForegroundRole).value<QColor>();
        };
        QCOMPARE(colour(0), highlight);
        for (int column = 1; column < 5; ++column)
            QCOMPARE(colour(column), text);
        form.listing().entry(0).marked = true;
        for (int column = 0; column < 5; ++column)
            QCOMPARE(colour(column), QColor(255, 0, 0));
    }

    void columnClicksSortSayAndMark_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("key");
        QTest::newRow("name") << 0 << "По имени" << 0;
        QTest::newRow("size") << 1 << "По размеру" << 1;
        QTest::newRow("date") << 2 << "По дате" << 3;
        QTest::newRow("type") << 3 << "По типу" << 2;
    }

    void columnClicksSortSayAndMark()
    {
        QFETCH(int, column);
        QFETCH(QString, message);
        QFETCH(int, key);
        TempTree tree;
        tree.file("a.txt", QByteArray(3000, 'x'));
        tree.file("b.png", QByteArray(10, 'x'));
        tree.file("c.txt", QByteArray(1500, 'x'));
        Program program;
        TForm1 &form = program.start(tree.root());
        // A marker from an earlier click moves away.
        form.ListViewColumnClick(column == 0 ? 1 : 0);
        program.dialogs.clear();
        form.listing().entry(0).marked = true;

        QTest::mouseClick(ui(form).ListView->header()->viewport(), Qt::LeftButton, {},
                          QPoint(ui(form).ListView->header()->sectionViewportPosition(column) + 5, 5));
        QCOMPARE(program.dialogs.messages(), QStringList{message});
        QCOMPARE(int(form.listing().sortKey()), key);
        // Listed afresh: marks are gone.
        QVERIFY(!form.listing().entry(0).marked);
        for (int i = 0; i < 5; ++i) {
            const QString caption = form.listModel().headerData(i, Qt::Horizontal).toString();
            QCOMPARE(caption.endsWith(QLatin1String(" v")), i == column);
            QVERIFY(caption.endsWith(QLatin1String(" v")) || caption.endsWith(QLatin1String("  ")));
        }
        if (column == 1)
            QCOMPARE(names(form), (QStringList{"b.png", "c.txt", "a.txt"}));
        if (column == 0)
            QCOMPARE(names(form), (QStringList{"a.txt", "b.png", "c.txt"}));
    }

    void attributeColumnDoesNothing()
    {
        TempTree tree;
        tree.file("a", QByteArray(3000, 'x'));
        tree.file("b");
        Program program;
        TForm1 &form = program.start(tree.root());
        form.ListViewColumnClick(1);
        program.dialogs.clear();
        form.listing().entry(0).marked = true;
        form.ListViewColumnClick(4);
        QVERIFY(program.dialogs.messages().isEmpty());
        QVERIFY(form.listing().entry(0).marked);
        QCOMPARE(names(form), (QStringList{"b", "a"}));
        QCOMPARE(form.listModel().headerData(1, Qt::Horizontal).toString(), QStringLiteral("Size v"));
        QCOMPARE(form.listModel().headerData(4, Qt::Horizontal).toString(), QStringLiteral("Atrib  "));
    }

    void typedLettersSelectByPrefix()
    {
        TempTree tree;
        for (const char *name : {"Abc", "aBx", "beta", "Дом", "zeta"})
            tree.file(name);
        Program program;
        TForm1 &form = program.start(tree.root());
        quil::FolderListView *list = ui(form).ListView;
        list->setFocus();
        const auto current = [list] { return list->currentIndex().data().toString(); };
        QCOMPARE(current(), QStringLiteral("Abc"));
        // A fresh letter moves on from the current row; the next one narrows.
        QTest::keyClicks(list, QStringLiteral("ab"));
        QCOMPARE(current(), QStringLiteral("aBx"));
        list->keyboardSearch({}); // nothing typed: nothing happens
        QCOMPARE(current(), QStringLiteral("aBx"));
        list->resetTypedText();
        type(list, QStringLiteral("дом"));
        QCOMPARE(current(), QStringLiteral("aBx"));
        list->resetTypedText();
        QTest::keyClicks(list, QStringLiteral("Z"));
        QCOMPARE(current(), QStringLiteral("zeta"));
        list->resetTypedText();
        type(list, QStringLiteral("Д"));
        QCOMPARE(current(), QStringLiteral("Дом"));
    }

    void onlyDrawnRowsGetDetails()
    {
        TempTree tree;
        for (int i = 0; i < 2000; ++i)
            tree.file(QByteArray("entry") + QByteArray::number(10000 + i));
        Program program;
        TForm1 &form = program.start(tree.root());
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        ui(form).ListView->viewport()->repaint();
        const auto [first, last] = ui(form).ListView->visibleRows();
        QVERIFY(last > first);
        // Only rows some paint drew so far: the rows in view now, and none
        // beyond what one screen of the list can hold.
        // The start folder's rows, drawn while the window waited for the
        // reading, count in the listing's fills too.
        const qint64 filled = form.listing().detailFills() - program.fillsBeforeListing;
        QVERIFY(filled >= qint64(last - first + 1));
        QVERIFY(filled <= 60);
        for (int row = 0; row < 2000; ++row)
            QCOMPARE(form.listing().entry(row).needsDetails, row >= filled);
        QVERIFY(!form.listing().entry(first).needsDetails);
        QVERIFY(!form.listing().entry(last).needsDetails);
        QVERIFY(form.listing().entry(1999).needsDetails);
        // Scrolling to the end fills the rows drawn there, and no others.
        ui(form).ListView->scrollToBottom();
        ui(form).ListView->viewport()->repaint();
        const auto [end0, end1] = ui(form).ListView->visibleRows();
        QCOMPARE(end1, 1999);
        QCOMPARE(form.listing().detailFills() - program.fillsBeforeListing, filled + (end1 - end0 + 1));
    }
};

int main(int argc, char **argv)
{
    // Mounts made by tests running beside this one must not reach its volume monitor.
    usePrivateMounts();
    QApplication application(argc, argv);
    ListPresentationTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "ListPresentationTest.moc"
