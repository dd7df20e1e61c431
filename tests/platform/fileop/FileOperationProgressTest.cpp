#include "FileCheck.h"

#include "platform/NativePath.h"
#include "platform/ScriptedDialogs.h"
#include "platform/fileop/FileOperation.h"
#include "platform/fileop/FileOperationProgress.h"
#include "platform/fileop/ShellFileOperation.h"
#include "platform/fileop/UndoOperation.h"
#include "support/TempTree.h"

#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <QScopeGuard>
#include <QSemaphore>

#include <future>
#include <thread>

using namespace quil;
namespace fc = filecheck;

class FileOperationProgressTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void windowShowsProgressAndCancelLeavesSourcesIntact();
    void windowShowsTargetSpeedAndTimeLeft();
    void toolRunsOperationWithScriptedAnswers();
    void ownerDeletedWhileWindowShowsIsNoDoubleDelete();
    void undoShowsWindowAndCancelKeepsTheRest();
};

namespace {

FileOperationProgress *visibleProgressWindow()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *window = qobject_cast<FileOperationProgress *>(widget); window && window->isVisible())
            return window;
    return nullptr;
}

QString labelText(QWidget *window, const char *name)
{
    auto *label = window->findChild<QLabel *>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<none>");
}

} // namespace

// The window appears while an operation lasts, shows what is done, and
// Cancel stops it with the sources intact.
void FileOperationProgressTest::windowShowsProgressAndCancelLeavesSourcesIntact()
{
    TempTree tree;
    const QByteArray src = tree.folder("src").toUtf8();
    const QByteArray dst = tree.folder("dst").toUtf8();
    fc::write(src + "/a", fc::pattern(1000000, 1));
    fc::write(src + "/b", fc::pattern(234567, 2));
    const QList<QByteArray> before = fc::snapshot(src);

    ScriptedDialogs dialogs;
    FileOperation copy(dialogs, {fromNative(src + "/a"), fromNative(src + "/b")}, fromNative(dst), FO_COPY, 0);
    // The worker waits on the first item until the test has seen the window.
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    copy.setBeforeItem([released](const QString &) { released.wait(); });

    QStringList seen;
    bool clicked = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        FileOperationProgress *window = visibleProgressWindow();
        if (!window || clicked)
            return;
        window->refresh();
        // The totals are counted before the first item is entered: wait
        // until both are in.
        if (!labelText(window, "itemsLabel").endsWith(QStringLiteral("из 2 объектов")) ||
            labelText(window, "currentLabel") != fromNative(src + "/a"))
            return;
        seen = {window->windowTitle(), labelText(window, "operationLabel"), labelText(window, "currentLabel"),
                labelText(window, "bytesLabel"), labelText(window, "itemsLabel")};
        QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("cancelButton")), Qt::LeftButton);
        clicked = true;
        release.set_value();
    });
    poll.start(20);
    const bool ok = runFileOperation(copy);
    poll.stop();
    if (!clicked)
        release.set_value();

    QVERIFY(clicked);
    QVERIFY(!ok);
    QVERIFY(copy.isCancelled());
    QCOMPARE(seen,
             (QStringList{QStringLiteral("Копирование..."), QStringLiteral("Копирование..."), fromNative(src + "/a"),
                          QStringLiteral("0 из 1 234 567 байт"), QStringLiteral("0 из 2 объектов")}));
    QVERIFY(visibleProgressWindow() == nullptr);
    QCOMPARE(fc::snapshot(src), before);
    QVERIFY(fc::names(dst).isEmpty());
}

// A copy slowed by a hook, one file at a time, against a clock stepped by
// hand: the window names the target and the item, and its speed and time left
// follow from the bytes done by each second.
void FileOperationProgressTest::windowShowsTargetSpeedAndTimeLeft()
{
    TempTree tree;
    const QByteArray src = tree.folder("src").toUtf8();
    const QByteArray dst = tree.folder("dst").toUtf8();
    constexpr qint64 kFile = 256 * 1024;
    QStringList sources;
    for (int i = 0; i < 4; ++i) {
        const QByteArray path = src + "/f" + QByteArray::number(i);
        fc::write(path, fc::pattern(kFile, i));
        sources.append(fromNative(path));
    }
    ScriptedDialogs dialogs;
    FileOperation copy(dialogs, sources, fromNative(dst), FO_COPY, 0);
    QSemaphore gate;
    copy.setBeforeItem([&gate](const QString &) { gate.acquire(); });
    FileOperationProgress window(copy);
    qint64 now = 0;
    window.setClock([&now] { return now; });
    std::jthread worker([&copy] { copy.run(); });
    // A failed comparison returns early: the copy is let go (the thread is
    // joined as it goes).
    const auto letGo = qScopeGuard([&] {
        if (!worker.joinable())
            return;
        copy.cancel();
        gate.release(8);
    });
    const auto text = [&](const char *name) {
        window.refresh();
        return labelText(&window, name);
    };

    // The totals are counted beside the work: the first item may be entered
    // and held before they are complete.
    QTRY_COMPARE_WITH_TIMEOUT(copy.progress().current, fromNative(src + "/f0"), 60000);
    QTRY_COMPARE_WITH_TIMEOUT(copy.progress().bytesTotal, 4 * kFile, 60000);
    QCOMPARE(text("targetLabel"), QStringLiteral("В папку: ") + fromNative(dst));
    QCOMPARE(text("nameLabel"), QStringLiteral("Объект: f0"));
    QCOMPARE(text("speedLabel"), QStringLiteral("Скорость: ..."));
    QCOMPARE(text("timeLeftLabel"), QStringLiteral("Осталось: ..."));

    gate.release();
    QTRY_COMPARE_WITH_TIMEOUT(copy.progress().current, fromNative(src + "/f1"), 60000);
    now = 1000;
    QCOMPARE(text("speedLabel"), QStringLiteral("Скорость: 256,0 КБ/с"));
    QCOMPARE(text("timeLeftLabel"), QStringLiteral("Осталось: 0:03"));
    QCOMPARE(text("nameLabel"), QStringLiteral("Объект: f1"));

    gate.release();
    QTRY_COMPARE_WITH_TIMEOUT(copy.progress().current, fromNative(src + "/f2"), 60000);
    now = 4000; // slower: two files in four seconds
    QCOMPARE(text("speedLabel"), QStringLiteral("Скорость: 128,0 КБ/с"));
    QCOMPARE(text("timeLeftLabel"), QStringLiteral("Осталось: 0:04"));

    gate.release(2);
    worker.join();
    QCOMPARE(fc::names(dst).size(), 4);
}

// The owner window going away while the progress window shows takes the
// window with it: no double delete, and the operation still finishes whole.
void FileOperationProgressTest::ownerDeletedWhileWindowShowsIsNoDoubleDelete()
{
    TempTree tree;
    const QByteArray src = tree.folder("src").toUtf8();
    const QByteArray dst = tree.folder("dst").toUtf8();
    fc::write(src + "/a", fc::pattern(100000, 3));

    ScriptedDialogs dialogs;
    FileOperation copy(dialogs, {fromNative(src + "/a")}, fromNative(dst), FO_COPY, 0);
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    copy.setBeforeItem([released](const QString &) { released.wait(); });

    auto *owner = new QWidget;
    bool deleted = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        if (deleted || !owner->findChild<FileOperationProgress *>())
            return;
        delete owner;
        deleted = true;
        release.set_value();
    });
    poll.start(20);
    const bool ok = runFileOperation(copy, owner);
    poll.stop();
    if (!deleted) {
        release.set_value();
        delete owner;
    }

    QVERIFY(deleted);
    QVERIFY(ok);
    QCOMPARE(fc::read(dst + "/a"), fc::pattern(100000, 3));
}

// quil-fileop: scripted answers, --cancel-after-bytes, relative paths, empty
// paths refused, result=... last.
void FileOperationProgressTest::toolRunsOperationWithScriptedAnswers()
{
    TempTree tree;
    const QByteArray src = tree.folder("src").toUtf8();
    const QByteArray dst = tree.folder("dst").toUtf8();
    fc::write(src + "/big", fc::pattern(3000000, 3));
    fc::write(dst + "/big", "old");
    const auto run = [&](const QStringList &arguments, int &status) {
        QProcess tool;
        tool.setWorkingDirectory(QString::fromUtf8(src));
        tool.start(QStringLiteral(QUIL_FILEOP_TOOL), arguments);
        tool.waitForFinished(120000);
        status = tool.exitCode();
        return QString::fromUtf8(tool.readAllStandardOutput()).trimmed().split(QLatin1Char('\n')).last();
    };
    int status = -1;
    const QString big = QString::fromUtf8(src + "/big");
    const QString target = QString::fromUtf8(dst);
    QCOMPARE(run({QStringLiteral("copy"), big, QStringLiteral("--to"), target, QStringLiteral("--on-exists"),
                  QStringLiteral("replace"), QStringLiteral("--cancel-after-bytes"), QStringLiteral("100000")},
                 status),
             QStringLiteral("result=failed"));
    QCOMPARE(status, 1);
    QCOMPARE(fc::read(dst + "/big"), QByteArray("old"));
    QCOMPARE(fc::read(src + "/big"), fc::pattern(3000000, 3));
    QVERIFY(fc::temporaries(dst).isEmpty());

    QCOMPARE(run({QStringLiteral("copy"), big, QStringLiteral("--to"), target, QStringLiteral("--on-exists"),
                  QStringLiteral("skip")},
                 status),
             QStringLiteral("result=failed"));
    QCOMPARE(fc::read(dst + "/big"), QByteArray("old"));
    QCOMPARE(run({QStringLiteral("copy"), big, QStringLiteral("--to"), target, QStringLiteral("--on-exists"),
                  QStringLiteral("replace-all")},
                 status),
             QStringLiteral("result=ok"));
    QCOMPARE(status, 0);
    QCOMPARE(fc::read(dst + "/big"), fc::pattern(3000000, 3));
    // Paths relative to the working folder, as a shell user writes them.
    fc::write(src + "/small", "text");
    QCOMPARE(run({QStringLiteral("copy"), QStringLiteral("small"), QStringLiteral("--to"), QStringLiteral("../dst")},
                 status),
             QStringLiteral("result=ok"));
    QCOMPARE(fc::read(dst + "/small"), QByteArray("text"));
    QCOMPARE(run({QStringLiteral("trash"), QStringLiteral("--bogus"), QStringLiteral("x")}, status), QString());
    QCOMPARE(status, 2);
    // An empty argument names no file, never the working folder.
    for (const QStringList &arguments :
         {QStringList{QStringLiteral("delete"), QString()}, QStringList{QStringLiteral("trash"), QString()},
          QStringList{QStringLiteral("move"), QString(), QStringLiteral("--to"), QStringLiteral("../dst")},
          QStringList{QStringLiteral("copy"), QStringLiteral("small"), QStringLiteral("--to"), QString()},
          QStringList{QStringLiteral("rename"), QStringLiteral("small"), QStringLiteral("--to"), QString()}}) {
        QCOMPARE(run(arguments, status), QString());
        QCOMPARE(status, 2);
        QCOMPARE(fc::read(src + "/small"), QByteArray("text"));
    }
    QVERIFY(!fc::exists(dst + "/src"));
}

// An undo is one file operation: its progress window shows, Cancel stops
// it part-way, and what it did not undo is left to be tried again.
void FileOperationProgressTest::undoShowsWindowAndCancelKeepsTheRest()
{
    TempTree tree;
    UndoEntry entry{UndoEntry::Kind::CreateFolder, {}};
    for (int i = 0; i < 20; ++i) {
        const QByteArray made = tree.folder("made" + QByteArray::number(i)).toUtf8();
        entry.items.push_back(UndoItem{{}, made, {}, *ItemIdentity::read(made), {}});
    }
    ScriptedDialogs dialogs;
    // The worker waits at its third item until the test has pressed Cancel.
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    int entered = 0;
    UndoOperation undo(dialogs, [&](FileOperation &operation) {
        operation.setBeforeItem([&entered, released](const QString &) {
            if (++entered == 3)
                released.wait();
        });
        return runFileOperation(operation);
    });
    QString title;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        FileOperationProgress *window = visibleProgressWindow();
        if (!window || !title.isEmpty())
            return;
        title = window->windowTitle();
        window->findChild<QPushButton *>(QStringLiteral("cancelButton"))->click();
        release.set_value();
    });
    poll.start(20);
    const UndoOperation::Result result = undo.undo(entry);
    poll.stop();

    QCOMPARE(title, QStringLiteral("Отмена операции..."));
    QVERIFY(!result.allDone);
    int left = 0;
    for (const UndoItem &item : entry.items)
        left += fc::exists(item.to) ? 1 : 0;
    QVERIFY(left > 0 && left < 20);
    QCOMPARE(int(result.remaining.items.size()), left);
    QVERIFY(UndoOperation(dialogs).undo(result.remaining).allDone);
    QVERIFY(fc::names(tree.rootBytes()).isEmpty());
}

QTEST_MAIN(FileOperationProgressTest)
#include "FileOperationProgressTest.moc"
