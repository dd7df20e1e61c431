#include "SearchTestSupport.h"
#include "platform/NativePath.h"
#include "support/TempTree.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <climits>
#include <fcntl.h>
#include <stop_token>
#include <sys/stat.h>
#include <unistd.h>

using quil::FileSearch;
using quil::SearchEnd;
using quil::SearchRequest;

namespace {

class FileSearchTest : public ::testing::Test
{
protected:
    FileSearchTest()
    {
        char buffer[PATH_MAX];
        if (::getcwd(buffer, sizeof buffer))
            m_cwd = buffer;
    }
    // The search moves the process into its root.
    ~FileSearchTest() override
    {
        if (!m_cwd.isEmpty() && ::chdir(m_cwd.constData()) != 0)
            ADD_FAILURE() << "cannot return to " << m_cwd.constData();
    }

    SearchRequest request(const QString &name = QStringLiteral("*"), const QString &extension = QStringLiteral("*"),
                          bool subfolders = false) const
    {
        SearchRequest r;
        r.rootFolder = tree.root();
        r.name = name;
        r.extension = extension;
        r.subfolders = subfolders;
        return r;
    }
    SearchRequest textRequest(const QString &text, bool dos = false) const
    {
        SearchRequest r = request(QStringLiteral("*"), QStringLiteral("*"), true);
        r.withText = true;
        r.text = text;
        r.dos = dos;
        return r;
    }
    // Runs one search; the found paths relative to the tree's root.
    QStringList run(const SearchRequest &r)
    {
        observer = std::make_unique<RecordingObserver>();
        search = std::make_unique<FileSearch>(*observer);
        end = search->start(r);
        QStringList relative;
        for (const QString &path : search->FoundList())
            relative.append(path.startsWith(tree.root() + QLatin1Char('/')) ? path.mid(tree.root().size() + 1) : path);
        return relative;
    }
    static QStringList sorted(QStringList list)
    {
        list.sort();
        return list;
    }

    TempTree tree;
    std::unique_ptr<RecordingObserver> observer;
    std::unique_ptr<FileSearch> search;
    SearchEnd end = SearchEnd::AlreadyRunning;

private:
    QByteArray m_cwd;
};

TEST_F(FileSearchTest, MasksOfNameAndExtension)
{
    for (const char *file : {"abc", "abc.txt", "abcd.txt", "x.txt", "X.TXT", "noext", "a.b.txt", ".hidden", "read.me"})
        tree.file(file, "data");
    tree.folder("dir.txt");
    tree.folder("sub");
    tree.file("sub/deep.txt", "data"); // without subfolders never seen

    struct Case
    {
        const char *name;
        const char *extension;
        QStringList expected;
    } cases[] = {
        // "*.*" takes every entry, hidden ones and folders included, never "." and "..".
        {"*",
         "*",
         {".hidden", "X.TXT", "a.b.txt", "abc", "abc.txt", "abcd.txt", "dir.txt", "noext", "read.me", "sub", "x.txt"}},
        {"abc", "*", {"abc", "abc.txt"}},
        {"*", "txt", {"X.TXT", "a.b.txt", "abc.txt", "abcd.txt", "dir.txt", "x.txt"}},
        {"*", "TxT", {"X.TXT", "a.b.txt", "abc.txt", "abcd.txt", "dir.txt", "x.txt"}},
        // An empty extension: the names without one.
        {"*", "", {"abc", "noext", "sub"}},
        {"?", "txt", {"X.TXT", "x.txt"}},
        {"  abc\t", " * ", {"abc", "abc.txt"}}, // fields are trimmed
        {"nothing", "*", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.name) + "." + c.extension);
        EXPECT_EQ(sorted(run(request(QString::fromUtf8(c.name), QString::fromUtf8(c.extension)))), c.expected);
        EXPECT_EQ(end, SearchEnd::Finished);
    }
}

// Regression: entries that failed the mask skipped the pending messages, so a
// large folder without a match left the window (and its Stop button) frozen.
TEST_F(FileSearchTest, EveryEntryLetsPendingMessagesThrough)
{
    for (int i = 0; i < 200; ++i)
        tree.file("file" + QByteArray::number(i) + ".dat", "x");
    for (const auto &[name, extension] : {std::pair{"*", "none"}, std::pair{"*zzz", "*"}}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(run(request(QString::fromUtf8(name), QString::fromUtf8(extension))).isEmpty());
        EXPECT_GE(observer->pendingCalls, 200);
    }
}

TEST_F(FileSearchTest, FragmentMode)
{
    tree.folder("projzqabc");
    tree.file("projzqabc/one.txt", "1");
    tree.file("projzqabc/two.doc", "2");
    tree.folder("other");
    tree.file("other/zqabc.txt", "3");
    tree.file("other/xzqabc.txt", "4");
    tree.file("other/plain.txt", "5");
    tree.folder("Latinfold");
    tree.file("Latinfold/l.txt", "6");
    tree.folder("Папкаqz");
    tree.file("Папкаqz/p.txt", "7");

    struct Case
    {
        const char *name;
        const char *extension;
        QStringList expected;
    } cases[] = {
        // The fragment is looked for in the whole path, folder names included.
        {"*zqabc", "txt", {"other/xzqabc.txt", "other/zqabc.txt", "projzqabc/one.txt"}},
        // Only the path less the length of the extension takes part: "one.t" holds no "xt".
        {"*zqabc.t", "txt", {}},
        {"*ONE.", "txt", {"projzqabc/one.txt"}},
        // "*" after the first character is a plain character, which no path holds.
        {"*zqabc*", "txt", {}},
        // An empty fragment is never found.
        {"* ", "txt", {}},
        // A leading blank: no fragment mode, the mask is "*zqabc.txt".
        {" *zqabc", "txt", {"other/xzqabc.txt", "other/zqabc.txt"}},
        // Latin letters in either case, Cyrillic ones only in their own case.
        {"*LATINFOLD", "txt", {"Latinfold/l.txt"}},
        {"*latinfold", "txt", {"Latinfold/l.txt"}},
        {"*Папкаqz", "txt", {"Папкаqz/p.txt"}},
        {"*папкаQZ", "txt", {}},
        {"*ПАПКАqz", "txt", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(sorted(run(request(QString::fromUtf8(c.name), QString::fromUtf8(c.extension), true))), c.expected);
    }
}

TEST_F(FileSearchTest, FolderOrderIsReversedDepthFirst)
{
    for (const char *folder : {"A", "B", "A/A1", "A/A2", "A/A1/deep"})
        tree.folder(folder);
    for (const char *file : {"r.txt", "A/a.txt", "B/b.txt", "A/A1/a1.txt", "A/A2/a2.txt", "A/A1/deep/d.txt"})
        tree.file(file, "x");

    // Every folder's subfolders in the reverse of the order the file system lists them.
    QStringList expected;
    std::function<void(const QByteArray &)> visit = [&](const QByteArray &relative) {
        const QByteArray full = relative.isEmpty() ? tree.rootBytes() : tree.rootBytes() + '/' + relative;
        QList<QByteArray> subfolders;
        for (const QByteArray &name : listingOrder(full)) {
            const QByteArray child = relative.isEmpty() ? name : relative + '/' + name;
            struct stat st;
            if (::stat((tree.rootBytes() + '/' + child).constData(), &st) == 0 && S_ISDIR(st.st_mode))
                subfolders.prepend(child);
            else
                expected.append(QString::fromUtf8(child));
        }
        for (const QByteArray &child : subfolders)
            visit(child);
    };
    visit({});
    EXPECT_EQ(run(request(QStringLiteral("*"), QStringLiteral("txt"), true)), expected);
    EXPECT_EQ(observer->foldersToSearch.last(), 6);
    EXPECT_EQ(observer->foldersDone.last(), 6);
    EXPECT_EQ(search->FoundCount(), 6);
    EXPECT_EQ(observer->foundCounts, (QList<qsizetype>{0, 1, 2, 3, 4, 5, 6}));
}

TEST_F(FileSearchTest, HiddenSubfoldersAreReportedButNotEntered)
{
    tree.folder(".secret");
    tree.file(".secret/inner.txt", "x");
    tree.file(".dotfile", "x");
    tree.folder("open");
    tree.file("open/.hidden.txt", "x");
    EXPECT_EQ(sorted(run(request(QStringLiteral("*"), QStringLiteral("*"), true))),
              (QStringList{".dotfile", ".secret", "open", "open/.hidden.txt"}));
    EXPECT_EQ(observer->foldersDone.last(), 2);

    // The root is searched even when hidden.
    SearchRequest r = request();
    r.rootFolder = tree.path(".secret");
    EXPECT_EQ(run(r), QStringList{".secret/inner.txt"});
}

TEST_F(FileSearchTest, CountersAndClosingMessages)
{
    tree.folder("sub");
    tree.file("a.txt", "x");
    tree.file("sub/b.txt", "x");

    run(request(QStringLiteral("*"), QStringLiteral("txt")));
    // Without subfolders "folder 1 of 1" from start to end.
    EXPECT_EQ(observer->foldersToSearch, QList<qsizetype>{1});
    EXPECT_EQ(observer->foldersDone, (QList<qsizetype>{0, 1}));
    EXPECT_EQ(observer->started, 1);
    EXPECT_EQ(observer->ended, QList<SearchEnd>{SearchEnd::Finished});
    // The result list is filled before the closing message.
    EXPECT_EQ(observer->messagesBeforeEnd, 0);
    ASSERT_EQ(observer->dialogs.shown().size(), 1);
    EXPECT_EQ(observer->dialogs.shown().front().text, QStringLiteral("Поиск успешен! Выбери то, что нужно."));
    EXPECT_EQ(observer->matches, search->FoundList());

    EXPECT_EQ(run(request(QStringLiteral("none"), QStringLiteral("zz"))), QStringList{});
    EXPECT_EQ(observer->dialogs.messages(), QStringList{QStringLiteral("К сожалению, ничего не найдено...")});
}

TEST_F(FileSearchTest, RootForms)
{
    tree.folder("dir");
    tree.file("dir/f.txt", "x");
    const QStringList expected{QStringLiteral("dir/f.txt")};
    for (const QString &root : {tree.path("dir"), tree.path("dir/"), tree.path("dir//"),
                                QStringLiteral("  ") + tree.path("dir/") + QStringLiteral("\t")}) {
        SCOPED_TRACE(root.toStdString());
        SearchRequest r = request();
        r.rootFolder = root;
        EXPECT_EQ(run(r), expected);
    }
    // The root becomes the current folder and stays so.
    EXPECT_EQ(QDir::currentPath(), QFileInfo(tree.path("dir")).canonicalFilePath());

    // A relative root is taken from the current folder; the results name their files.
    ASSERT_EQ(::chdir(tree.rootBytes().constData()), 0);
    SearchRequest r = request();
    r.rootFolder = QStringLiteral("dir");
    EXPECT_EQ(run(r), expected);
    EXPECT_TRUE(search->FoundList().front().startsWith(QLatin1Char('/')));
}

TEST_F(FileSearchTest, RootOfTheFileSystem)
{
    // "/" searches the root folder, and its results read "/" and the name.
    for (const QString &root : {QStringLiteral("/"), QStringLiteral(" / ")}) {
        SearchRequest r = request(QStringLiteral("tmp"), QString());
        r.rootFolder = root;
        EXPECT_EQ(run(r), QStringList{QStringLiteral("/tmp")});
        EXPECT_EQ(QDir::currentPath(), QStringLiteral("/"));
    }
}

TEST_F(FileSearchTest, EarlyEnds)
{
    for (const QString &root : {QString(), QStringLiteral(" \t\r\n")}) {
        SearchRequest r = request();
        r.rootFolder = root;
        run(r);
        EXPECT_EQ(end, SearchEnd::EmptyRoot);
        EXPECT_TRUE(observer->dialogs.shown().isEmpty());
        EXPECT_EQ(observer->ended, QList<SearchEnd>{SearchEnd::EmptyRoot});
    }
    tree.file("plain", "x");
    for (const QString &root : {tree.path("missing"), tree.path("plain")}) {
        SearchRequest r = request();
        r.rootFolder = root;
        run(r);
        EXPECT_EQ(end, SearchEnd::MissingRoot);
        ASSERT_EQ(observer->dialogs.shown().size(), 1); // no closing message after it
        EXPECT_EQ(observer->dialogs.shown().front().text, QStringLiteral("Выбранной папки не существует."));
        EXPECT_EQ(observer->dialogs.shown().front().title, QStringLiteral("Error"));
        EXPECT_EQ(observer->ended, QList<SearchEnd>{SearchEnd::MissingRoot});
    }
}

TEST_F(FileSearchTest, ContentTestInTheWalk)
{
    tree.folder("sub");
    tree.file("empty.txt");
    tree.file("utf8.txt", QStringLiteral("…найти ПрИвЕт здесь").toUtf8());
    tree.file("sub/latin.txt", "say HeLLo world");
    tree.folder("привет"); // a folder never passes the content test
    tree.symlink("utf8.txt", "link-to-file");
    tree.symlink("nowhere", "dangling");

    EXPECT_EQ(sorted(run(textRequest(QStringLiteral("привет")))), (QStringList{"link-to-file", "utf8.txt"}));
    EXPECT_EQ(sorted(run(textRequest(QStringLiteral("  hello\t")))), QStringList{"sub/latin.txt"});
    // With the box ticked and no text, nothing matches.
    EXPECT_EQ(run(textRequest(QString())), QStringList{});
    EXPECT_EQ(run(textRequest(QStringLiteral("   "))), QStringList{});
    EXPECT_EQ(observer->dialogs.messages(), QStringList{QStringLiteral("К сожалению, ничего не найдено...")});
}

TEST_F(FileSearchTest, SpecialFilesUnreadableFilesAndLinkLoops)
{
    tree.folder("a");
    tree.folder("a/b");
    tree.symlink("..", "a/b/up");             // a loop back to a
    tree.symlink(tree.rootBytes(), "a/root"); // and to the root
    tree.fifo("a/pipe");
    tree.file("a/b/hit.txt", "needle");
    tree.file("hit2.txt", "a needle");
    const QString locked = tree.file("locked.txt", "needle");
    ASSERT_EQ(::chmod(quil::toNative(locked).constData(), 0), 0);
    const bool canReadLocked = ::access(quil::toNative(locked).constData(), R_OK) == 0;

    QStringList expected{"a/b/hit.txt", "hit2.txt"};
    if (canReadLocked) // privileged users read any file
        expected.append("locked.txt");
    EXPECT_EQ(sorted(run(textRequest(QStringLiteral("needle")))), sorted(expected));
    EXPECT_EQ(end, SearchEnd::Finished);
    // The links are entries by name, but never entered.
    EXPECT_EQ(sorted(run(request(QStringLiteral("*"), QStringLiteral("*"), true))),
              (QStringList{"a", "a/b", "a/b/hit.txt", "a/b/up", "a/pipe", "a/root", "hit2.txt", "locked.txt"}));
    EXPECT_EQ(observer->foldersDone.last(), 3);
}

TEST_F(FileSearchTest, NamesThatAreNotUtf8)
{
    const QByteArray name("caf\xe9.txt"); // Latin-1 bytes
    tree.file(name, "needle");
    run(textRequest(QStringLiteral("needle")));
    ASSERT_EQ(search->FoundList().size(), 1);
    EXPECT_EQ(quil::toNative(search->FoundList().front()), tree.rootBytes() + '/' + name);
    EXPECT_EQ(quil::toNative(search->currentFilePath()), tree.rootBytes() + '/' + name);
    run(request(QStringLiteral("caf?"), QStringLiteral("TXT")));
    EXPECT_EQ(search->FoundList().size(), 1);

    // A folder so named is entered, and the fragment is looked for in its name.
    const QByteArray folder("dirqz\xff\xfe");
    ASSERT_EQ(::mkdir((tree.rootBytes() + '/' + folder).constData(), 0700), 0);
    tree.file(folder + "/inner.txt", "needle");
    run(request(QLatin1Char('*') + quil::fromNative("DIRQZ\xff"), QStringLiteral("txt"), true));
    ASSERT_EQ(search->FoundList().size(), 1);
    EXPECT_EQ(quil::toNative(search->FoundList().front()), tree.rootBytes() + '/' + folder + "/inner.txt");
    run(textRequest(QStringLiteral("needle")));
    EXPECT_EQ(search->FoundList().size(), 2);

    // Which the temporary folder cannot remove.
    ::unlink((tree.rootBytes() + '/' + folder + "/inner.txt").constData());
    ::rmdir((tree.rootBytes() + '/' + folder).constData());
    ::unlink((tree.rootBytes() + '/' + name).constData());
}

// Check point 1: before each folder of the collection. The enumeration of one
// folder runs to its end. Tree: root holds S and x.txt; S holds S1, S2, x.txt.
// Pending calls: 1 before the walk, 2-3 the root's entries, 4 before S,
// 5-7 S's entries, 8 before the first of S1/S2, ...
TEST_F(FileSearchTest, StopDuringTheCollection)
{
    tree.folder("S");
    tree.folder("S/S1");
    tree.folder("S/S2");
    tree.file("x.txt", "x");
    tree.file("S/x.txt", "x");
    tree.file("S/S1/x.txt", "x");
    tree.file("S/S2/x.txt", "x");

    struct Case
    {
        int stopAt;            // the pending call that presses Stop; 0: never
        qsizetype foldersDone; // with a mask nothing matches
    } cases[] = {{1, 1}, {3, 1}, {4, 1}, {5, 3}, {7, 3}, {8, 3}, {0, 4}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.stopAt);
        RecordingObserver recording;
        FileSearch engine(recording);
        std::stop_source stop;
        recording.onPending = [&stop, stopAt = c.stopAt](int call) {
            if (call == stopAt)
                stop.request_stop();
        };
        EXPECT_EQ(engine.start(request(QStringLiteral("none"), QStringLiteral("zz"), true), stop.get_token()),
                  SearchEnd::Finished);
        EXPECT_EQ(recording.foldersDone.last(), c.foldersDone);
        EXPECT_EQ(recording.dialogs.messages(), QStringList{QStringLiteral("К сожалению, ничего не найдено...")});
    }

    // The folders collected so far are searched without the root: the first
    // matching entry ends the search.
    RecordingObserver recording;
    FileSearch engine(recording);
    std::stop_source stop;
    recording.onPending = [&](int call) {
        if (call == 4)
            stop.request_stop();
    };
    EXPECT_EQ(engine.start(request(QStringLiteral("*"), QStringLiteral("txt"), true), stop.get_token()),
              SearchEnd::Stopped);
    EXPECT_TRUE(engine.FoundList().isEmpty());
    EXPECT_EQ(recording.foldersDone.last(), 0);
    EXPECT_EQ(recording.dialogs.messages(), QStringList{QStringLiteral("К сожалению, ничего не найдено...")});
}

// Check point 2: before each entry that matches the mask.
TEST_F(FileSearchTest, StopDuringTheMatchingWalk)
{
    for (const char *file : {"1.txt", "2.txt", "3.txt", "4.txt"})
        tree.file(file, "x");
    tree.file("skip.doc", "x");
    RecordingObserver recording;
    FileSearch engine(recording);
    std::stop_source stop;
    recording.onMatch = [&](const QString &) { stop.request_stop(); };
    EXPECT_EQ(engine.start(request(QStringLiteral("*"), QStringLiteral("txt")), stop.get_token()), SearchEnd::Stopped);
    EXPECT_EQ(engine.FoundList().size(), 1);
    EXPECT_EQ(engine.FoundCount(), 1);
    EXPECT_EQ(recording.foldersDone, QList<qsizetype>{0}); // the folder was not finished
    EXPECT_EQ(recording.ended, QList<SearchEnd>{SearchEnd::Stopped});
    EXPECT_EQ(recording.dialogs.messages(), QStringList{QStringLiteral("Поиск успешен! Выбери то, что нужно.")});

    // The stop was the last search's: the next one runs to its end.
    recording.onMatch = nullptr;
    EXPECT_FALSE(engine.StopRequested());
    EXPECT_EQ(engine.start(request(QStringLiteral("*"), QStringLiteral("txt"))), SearchEnd::Finished);
    EXPECT_EQ(engine.FoundList().size(), 4);
}

// Stop pressed while a big file is read is noticed between its chunks: the
// file is given up and the search ends at once.
TEST_F(FileSearchTest, StopWhileReadingAFile)
{
    QByteArray big(3 * 1024 * 1024, 'x');
    big.append("needle");
    tree.file("big.txt", big);
    RecordingObserver recording;
    FileSearch engine(recording);
    std::stop_source stop;
    recording.onPending = [&](int call) {
        if (call == 2) // the first call inside the read: after 101 blocks
            stop.request_stop();
    };
    SearchRequest r = request();
    r.withText = true;
    r.text = QStringLiteral("needle");
    // The read gives the file up at its next chunk, and the search ends there.
    EXPECT_EQ(engine.start(r, stop.get_token()), SearchEnd::Stopped);
    EXPECT_TRUE(engine.FoundList().isEmpty());
    // One call before the walk, one inside the read of 3 MiB.
    EXPECT_EQ(recording.pendingCalls, 2);
}

// The collection keeps the listings it reads; a folder that changes before
// its turn must still be searched as it is then.
TEST_F(FileSearchTest, FoldersChangedAfterTheCollectionAreReadAgain)
{
    // A name search takes kept listings by path, a content search through the open folder.
    for (const bool withText : {false, true}) {
        SCOPED_TRACE(withText);
        TempTree tree;
        for (const char *folder : {"A", "B", "C", "D"})
            tree.folder(folder);
        for (const char *file : {"A/old.txt", "B/gone.txt", "B/stays.txt", "D/d.txt"})
            tree.file(file, "x");
        const struct timespec past[2] = {{978307200, 0}, {978307200, 0}}; // 2001
        for (const char *folder : {"", "/A", "/B", "/C", "/D"})
            ASSERT_EQ(::utimensat(AT_FDCWD, (tree.rootBytes() + folder).constData(), past, 0), 0);

        RecordingObserver recording;
        FileSearch engine(recording);
        engine.setRecentChangeWindow(-1);
        bool changed = false;
        recording.onFoldersToSearch = [&](qsizetype count) {
            if (count == 5 && !changed) { // the collection has ended
                changed = true;
                tree.file("A/new.txt", "x");
                ASSERT_EQ(::unlink(quil::toNative(tree.path("B/gone.txt")).constData()), 0);
                ASSERT_EQ(::rmdir(quil::toNative(tree.path("C")).constData()), 0);
                // Another folder in D's place: its own listing, not the kept one.
                ASSERT_EQ(
                    ::rename(quil::toNative(tree.path("D")).constData(), quil::toNative(tree.path("Dold")).constData()),
                    0);
                tree.folder("D");
                tree.file("D/e.txt", "x");
            }
        };
        SearchRequest r = request(QStringLiteral("*"), QStringLiteral("*"), true);
        r.rootFolder = tree.root();
        r.withText = withText;
        r.text = QStringLiteral("x");
        EXPECT_EQ(engine.start(r), SearchEnd::Finished);
        EXPECT_TRUE(changed);
        QStringList found;
        for (const QString &path : engine.FoundList())
            found.append(path.mid(tree.root().size() + 1));
        const QStringList expected =
            withText ? QStringList{"A/new.txt", "A/old.txt", "B/stays.txt", "D/e.txt"}
                     : QStringList{"A", "A/new.txt", "A/old.txt", "B", "B/stays.txt", "D", "D/e.txt", "Dold"};
        EXPECT_EQ(sorted(found), expected);
        EXPECT_EQ(recording.foldersDone.last(), 5); // the folder gone before its turn counts as searched
    }
}

// Makes a chain of folders named name below the tree's root, each holding
// the file "f.txt" with content, by descriptors (the deep end lies beyond
// what one path can name). Returns the chain's folder paths, shallowest first.
QList<QByteArray> makeChain(const QByteArray &root, const QByteArray &name, int depth, const QByteArray &content)
{
    QList<QByteArray> folders;
    QByteArray path = root;
    int at = ::open(root.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int i = 0; i < depth && at >= 0; ++i) {
        const int next = ::mkdirat(at, name.constData(), 0700) == 0
                             ? ::openat(at, name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                             : -1;
        ::close(at);
        at = next;
        path += '/' + name;
        folders.append(path);
        if (at >= 0) {
            const int fd = ::openat(at, "f.txt", O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
            if (fd < 0 || ::write(fd, content.constData(), size_t(content.size())) != content.size())
                ADD_FAILURE() << "cannot write f.txt";
            ::close(fd);
        }
    }
    if (at >= 0)
        ::close(at);
    EXPECT_EQ(folders.size(), depth);
    return folders;
}

// Removes what makeChain made (the temporary folder cannot reach its deep end).
void removeChain(int parent, const QByteArray &name)
{
    const int at = ::openat(parent, name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
    if (at < 0)
        return;
    removeChain(at, name);
    ::unlinkat(at, "f.txt", 0);
    ::close(at);
    ::unlinkat(parent, name.constData(), AT_REMOVEDIR);
}

// Paths longer than PATH_MAX: every folder is searched, its files named in full.
TEST_F(FileSearchTest, FoldersDeeperThanOnePathCanName)
{
    const QByteArray name(200, 'd');
    const QList<QByteArray> chain = makeChain(tree.rootBytes(), name, 45, "a needle");
    ASSERT_GT(chain.back().size(), 2 * PATH_MAX);
    QStringList expected;
    for (const QByteArray &folder : chain)
        expected.append(quil::fromNative(folder + "/f.txt"));

    // Compared whole, since the paths are too long to print.
    run(request(QStringLiteral("*"), QStringLiteral("txt"), true));
    EXPECT_EQ(search->FoundList().size(), expected.size());
    EXPECT_TRUE(search->FoundList() == expected);
    EXPECT_EQ(observer->foldersDone.last(), 46);
    run(textRequest(QStringLiteral("NEEDLE")));
    EXPECT_EQ(search->FoundList().size(), expected.size());
    EXPECT_TRUE(search->FoundList() == expected);

    const int root = ::open(tree.rootBytes().constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    removeChain(root, name);
    ::close(root);
}

TEST_F(FileSearchTest, StartWhileRunningIsIgnored)
{
    tree.file("a.txt", "x");
    RecordingObserver recording;
    FileSearch engine(recording);
    SearchEnd inner = SearchEnd::Finished;
    recording.onPending = [&](int call) {
        if (call == 1) {
            EXPECT_TRUE(engine.isRunning());
            inner = engine.start(request());
        }
    };
    EXPECT_EQ(engine.start(request()), SearchEnd::Finished);
    EXPECT_EQ(inner, SearchEnd::AlreadyRunning);
    EXPECT_FALSE(engine.isRunning());
    EXPECT_EQ(recording.started, 1);
    EXPECT_EQ(engine.FoundList().size(), 1);
}

} // namespace

// The text test runs on two threads; the matches still come in the order the
// folder lists its entries, large files among small ones included.
TEST_F(FileSearchTest, TextMatchesKeepTheFoldersOrder)
{
    for (int i = 0; i < 40; ++i) {
        QByteArray content = i % 7 == 0 ? QByteArray(2 * 1024 * 1024, 'x') : QByteArray("x");
        if (i % 3 != 0)
            content.append("needle");
        tree.file(QStringLiteral("f%1").arg(i).toUtf8().constData(), content);
    }
    RecordingObserver recording;
    FileSearch engine(recording);
    ASSERT_EQ(engine.start(request()), SearchEnd::Finished);
    QStringList expected;
    for (const QString &path : engine.FoundList())
        if (path.mid(path.lastIndexOf(QLatin1Char('f')) + 1).toInt() % 3 != 0)
            expected << path;
    ASSERT_EQ(engine.start(textRequest(QStringLiteral("needle"))), SearchEnd::Finished);
    EXPECT_EQ(engine.FoundList(), expected);
}
