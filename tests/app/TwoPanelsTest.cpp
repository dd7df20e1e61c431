#include "app/TForm1.h"
#include "fileops/TForm4.h"
#include "platform/FileClipboard.h"
#include "platform/NativePath.h"
#include "platform/ScriptedDialogs.h"
#include "support/Form4Controls.h"
#include "support/MainWindowFixture.h"
#include "support/TempTree.h"

#include <QDockWidget>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QTest>
#include <QTreeView>

#include <memory>
#include <unistd.h>

using Kind = quil::ScriptedDialogs::Kind;

// The two panels together: drags out of the program and drops into it,
// through the real windows' mouse and drop events with real mime data, on
// real files; the second panel docked and in its own window.
class TwoPanelsTest : public QObject
{
    Q_OBJECT

    struct Program : MainWindowFixture
    {
        TempTree files;

        Program()
        {
            files.folder("src");
            files.folder("dst");
            files.file("src/a.txt", "alpha");
            files.file("src/b.txt", "beta");
            files.file(QByteArray("src/caf\xe9"), "latin-1 name");
            files.folder("src/sub");
            files.folder("dst/inner");
            start();
            TForm4 &panel = *windows->Form4;
            panel.showPanel();
            panel.SecondPanelPath = quil::FolderPath(files.path("dst"));
            panel.relist();
        }
        TForm4 &panel() const { return *windows->Form4; }
        QWidget *listArea() const { return ui(form()).ListView->viewport(); }
        QWidget *panelArea() const { return ui(panel()).ListView1->viewport(); }
        // A point of the list below its last row.
        static QPoint emptyPoint(const QWidget *area) { return {4, area->height() - 4}; }
        QPoint listRowPoint(const QString &name) const
        {
            const int row = form().listing().findEntry(name);
            return ui(form()).ListView->visualRect(form().listModel().index(row, 0)).center();
        }
        // Drops the files at a point of a view's area; whether it was taken.
        bool drop(QWidget *area, QPoint point, const QStringList &paths, Qt::KeyboardModifiers modifiers = {})
        {
            const std::unique_ptr<QMimeData> data(quil::mimeDataForFiles({paths, false, {}, {}}));
            return dropData(area, point, *data, modifiers);
        }
        static bool dropData(QWidget *area, QPoint point, const QMimeData &data, Qt::KeyboardModifiers modifiers)
        {
            // As a drag does: the drop goes to the widget that took the drag as it entered.
            QDragEnterEvent enter(point, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, modifiers);
            QCoreApplication::sendEvent(area, &enter);
            if (!enter.isAccepted())
                return false;
            QDropEvent event(point, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, modifiers);
            QCoreApplication::sendEvent(area, &event);
            return event.isAccepted();
        }
        QString question() const
        {
            const QList<quil::ScriptedDialogs::Shown> asked = dialogs.shown(Kind::YesNo);
            return asked.isEmpty() ? QString() : asked.last().title + QLatin1Char('|') + asked.last().text;
        }
    };

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Two files dropped, after the question of copy or move naming the folder.
    void dropCopiesOrMoves_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("moved");
        QTest::newRow("copy onto the list") << "list" << 0 << "dst" << false;
        QTest::newRow("Ctrl copies onto a folder row") << "inner" << int(Qt::ControlModifier) << "dst/inner" << false;
        QTest::newRow("Shift moves onto a folder row") << "inner" << int(Qt::ShiftModifier) << "dst/inner" << true;
        QTest::newRow("Shift moves onto the panel") << "panel" << int(Qt::ShiftModifier) << "dst" << true;
    }
    void dropCopiesOrMoves()
    {
        QFETCH(QString, where);
        QFETCH(int, modifiers);
        QFETCH(QString, target);
        QFETCH(bool, moved);
        Program program;
        program.form().navigateByPath(quil::FolderPath(program.files.path("dst")));
        program.dialogs.answerYesNo(true);
        const QPoint point = where == QLatin1String("list")    ? Program::emptyPoint(program.listArea())
                             : where == QLatin1String("panel") ? Program::emptyPoint(program.panelArea())
                                                               : program.listRowPoint(where);
        QWidget *area = where == QLatin1String("panel") ? program.panelArea() : program.listArea();
        const QStringList sources{program.files.path("src/a.txt"), program.files.path("src/b.txt")};
        QVERIFY(program.drop(area, point, sources, Qt::KeyboardModifiers(modifiers)));
        const QString targetPath = program.files.path(target.toUtf8());
        QTRY_VERIFY(QFile::exists(targetPath + QStringLiteral("/b.txt")));
        QVERIFY(program.question().startsWith(moved ? QStringLiteral("ПЕРЕМЕЩЕНИЕ / MOVE !!!|")
                                                    : QStringLiteral("КОПИРОВАНИЕ / COPY !!!|")));
        QVERIFY2(program.question().contains(QStringLiteral("В папку : ") + targetPath + QLatin1Char('/')),
                 qPrintable(program.question()));
        QCOMPARE(QFile::exists(sources.first()), !moved);
        QCOMPARE(QFile(targetPath + QStringLiteral("/a.txt")).size(), 5);
    }

    // Nothing is asked and nothing changes: a drop into the folder the files
    // lie in, into a dragged folder itself, or of what is no local file.
    void dropsRefused_data()
    {
        QTest::addColumn<QString>("listed");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("message");
        QTest::newRow("into its own folder") << "src"
                                             << "src/a.txt"
                                             << "";
        QTest::newRow("into a dragged folder") << "src/sub"
                                               << "src/sub"
                                               << "";
        QTest::newRow("another location") << "dst"
                                          << "sftp://host/x"
                                          << "sftp://host/x";
    }
    void dropsRefused()
    {
        QFETCH(QString, listed);
        QFETCH(QString, source);
        QFETCH(QString, message);
        Program program;
        const QDir folder(program.files.path(listed.toUtf8()));
        program.form().navigateByPath(quil::FolderPath(folder.path()));
        const QStringList before = folder.entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
        QMimeData data;
        const QString uri = source.contains(QLatin1Char(':'))
                                ? source
                                : QUrl::fromLocalFile(program.files.path(source.toUtf8())).toString();
        data.setData(QStringLiteral("text/uri-list"), uri.toUtf8());
        QVERIFY(!Program::dropData(program.listArea(), Program::emptyPoint(program.listArea()), data, {}));
        if (!message.isEmpty())
            QTRY_VERIFY(!program.dialogs.messages().isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(program.dialogs.shown(Kind::YesNo).size() + program.dialogs.shown(Kind::Input).size(), 0);
        if (!message.isEmpty())
            QVERIFY(program.dialogs.messages().constLast().contains(message));
        QCOMPARE(folder.entryList(QDir::NoDotAndDotDot | QDir::AllEntries), before);
    }

    // A drag out of the list carries the name's own bytes, and dropped on
    // the panel it copies that very name.
    void dragCarriesTheNameBytes()
    {
        Program program;
        program.form().navigateByPath(quil::FolderPath(program.files.path("src")));
        const QString name = quil::fromNative("caf\xe9");
        const QPoint start = program.listRowPoint(name);
        QWidget *area = program.listArea();
        QMouseEvent press(QEvent::MouseButtonPress, start, area->mapToGlobal(start), Qt::LeftButton, Qt::LeftButton,
                          {});
        QCoreApplication::sendEvent(area, &press);
        const QPoint end = start + QPoint(QApplication::startDragDistance() + 10, 0);
        QMouseEvent move(QEvent::MouseMove, end, area->mapToGlobal(end), Qt::NoButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(area, &move);
        const QDrag *drag = area->findChild<QDrag *>();
        QVERIFY(drag != nullptr);
        const QByteArray uri = "file://" + program.files.rootBytes() + "/src/caf%E9";
        QCOMPARE(drag->mimeData()->data(QStringLiteral("text/uri-list")), uri + "\r\n");
        QCOMPARE(drag->mimeData()->data(QStringLiteral("x-special/gnome-copied-files")), "copy\n" + uri);
        program.dialogs.answerInput(name);
        QVERIFY(
            Program::dropData(program.panelArea(), Program::emptyPoint(program.panelArea()), *drag->mimeData(), {}));
        const QByteArray copied = program.files.rootBytes() + "/dst/caf\xe9";
        QTRY_VERIFY(::access(copied.constData(), F_OK) == 0);
    }

    // Ctrl+K docks the panel below the list, then to its right, then gives
    // it its own window again; each place, with the folder, is kept across
    // a restart.
    void dockedOrOwnWindowKeptAcrossARestart()
    {
        Program program;
        program.form().navigateByPath(quil::FolderPath(program.files.path("src")));
        const auto restart = [&program] {
            program.form().close();
            program.windows.reset();
            program.start();
        };
        const auto area = [&program] {
            auto *dock = program.form().findChild<QDockWidget *>(QStringLiteral("SecondPanelDock"));
            return dock->isVisible() && dock->widget() == &program.panel() ? program.form().dockWidgetArea(dock)
                                                                           : Qt::NoDockWidgetArea;
        };
        program.focusRow(QStringLiteral("a.txt"));
        QTest::keyClick(ui(program.form()).ListView, Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(area(), Qt::BottomDockWidgetArea);
        QVERIFY(!program.panel().isWindow());
        restart();
        QCOMPARE(area(), Qt::NoDockWidgetArea); // kept docked, shown when asked
        program.panel().showPanel();
        QCOMPARE(area(), Qt::BottomDockWidgetArea);
        QCOMPARE(program.panel().folderPath().path(), program.files.path("dst"));
        QTest::keyClick(ui(program.panel()).ListView1, Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(area(), Qt::RightDockWidgetArea);
        restart();
        program.panel().showPanel();
        QCOMPARE(area(), Qt::RightDockWidgetArea);
        QTest::keyClick(ui(program.panel()).ListView1, Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(area(), Qt::NoDockWidgetArea);
        QVERIFY(program.panel().isWindow() && program.panel().isVisible());
        // No empty dock is left in the main window.
        QVERIFY(!program.form().findChild<QDockWidget *>(QStringLiteral("SecondPanelDock"))->isVisible());
        program.panel().resize(500, 300);
        restart();
        QVERIFY(program.panel().isWindow());
        QCOMPARE(program.panel().size(), QSize(500, 300));
    }
};

QTEST_MAIN(TwoPanelsTest)
#include "TwoPanelsTest.moc"
