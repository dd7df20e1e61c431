// The undo of file operations on real files, with the real trash: HOME and
// XDG_DATA_HOME point at a temporary folder, set before GIO reads them.

#include "FileCheck.h"

#include "platform/BytePath.h"
#include "platform/NativePath.h"
#include "platform/ScriptedDialogs.h"
#include "platform/fileop/FileOperation.h"
#include "platform/fileop/ShellFileOperation.h"
#include "platform/fileop/UndoJournal.h"
#include "platform/fileop/UndoOperation.h"
#include "platform/fileop/UndoRecorder.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

using namespace quil;
using Kind = ScriptedDialogs::Kind;
namespace fc = filecheck;

using fc::MiB;

namespace {

QByteArray g_home;

QByteArray homeTrash()
{
    return g_home + "/.local/share/Trash";
}

QString q(const QByteArray &path)
{
    return fromNative(path);
}

QStringList qs(const QList<QByteArray> &paths)
{
    QStringList out;
    for (const QByteArray &path : paths)
        out.append(fromNative(path));
    return out;
}

QByteArray folder(TempTree &tree, const QByteArray &name)
{
    return tree.folder(name).toUtf8();
}

// Runs the operation as the windows do, which records it in the session's journal.
bool operate(ScriptedDialogs &dialogs, const QList<QByteArray> &sources, const QByteArray &target, int code,
             int flags = 0)
{
    return ShellFileOperation(dialogs, qs(sources), q(target), code, flags);
}

UndoEntry takeNewest()
{
    std::optional<UndoEntry> entry = UndoJournal::session().takeNewest();
    EXPECT_TRUE(entry.has_value());
    return entry ? *entry : UndoEntry{};
}

QList<ScriptedDialogs::Shown> messages(const ScriptedDialogs &dialogs)
{
    QList<ScriptedDialogs::Shown> out;
    for (const ScriptedDialogs::Shown &shown : dialogs.shown())
        if (shown.kind == Kind::Message)
            out.append(shown);
    return out;
}

class Undo : public ::testing::Test
{
protected:
    void SetUp() override { UndoJournal::session().clear(); }
    void TearDown() override { UndoJournal::session().clear(); }
};

} // namespace

// Each kind of operation is journalled with its items and undone: the copy
// to the trash, the move back, the trashed items restored with their
// .trashinfo gone, the rename to the old name, the made folder removed.
TEST_F(Undo, EachKindIsUndone)
{
    TempTree tree;
    const fc::ContentsRemover remover{tree.rootBytes()};
    const QByteArray src = folder(tree, "src");
    const QByteArray dst = folder(tree, "dst");
    folder(tree, "src/sub");
    fc::write(src + "/a.txt", "alpha");
    fc::write(src + "/sub/b", fc::pattern(100000, 2));
    const QList<QByteArray> before = fc::snapshot(tree.rootBytes());
    ScriptedDialogs dialogs;
    UndoOperation undo(dialogs);

    // Copy: the copies go to the trash, the sources stay.
    ASSERT_TRUE(operate(dialogs, {src + "/a.txt", src + "/sub"}, dst, FO_COPY));
    ASSERT_EQ(UndoJournal::session().size(), 1);
    UndoEntry entry = takeNewest();
    EXPECT_EQ(entry.kind, UndoEntry::Kind::Copy);
    EXPECT_EQ(UndoOperation::question(entry), QStringLiteral("Отменить: копирование 2 объект(ов)?"));
    EXPECT_TRUE(undo.undo(entry).allDone);
    EXPECT_EQ(fc::snapshot(tree.rootBytes()), before);
    EXPECT_EQ(fc::read(homeTrash() + "/files/sub/b"), fc::pattern(100000, 2));

    // Move: back to where they were.
    ASSERT_TRUE(operate(dialogs, {src + "/a.txt", src + "/sub"}, dst, FO_MOVE));
    EXPECT_FALSE(fc::exists(src + "/a.txt"));
    entry = takeNewest();
    EXPECT_EQ(entry.describe(), QStringLiteral("перемещение 2 объект(ов)"));
    EXPECT_TRUE(undo.undo(entry).allDone);
    EXPECT_EQ(fc::snapshot(tree.rootBytes()), before);

    // Trash: restored, and the trash keeps no .trashinfo of them.
    ASSERT_TRUE(operate(dialogs, {src + "/a.txt", src + "/sub"}, {}, FO_DELETE, FOF_ALLOWUNDO));
    EXPECT_FALSE(fc::exists(src + "/a.txt"));
    entry = takeNewest();
    ASSERT_EQ(entry.items.size(), 2u);
    for (const UndoItem &item : entry.items)
        EXPECT_TRUE(fc::exists(item.trashInfo)) << item.trashInfo.constData();
    EXPECT_TRUE(undo.undo(entry).allDone);
    EXPECT_EQ(fc::snapshot(tree.rootBytes()), before);
    for (const UndoItem &item : entry.items) {
        EXPECT_FALSE(fc::exists(item.trashInfo));
        EXPECT_FALSE(fc::exists(item.to));
    }

    // Rename: the old name again.
    ASSERT_EQ(ShellRename(dialogs, q(src + "/a.txt"), q(src + "/renamed.txt")), 0);
    entry = takeNewest();
    EXPECT_EQ(entry.kind, UndoEntry::Kind::Rename);
    EXPECT_TRUE(undo.undo(entry).allDone);
    EXPECT_EQ(fc::snapshot(tree.rootBytes()), before);

    // A made folder goes while empty.
    ASSERT_EQ(::mkdir((dst + "/new").constData(), 0777), 0);
    UndoJournal::session().recordCreatedFolder(dst + "/new");
    entry = takeNewest();
    EXPECT_EQ(entry.describe(), QStringLiteral("создание папки 1 объект(ов)"));
    EXPECT_TRUE(undo.undo(entry).allDone);
    EXPECT_EQ(fc::snapshot(tree.rootBytes()), before);
    EXPECT_TRUE(messages(dialogs).isEmpty());
}

// A move across volumes (a tmpfs) goes back across them, copied and then removed.
TEST_F(Undo, MoveAcrossVolumesGoesBack)
{
    TempTree tree;
    const fc::ContentsRemover remover{tree.rootBytes()};
    TmpfsMount volume(tree.path("volume"), 8 * MiB);
    if (!volume.mounted())
        GTEST_SKIP() << "tmpfs cannot be mounted here";
    const QByteArray src = folder(tree, "src");
    folder(tree, "src/sub");
    fc::write(src + "/f", fc::pattern(MiB, 1));
    fc::write(src + "/sub/g", fc::pattern(MiB / 2, 2));
    const QList<QByteArray> before = fc::snapshot(src);
    ScriptedDialogs dialogs;
    ASSERT_TRUE(operate(dialogs, {src + "/f", src + "/sub"}, volume.path().toUtf8(), FO_MOVE));
    EXPECT_FALSE(fc::exists(src + "/sub"));
    const UndoEntry entry = takeNewest();
    ASSERT_EQ(entry.items.size(), 2u);
    EXPECT_TRUE(UndoOperation(dialogs).undo(entry).allDone);
    EXPECT_EQ(fc::snapshot(src), before);
    EXPECT_TRUE(fc::names(volume.path().toUtf8()).isEmpty());
}

// A file that a copy or move replaced goes to the trash, and the undo brings
// it back to its place; one that cannot be trashed (a volume GIO keeps no
// trash for) is named by the undo's question as one that will not come back.
TEST_F(Undo, ReplacedFilesComeBackOrAreNamedAsLost)
{
    for (const int code : {FO_COPY, FO_MOVE}) {
        SCOPED_TRACE(code);
        TempTree tree;
        const fc::ContentsRemover remover{tree.rootBytes()};
        const QByteArray src = folder(tree, "src");
        const QByteArray dst = folder(tree, "dst");
        fc::write(src + "/a", "new");
        fc::write(dst + "/a", "old");
        ScriptedDialogs dialogs;
        dialogs.answerTargetExists(Dialogs::TargetExistsAnswer::Replace);
        ASSERT_TRUE(operate(dialogs, {src + "/a"}, dst, code));
        EXPECT_EQ(fc::read(dst + "/a"), "new");
        const UndoEntry entry = takeNewest();
        ASSERT_EQ(entry.replaced.size(), 1u);
        EXPECT_TRUE(entry.lost.empty());
        EXPECT_EQ(fc::read(entry.replaced.front().to), "old");
        EXPECT_FALSE(UndoOperation::question(entry).contains(QStringLiteral("не вернутся")));
        EXPECT_TRUE(UndoOperation(dialogs).undo(entry).allDone);
        EXPECT_EQ(fc::read(dst + "/a"), "old");
        EXPECT_EQ(fc::read(src + "/a"), "new");
        EXPECT_FALSE(fc::exists(entry.replaced.front().to));
        EXPECT_FALSE(fc::exists(entry.replaced.front().trashInfo));
    }

    TempTree tree;
    const fc::ContentsRemover remover{tree.rootBytes()};
    TmpfsMount volume(tree.path("volume"));
    if (!volume.mounted())
        GTEST_SKIP() << "tmpfs cannot be mounted here";
    const QByteArray src = folder(tree, "src");
    const QByteArray target = volume.path().toUtf8() + "/a";
    fc::write(src + "/a", "new");
    fc::write(target, "old");
    ScriptedDialogs dialogs;
    dialogs.answerTargetExists(Dialogs::TargetExistsAnswer::Replace);
    ASSERT_TRUE(operate(dialogs, {src + "/a"}, volume.path().toUtf8(), FO_COPY));
    EXPECT_EQ(fc::read(target), "new");
    const UndoEntry entry = takeNewest();
    EXPECT_TRUE(entry.replaced.empty());
    EXPECT_EQ(entry.lost, std::vector<QByteArray>{target});
    const QString question = UndoOperation::question(entry);
    EXPECT_TRUE(question.startsWith(QStringLiteral("Отменить: копирование 1 объект(ов)?\r\n")));
    EXPECT_TRUE(question.contains(QStringLiteral("не вернутся")));
    EXPECT_TRUE(question.contains(q(target)));
}

// Items changed since the operation are left alone and listed; the rest is
// undone; nothing at an old place is replaced.
TEST_F(Undo, ChangedItemsAreLeftAloneAndListed)
{
    TempTree tree;
    const fc::ContentsRemover remover{tree.rootBytes()};
    const QByteArray src = folder(tree, "src");
    const QByteArray dst = folder(tree, "dst");
    fc::write(src + "/one", "1");
    fc::write(src + "/two", "2");
    ScriptedDialogs dialogs;
    UndoOperation undo(dialogs);

    // Copy: one copy grew since: it stays, the other goes.
    ASSERT_TRUE(operate(dialogs, {src + "/one", src + "/two"}, dst, FO_COPY));
    fc::write(dst + "/two", "22");
    UndoOperation::Result result = undo.undo(takeNewest());
    EXPECT_FALSE(result.allDone);
    EXPECT_EQ(result.leftAlone, QStringList{q(dst + "/two")});
    EXPECT_FALSE(fc::exists(dst + "/one"));
    EXPECT_EQ(fc::read(dst + "/two"), "22");
    ASSERT_EQ(messages(dialogs).size(), 1);
    EXPECT_TRUE(messages(dialogs).front().text.contains(q(dst + "/two")));
    ::unlink((dst + "/two").constData());

    // Move: the old place of one was taken meanwhile: that one stays moved.
    ASSERT_TRUE(operate(dialogs, {src + "/one", src + "/two"}, dst, FO_MOVE));
    fc::write(src + "/one", "new one");
    result = undo.undo(takeNewest());
    EXPECT_EQ(result.leftAlone, QStringList{q(src + "/one")});
    EXPECT_EQ(fc::read(src + "/one"), "new one");
    EXPECT_EQ(fc::read(dst + "/one"), "1");
    EXPECT_EQ(fc::read(src + "/two"), "2");

    // Rename: the moved item was replaced by another file: refused.
    ASSERT_EQ(ShellRename(dialogs, q(src + "/two"), q(src + "/three")), 0);
    ::unlink((src + "/three").constData());
    fc::write(src + "/three", "other file");
    result = undo.undo(takeNewest());
    EXPECT_FALSE(result.allDone);
    EXPECT_FALSE(fc::exists(src + "/two"));

    // Trash: the old name is taken: the item stays in the trash with its .trashinfo.
    ASSERT_TRUE(operate(dialogs, {src + "/three"}, {}, FO_DELETE, FOF_ALLOWUNDO));
    const UndoEntry trashed = takeNewest();
    ASSERT_EQ(trashed.items.size(), 1u);
    fc::write(src + "/three", "other");
    result = undo.undo(trashed);
    EXPECT_EQ(result.leftAlone, QStringList{q(src + "/three")});
    EXPECT_EQ(fc::read(src + "/three"), "other");
    EXPECT_TRUE(fc::exists(trashed.items.front().to));
    EXPECT_TRUE(fc::exists(trashed.items.front().trashInfo));

    // A made folder that holds something now stays.
    ASSERT_EQ(::mkdir((dst + "/made").constData(), 0777), 0);
    UndoJournal::session().recordCreatedFolder(dst + "/made");
    fc::write(dst + "/made/kept", "k");
    result = undo.undo(takeNewest());
    EXPECT_EQ(result.leftAlone, QStringList{q(dst + "/made")});
    EXPECT_EQ(fc::read(dst + "/made/kept"), "k");
}

// A cancelled copy journals only what it made; its undo removes that and
// leaves what was in the target before.
TEST_F(Undo, CancelledCopyUndoesOnlyWhatWasMade)
{
    TempTree tree;
    const fc::ContentsRemover remover{tree.rootBytes()};
    const QByteArray src = folder(tree, "src");
    const QByteArray dst = folder(tree, "dst");
    folder(tree, "src/big");
    folder(tree, "dst/big");
    fc::write(dst + "/big/theirs", "was here");
    for (int i = 0; i < 6; ++i)
        fc::write(src + "/big/f" + QByteArray::number(i), fc::pattern(MiB, i));
    const QList<QByteArray> before = fc::snapshot(dst);
    ScriptedDialogs dialogs;
    FileOperation copy(dialogs, {q(src + "/big")}, q(dst), FO_COPY, FOF_ALLOWUNDO);
    UndoRecorder recorder(copy, FO_COPY, FOF_ALLOWUNDO);
    copy.setCancelAfterBytes(2 * MiB + 1);
    EXPECT_FALSE(copy.run());
    const UndoEntry entry = recorder.entry();
    // Merged into the folder that was there: the files it finished, one by one.
    ASSERT_FALSE(entry.items.empty());
    EXPECT_LT(entry.items.size(), 6u);
    for (const UndoItem &item : entry.items)
        EXPECT_TRUE(item.to.startsWith(dst + "/big/f")) << item.to.constData();
    EXPECT_NE(fc::snapshot(dst), before);
    EXPECT_TRUE(UndoOperation(dialogs).undo(entry).allDone);
    EXPECT_EQ(fc::snapshot(dst), before);

    // Into a folder it made: that folder, with the part that was copied, as one item.
    const QByteArray fresh = folder(tree, "fresh");
    FileOperation second(dialogs, {q(src + "/big")}, q(fresh), FO_COPY, FOF_ALLOWUNDO);
    UndoRecorder secondRecorder(second, FO_COPY, FOF_ALLOWUNDO);
    second.setCancelAfterBytes(2 * MiB + 1);
    EXPECT_FALSE(second.run());
    const UndoEntry made = secondRecorder.entry();
    ASSERT_EQ(made.items.size(), 1u);
    EXPECT_EQ(made.items.front().to, fresh + "/big");
    EXPECT_TRUE(UndoOperation(dialogs).undo(made).allDone);
    EXPECT_TRUE(fc::names(fresh).isEmpty());
}

// The journal keeps this run's operations newest first, leaves out
// permanent deletes, and undoing them in turn brings the tree back.
TEST_F(Undo, JournalAcrossSeveralOperations)
{
    TempTree tree;
    const fc::ContentsRemover remover{tree.rootBytes()};
    const QByteArray src = folder(tree, "src");
    const QByteArray dst = folder(tree, "dst");
    fc::write(src + "/a", "a");
    fc::write(src + "/b", "b");
    fc::write(src + "/gone", "g");
    ScriptedDialogs dialogs;
    ASSERT_TRUE(operate(dialogs, {src + "/gone"}, {}, FO_DELETE, FOF_MULTIDESTFILES));
    EXPECT_EQ(UndoJournal::session().size(), 0);
    const QList<QByteArray> before = fc::snapshot(tree.rootBytes());

    ASSERT_TRUE(operate(dialogs, {src + "/a"}, dst, FO_COPY));
    ASSERT_EQ(ShellRename(dialogs, q(dst + "/a"), q(dst + "/a2")), 0);
    ASSERT_TRUE(operate(dialogs, {src + "/b"}, dst, FO_MOVE));
    ASSERT_TRUE(operate(dialogs, {dst + "/b", dst + "/a2"}, {}, FO_DELETE, FOF_ALLOWUNDO));
    const UndoJournal &journal = UndoJournal::session();
    ASSERT_EQ(journal.size(), 4);
    EXPECT_EQ(journal.at(0).kind, UndoEntry::Kind::Trash);
    EXPECT_EQ(journal.at(1).kind, UndoEntry::Kind::Move);
    EXPECT_EQ(journal.at(2).kind, UndoEntry::Kind::Rename);
    EXPECT_EQ(journal.at(3).kind, UndoEntry::Kind::Copy);

    UndoOperation undo(dialogs);
    while (journal.newest())
        EXPECT_TRUE(undo.undo(takeNewest()).allDone);
    EXPECT_EQ(fc::snapshot(tree.rootBytes()), before);
    EXPECT_TRUE(messages(dialogs).isEmpty());
}

// Hard links share one inode: each trashed name is restored from its own
// entry (names of one item: "x", then "x.2"), never from a sibling's.
TEST_F(Undo, TrashOfHardLinksRestoresEachFromItsOwnEntry)
{
    TempTree tree;
    const fc::ContentsRemover remover{tree.rootBytes()};
    const QByteArray src = folder(tree, "src");
    const QByteArray other = folder(tree, "other");
    fc::write(src + "/x", "shared");
    QList<QByteArray> names{src + "/x", other + "/x"};
    for (const char *name : {"/l1", "/l2", "/l3", "/l4"})
        names.append(src + name);
    for (const QByteArray &name : names.mid(1))
        ASSERT_EQ(::link((src + "/x").constData(), name.constData()), 0);
    const QList<QByteArray> before = fc::snapshot(tree.rootBytes());
    ScriptedDialogs dialogs;
    // One operation per name: each looks for its entry among its siblings'.
    for (const QByteArray &name : names)
        ASSERT_TRUE(operate(dialogs, {name}, {}, FO_DELETE, FOF_ALLOWUNDO));
    ASSERT_EQ(UndoJournal::session().size(), names.size());
    for (int i = 0; i < names.size(); ++i) {
        const UndoItem &item = UndoJournal::session().at(int(names.size()) - 1 - i).items.at(0);
        const QByteArray expected = i == 1 ? QByteArray("x.2") : bytepath::fileName(names[i]);
        EXPECT_EQ(item.to, homeTrash() + "/files/" + expected);
        EXPECT_EQ(item.trashInfo, homeTrash() + "/info/" + expected + ".trashinfo");
    }
    UndoOperation undo(dialogs);
    while (UndoJournal::session().newest())
        EXPECT_TRUE(undo.undo(takeNewest()).allDone);
    EXPECT_EQ(fc::snapshot(tree.rootBytes()), before);
    for (const QByteArray name : {"x", "x.2", "l1", "l2", "l3", "l4"}) {
        EXPECT_FALSE(fc::exists(homeTrash() + "/files/" + name)) << name.constData();
        EXPECT_FALSE(fc::exists(homeTrash() + "/info/" + name + ".trashinfo")) << name.constData();
    }
    EXPECT_TRUE(messages(dialogs).isEmpty());
}

// A move and a trash done in a folder reached through a link are undone
// into that folder, as the operation saw it.
TEST_F(Undo, FolderReachedThroughLinkIsUndone)
{
    TempTree tree;
    const fc::ContentsRemover remover{tree.rootBytes()};
    folder(tree, "real");
    const QByteArray dst = folder(tree, "dst");
    const QByteArray via = tree.symlink("real", "via").toUtf8();
    fc::write(via + "/a", "a");
    fc::write(via + "/b", "b");
    const QList<QByteArray> before = fc::snapshot(tree.rootBytes());
    ScriptedDialogs dialogs;
    UndoOperation undo(dialogs);
    ASSERT_TRUE(operate(dialogs, {via + "/a"}, dst, FO_MOVE));
    EXPECT_TRUE(undo.undo(takeNewest()).allDone);
    ASSERT_TRUE(operate(dialogs, {via + "/b"}, {}, FO_DELETE, FOF_ALLOWUNDO));
    EXPECT_TRUE(undo.undo(takeNewest()).allDone);
    EXPECT_EQ(fc::snapshot(tree.rootBytes()), before);
    EXPECT_TRUE(messages(dialogs).isEmpty());
}

// An undo that did nothing keeps its entry; one cancelled part-way keeps
// the items it has not undone; either can be tried again.
TEST_F(Undo, WhatIsNotUndoneCanBeTriedAgain)
{
    TempTree tree;
    const fc::ContentsRemover remover{tree.rootBytes()};
    const QByteArray src = folder(tree, "src");
    const QByteArray dst = folder(tree, "dst");
    QList<QByteArray> files;
    for (int i = 0; i < 6; ++i) {
        files.append(src + "/f" + QByteArray::number(i));
        fc::write(files.back(), QByteArray::number(i));
    }
    const QList<QByteArray> before = fc::snapshot(src);
    ScriptedDialogs dialogs;

    // Nothing done: the old place is taken.
    ASSERT_TRUE(operate(dialogs, {files[0]}, dst, FO_MOVE));
    fc::write(files[0], "in the way");
    UndoOperation::Result result = UndoOperation(dialogs).undo(takeNewest());
    EXPECT_FALSE(result.allDone);
    ASSERT_EQ(result.remaining.items.size(), 1u);
    ::unlink(files[0].constData());
    EXPECT_TRUE(UndoOperation(dialogs).undo(result.remaining).allDone);
    EXPECT_EQ(fc::read(files[0]), "0");

    // Cancelled at the third item.
    ASSERT_TRUE(operate(dialogs, files, {}, FO_DELETE, FOF_ALLOWUNDO));
    int entered = 0;
    UndoOperation cancelling(dialogs, [&](FileOperation &operation) {
        operation.setBeforeItem([&](const QString &) {
            if (++entered == 3)
                operation.cancel();
        });
        return operation.run();
    });
    const UndoEntry trashed = takeNewest();
    result = cancelling.undo(trashed);
    EXPECT_FALSE(result.allDone);
    ASSERT_FALSE(result.remaining.items.empty());
    EXPECT_LT(result.remaining.items.size(), files.size());
    for (const UndoItem &item : result.remaining.items)
        EXPECT_FALSE(fc::exists(item.from)) << item.from.constData();
    EXPECT_EQ(fc::names(src).size() + result.remaining.items.size(), files.size());
    EXPECT_TRUE(UndoOperation(dialogs).undo(result.remaining).allDone);
    EXPECT_EQ(fc::snapshot(src), before);
    for (const UndoItem &item : trashed.items)
        EXPECT_FALSE(fc::exists(item.to) || fc::exists(item.trashInfo)) << item.to.constData();
}

// The undo of a folder copy removes only what is still as the copy left
// it: a file edited and a file added inside stay, with the folders that
// hold them, and are listed; an untouched copied folder goes whole.
TEST_F(Undo, CopiedFolderKeepsLaterWorkInside)
{
    TempTree tree;
    const fc::ContentsRemover remover{tree.rootBytes()};
    const QByteArray src = folder(tree, "src");
    const QByteArray dst = folder(tree, "dst");
    folder(tree, "src/top");
    folder(tree, "src/top/sub");
    folder(tree, "src/top/old");
    folder(tree, "src/untouched");
    fc::write(src + "/top/sub/edited", "1");
    fc::write(src + "/top/sub/same", "2");
    fc::write(src + "/top/old/f", "3");
    fc::write(src + "/top/g", "4");
    fc::write(src + "/untouched/h", "5");
    ScriptedDialogs dialogs;
    ASSERT_TRUE(operate(dialogs, {src + "/top", src + "/untouched"}, dst, FO_COPY));
    fc::write(dst + "/top/sub/edited", "edited later");
    fc::write(dst + "/top/sub/added", "new work");

    const UndoOperation::Result result = UndoOperation(dialogs).undo(takeNewest());
    EXPECT_FALSE(result.allDone);
    QStringList leftAlone = result.leftAlone;
    leftAlone.sort();
    EXPECT_EQ(leftAlone, (QStringList{q(dst + "/top/sub/added"), q(dst + "/top/sub/edited")}));
    EXPECT_EQ(fc::names(dst), QList<QByteArray>{"top"});
    EXPECT_EQ(fc::names(dst + "/top"), QList<QByteArray>{"sub"});
    EXPECT_EQ(fc::names(dst + "/top/sub"), (QList<QByteArray>{"added", "edited"}));
    EXPECT_EQ(fc::read(dst + "/top/sub/edited"), "edited later");
    EXPECT_EQ(fc::read(homeTrash() + "/files/untouched/h"), "5");
    EXPECT_EQ(fc::read(homeTrash() + "/files/old/f"), "3");
    ASSERT_EQ(messages(dialogs).size(), 1);
    EXPECT_TRUE(messages(dialogs).front().text.contains(q(dst + "/top/sub/added")));
    // Nothing of it is offered again: what is left is the user's.
    EXPECT_TRUE(result.remaining.items.empty());
}

int main(int argc, char **argv)
{
    // Before any GIO call: GIO reads these once per process.
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/quil-home-XXXXXX"));
    if (!home.isValid())
        return 1;
    g_home = home.path().toUtf8();
    ::setenv("HOME", g_home.constData(), 1);
    ::setenv("XDG_DATA_HOME", (g_home + "/.local/share").constData(), 1);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
