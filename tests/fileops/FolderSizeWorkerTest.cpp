#include "fileops/FolderSizeWorker.h"
#include "fileops/TFolderSize.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <QSemaphore>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

using namespace quil;

namespace {

// What the worker's threads said, in the order they said it.
struct Recorder
{
    struct Event
    {
        const TFolderSize *folder;
        bool end;
        int row;
        qint64 total;
    };

    std::mutex mutex;
    std::vector<Event> events;
    QSemaphore ended;

    void listen(FolderSizeWorker &worker)
    {
        QObject::connect(
            &worker, &FolderSizeWorker::WalkEnded, &worker,
            [this](TFolderSize *folder) {
                record({folder, true, -1, 0});
                ended.release();
            },
            Qt::DirectConnection);
    }
    void listen(TFolderSize &folder)
    {
        QObject::connect(
            &folder, &TFolderSize::ReportSize, &folder,
            [this, &folder](int row, qint64 total) {
                record({&folder, false, row, total});
            },
            Qt::DirectConnection);
    }
    void record(const Event &event)
    {
        const std::lock_guard lock(mutex);
        events.push_back(event);
    }
};

// Folders of files of the given size, below name.
qint64 fillFolder(TempTree &tree, const QByteArray &name, int folders, int files, int size)
{
    tree.folder(name);
    for (int f = 0; f < folders; ++f) {
        const QByteArray sub = name + "/s" + QByteArray::number(f);
        tree.folder(sub);
        for (int i = 0; i < files; ++i)
            tree.file(sub + "/f" + QByteArray::number(i), QByteArray(size, 'z'));
    }
    return qint64(folders) * files * size;
}

} // namespace

TEST(FolderSizeWorker, TotalsTheFoldersInTurnEachEndingAfterItsLastExactReport)
{
    TempTree tree;
    const qint64 oneBytes = fillFolder(tree, "one", 30, 40, 700);
    const qint64 twoBytes = fillFolder(tree, "two", 4, 10, 3000);
    tree.folder("hollow");
    tree.folder("hollow/a");
    Recorder recorder;
    // The folders outlive the worker, whose threads name them.
    TFolderSize one(tree.path("one"), 3, 0), hollow(tree.path("hollow"), 4, 0), two(tree.path("two"), 5, 0);
    {
        FolderSizeWorker worker(2);
        recorder.listen(worker);
        for (TFolderSize *folder : {&one, &hollow, &two}) {
            recorder.listen(*folder);
            worker.add(folder);
        }
        ASSERT_TRUE(recorder.ended.tryAcquire(3, 60000));
    }
    const std::vector<Recorder::Event> &events = recorder.events;
    // Each folder's events sit between the previous folder's end and its own.
    std::vector<const TFolderSize *> ends;
    const TFolderSize *walking = &one;
    const TFolderSize *order[] = {&one, &hollow, &two};
    qint64 lastTotal = -1;
    for (const Recorder::Event &event : events) {
        ASSERT_EQ(event.folder, walking) << ends.size();
        if (event.end) {
            ends.push_back(event.folder);
            walking = ends.size() < 3 ? order[ends.size()] : nullptr;
            lastTotal = -1;
            continue;
        }
        EXPECT_EQ(event.row, event.folder->RowIndex);
        EXPECT_GE(event.total, lastTotal);
        lastTotal = event.total;
    }
    ASSERT_EQ(ends, (std::vector<const TFolderSize *>{&one, &hollow, &two}));
    const auto lastReport = [&](const TFolderSize *folder) {
        qint64 total = -1;
        for (const Recorder::Event &event : events)
            if (event.folder == folder && !event.end)
                total = event.total;
        return total;
    };
    EXPECT_EQ(lastReport(&one), oneBytes);
    EXPECT_EQ(lastReport(&hollow), -1); // no files, no report
    EXPECT_EQ(lastReport(&two), twoBytes);
}

TEST(FolderSizeWorker, StopAllEndsTheWalkAndHandsBackTheWaitingFolders)
{
    TempTree tree;
    const qint64 bigBytes = fillFolder(tree, "big", 40, 20, 10);
    const qint64 laterBytes = fillFolder(tree, "later", 2, 3, 100);
    Recorder recorder;
    TFolderSize big(tree.path("big"), 0, 0), later(tree.path("later"), 1, 0);
    recorder.listen(big);
    recorder.listen(later);
    struct Hold
    {
        QSemaphore held, gate;
        std::atomic<int> foldersRead{0};
        std::atomic<bool> open{false};
    };
    auto hold = std::make_shared<Hold>();
    {
        FolderSizeWorker worker(2);
        recorder.listen(worker);
        worker.setFolderRead([hold] {
            ++hold->foldersRead;
            if (!hold->open) {
                hold->held.release();
                hold->gate.acquire();
            }
        });
        worker.add(&big);
        worker.add(&later);
        ASSERT_TRUE(hold->held.tryAcquire(1, 60000));
        EXPECT_EQ(worker.stopAll(), QList<TFolderSize *>{&later});
        hold->open = true;
        hold->gate.release(8);
        ASSERT_TRUE(recorder.ended.tryAcquire(1, 60000));
        // The big folder's walk was stopped, not finished: few of its 41
        // folders were read, and no last report went out.
        EXPECT_LT(hold->foldersRead, 41);
        size_t bigEvents = 0;
        {
            const std::lock_guard lock(recorder.mutex);
            bigEvents = recorder.events.size();
            ASSERT_TRUE(recorder.events.back().end);
            for (const Recorder::Event &event : recorder.events) {
                EXPECT_EQ(event.folder, &big);
                EXPECT_LT(event.total, bigBytes);
            }
        }
        // The worker goes on with folders given afterwards.
        worker.add(&later);
        ASSERT_TRUE(recorder.ended.tryAcquire(1, 60000));
        const std::lock_guard lock(recorder.mutex);
        ASSERT_GE(recorder.events.size(), bigEvents + 2);
        EXPECT_EQ(recorder.events[recorder.events.size() - 2].folder, &later);
        EXPECT_EQ(recorder.events[recorder.events.size() - 2].total, laterBytes);
        EXPECT_TRUE(recorder.events.back().end);
    }
}
