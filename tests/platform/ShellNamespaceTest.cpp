#include "platform/ShellNamespace.h"
#include "platform/IconNames.h"
#include "platform/ItemComparator.h"
#include "platform/NativePath.h"
#include "platform/OsError.h"
#include "support/TempTree.h"

#include <QMimeDatabase>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quil;

namespace {

QStringList namesOf(const QList<FolderChild> &children)
{
    QStringList names;
    for (const FolderChild &child : children)
        names.append(child.name);
    names.sort();
    return names;
}

const FolderChild *childNamed(const QList<FolderChild> &children, const QString &name)
{
    for (const FolderChild &child : children)
        if (child.name == name)
            return &child;
    return nullptr;
}

int osErrorCode(const std::function<void()> &call)
{
    try {
        call();
    } catch (const OsError &error) {
        return error.code();
    }
    return -1;
}

} // namespace

TEST(ShellNamespace, EnumerateListsHiddenItemsButNeverDotEntries)
{
    TempTree tree;
    tree.file(".hidden");
    tree.file("visible.txt");
    tree.folder(".config");
    tree.folder("sub");
    const QList<FolderChild> children = ShellNamespace::enumerate(ShellNamespace::parse(tree.root()));
    EXPECT_EQ(namesOf(children), (QStringList{".config", ".hidden", "sub", "visible.txt"}));
    EXPECT_TRUE(childNamed(children, "sub")->isFolder);
    EXPECT_TRUE(childNamed(children, ".config")->isFolder);
    EXPECT_FALSE(childNamed(children, ".hidden")->isFolder);
    EXPECT_EQ(childNamed(children, "sub")->id, ItemId::fromPath(tree.path("sub")));
    EXPECT_TRUE(ShellNamespace::findData(childNamed(children, ".hidden")->id)->attributes & AttributeHidden);
    EXPECT_FALSE(ShellNamespace::findData(childNamed(children, "visible.txt")->id)->attributes & AttributeHidden);
}

TEST(ShellNamespace, LinkToItsOwnFolderIsAFolderAndDoesNotLoop)
{
    TempTree tree;
    tree.folder("loop");
    tree.symlink(".", "loop/self");
    tree.symlink("b", "a");
    tree.symlink("a", "b"); // a cycle of links leads nowhere
    const QList<FolderChild> loop = ShellNamespace::enumerate(ItemId::fromPath(tree.path("loop")));
    ASSERT_EQ(loop.size(), 1);
    EXPECT_TRUE(loop[0].isFolder);
    EXPECT_TRUE(loop[0].isLink);
    EXPECT_TRUE(ShellNamespace::isFolder(loop[0].id));
    EXPECT_TRUE(ShellNamespace::findData(loop[0].id)->attributes & AttributeDirectory);
    // Listing through the link shows the same folder again, one level only.
    EXPECT_EQ(namesOf(ShellNamespace::enumerate(loop[0].id)), QStringList{"self"});

    const QList<FolderChild> root = ShellNamespace::enumerate(ItemId::fromPath(tree.root()));
    const FolderChild *a = childNamed(root, "a");
    ASSERT_NE(a, nullptr);
    EXPECT_FALSE(a->isFolder);
    EXPECT_FALSE(ShellNamespace::isFolder(a->id));
    ASSERT_TRUE(ShellNamespace::findData(a->id).has_value());
    EXPECT_FALSE(ShellNamespace::findData(a->id)->attributes & AttributeDirectory);
}

TEST(ShellNamespace, LinksStayUnresolvedUntilAskedWithoutResolveFlag)
{
    TempTree tree;
    tree.folder("real");
    tree.symlink("real", "link");
    QList<FolderChild> children = ShellNamespace::enumerate(ItemId::fromPath(tree.root()), ShellNamespace::NoFlags);
    FolderChild link = *childNamed(children, "link");
    EXPECT_FALSE(link.resolved);
    EXPECT_FALSE(link.details.has_value());
    ShellNamespace::resolve(link);
    EXPECT_TRUE(link.resolved);
    EXPECT_TRUE(link.isFolder);

    children = ShellNamespace::enumerate(ItemId::fromPath(tree.root()), ShellNamespace::ReadDetails);
    link = *childNamed(children, "link");
    ASSERT_TRUE(link.details.has_value());
    EXPECT_TRUE(link.resolved);
    EXPECT_EQ(link.details->attributes & AttributeDirectory, AttributeDirectory);
}

TEST(ShellNamespace, FifoIsListedAsSystemFileWithoutBlocking)
{
    TempTree tree;
    tree.fifo("pipe");
    // Nothing may open the FIFO: an open for reading would block forever.
    for (const auto flags : {ShellNamespace::NoFlags, ShellNamespace::ResolveLinks, ShellNamespace::ReadDetails}) {
        const QList<FolderChild> children = ShellNamespace::enumerate(ItemId::fromPath(tree.root()), flags);
        ASSERT_EQ(children.size(), 1);
        EXPECT_FALSE(children[0].isFolder);
    }
    const ItemId pipe = ItemId::fromPath(tree.path("pipe"));
    const auto data = ShellNamespace::findData(pipe);
    ASSERT_TRUE(data.has_value());
    EXPECT_EQ(data->attributes & (AttributeSystem | AttributeDirectory), AttributeSystem);
    EXPECT_EQ(ShellNamespace::typeText(pipe), QMimeDatabase().mimeTypeForName("inode/fifo").comment());
    EXPECT_FALSE(ShellNamespace::isFolder(pipe));
}

TEST(ShellNamespace, NameThatIsNotUtf8RoundTrips)
{
    TempTree tree;
    const QByteArray raw = "caf\xE9 \xFF.txt";
    tree.file(raw, "x");
    const QList<FolderChild> children = ShellNamespace::enumerate(ItemId::fromPath(tree.root()));
    ASSERT_EQ(children.size(), 1);
    const FolderChild &child = children[0];
    EXPECT_TRUE(hasEscapedBytes(child.name));
    EXPECT_EQ(toNative(child.name), raw);
    EXPECT_EQ(toNative(ShellNamespace::displayName(child.id)), raw);
    const QString parsing = ShellNamespace::displayName(child.id, ShellNamespace::NameForm::Parsing);
    EXPECT_EQ(toNative(parsing), tree.rootBytes() + '/' + raw);
    EXPECT_EQ(ShellNamespace::parse(parsing), child.id);
    ASSERT_TRUE(ShellNamespace::findData(child.id).has_value());
    EXPECT_EQ(ShellNamespace::findData(child.id)->size, 1u);
}

TEST(ShellNamespace, UnreadableFoldersRaiseOsError)
{
    TempTree tree;
    const QString gone = tree.folder("gone");
    ::rmdir(toNative(gone).constData());
    try {
        ShellNamespace::enumerate(ItemId::fromPath(gone));
        FAIL() << "a removed folder was listed";
    } catch (const OsError &error) {
        EXPECT_EQ(error.code(), ENOENT);
        EXPECT_EQ(error.message(), QStringLiteral("System Error.  Code: 2.\r\nNo such file or directory"));
    }
    const QString file = tree.file("plain.txt");
    EXPECT_EQ(osErrorCode([&] { ShellNamespace::enumerate(ItemId::fromPath(file)); }), ENOTDIR);
}

TEST(ShellNamespace, FolderWithoutReadPermissionRaisesOsError)
{
    TempTree tree;
    ::chmod(tree.rootBytes().constData(), 0755);
    const QString locked = tree.folder("locked");
    tree.file("locked/inside");
    ::chmod(toNative(locked).constData(), 0);
    const auto listLocked = [&] { ShellNamespace::enumerate(ItemId::fromPath(locked)); };
    int code = -1;
    if (::geteuid() != 0) {
        code = osErrorCode(listLocked);
    } else {
        // Root reads every folder: look as an ordinary user, in a child process.
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(255);
            const int result = osErrorCode(listLocked);
            ::_exit(result < 0 ? 254 : result);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status));
        code = WEXITSTATUS(status);
        if (code == 255)
            GTEST_SKIP() << "cannot become an ordinary user here";
    }
    ::chmod(toNative(locked).constData(), 0755);
    EXPECT_EQ(code, EACCES);
}

TEST(ShellNamespace, ParseTidiesPathsAndRejectsMissingOnes)
{
    TempTree tree;
    tree.folder("a");
    tree.folder("a/b");
    const ItemId b = ItemId::fromPath(tree.path("a/b"));
    EXPECT_EQ(ShellNamespace::parse(tree.path("a/b/")), b);
    EXPECT_EQ(ShellNamespace::parse(tree.root() + "//a/./b"), b);
    EXPECT_EQ(ShellNamespace::parse(tree.path("a/b/../b")), b);
    EXPECT_EQ(ShellNamespace::parse("/"), ItemId::fromPath("/"));
    EXPECT_EQ(ShellNamespace::parse("computer:///"), ItemId::computer());
    EXPECT_EQ(ShellNamespace::parse("Computer:///"), ItemId::computer());
    EXPECT_EQ(osErrorCode([&] { ShellNamespace::parse(tree.path("a/missing")); }), ENOENT);
    EXPECT_EQ(osErrorCode([&] { ShellNamespace::parse("a/b"); }), ENOENT);
    EXPECT_EQ(osErrorCode([&] { ShellNamespace::parse(""); }), ENOENT);
    // A broken link is still an item.
    tree.symlink("nowhere", "broken");
    EXPECT_EQ(ShellNamespace::parse(tree.path("broken")), ItemId::fromPath(tree.path("broken")));
}

TEST(ShellNamespace, ParentAndJoinRules)
{
    struct Case
    {
        ItemId item;
        ItemId parent;
    };
    const Case cases[] = {
        {ItemId::fromPath("/home/ann/Work"), ItemId::fromPath("/home/ann")},
        {ItemId::fromPath("/home"), ItemId::fromPath("/")},
        {ItemId::fromPath("/"), ItemId::computer()},
        // Regression: a volume reached from the computer folder went up to it.
        {ItemId::volume("/mnt/usb"), ItemId::fromPath("/mnt")},
        {ItemId::volume("/"), ItemId::computer()},
        {ItemId::computer(), ItemId::desktop()},
        {ItemId::desktop(), ItemId::desktop()},
        // GIO locations go up within the URI; from a top they leave it.
        {ItemId::location("sftp://h/a/b/"), ItemId::location("sftp://h/a/")},
        {ItemId::location("sftp://h/a"), ItemId::location("sftp://h/")},
        {ItemId::location("sftp://h/"), ItemId::desktop()},
        {ItemId::location("trash:///x"), ItemId::location("trash:///")},
        {ItemId::location("trash:///"), ItemId::computer()},
        // An archive's top (its URI escaped twice in the host) goes to its folder.
        {ItemId::location("archive://file%253A%252F%252F%252Fd%252Fa%252520b.zip/"), ItemId::fromPath("/d")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ShellNamespace::parent(c.item), c.parent) << c.item.path().toStdString();
    EXPECT_TRUE(ShellNamespace::parent(ItemId::computer()).isEmpty());

    EXPECT_EQ(ShellNamespace::join(ItemId::fromPath("/"), "etc"), ItemId::fromPath("/etc"));
    EXPECT_EQ(ShellNamespace::join(ItemId::fromPath("/home"), "ann"), ItemId::fromPath("/home/ann"));
    EXPECT_EQ(ShellNamespace::join(ItemId::fromPath("/home"), "ann/Work"), ItemId::fromPath("/home/ann/Work"));
    EXPECT_EQ(ShellNamespace::join(ItemId::volume("/mnt/usb"), "x"), ItemId::fromPath("/mnt/usb/x"));
    EXPECT_EQ(ShellNamespace::join(ItemId::computer(), "/mnt/usb"), ItemId::volume("/mnt/usb"));
    EXPECT_EQ(ShellNamespace::join(ItemId::desktop(), "computer:///"), ItemId::computer());
    EXPECT_EQ(ShellNamespace::join(ItemId::location("sftp://h/a/"), "x y"), ItemId::location("sftp://h/a/x%20y"));
    EXPECT_EQ(ItemId::location("sftp://h/a%20b/").fileName(), QStringLiteral("a b"));
    // Joining then going up gives the folder back.
    EXPECT_EQ(ShellNamespace::parent(ShellNamespace::join(ItemId::fromPath("/home"), "ann")),
              ItemId::fromPath("/home"));
}

TEST(ShellNamespace, DesktopHoldsHomeAndComputerAndComputerHoldsVolumes)
{
    TempTree tree;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", tree.rootBytes());
    const QList<FolderChild> desktop = ShellNamespace::enumerate(ItemId::desktop());
    qputenv("HOME", oldHome);
    ASSERT_EQ(desktop.size(), 2);
    EXPECT_EQ(desktop[0].id, ItemId::fromPath(tree.root()));
    EXPECT_EQ(desktop[1].id, ItemId::computer());
    EXPECT_TRUE(desktop[0].isFolder && desktop[1].isFolder);
    EXPECT_EQ(desktop[1].name, QStringLiteral("Компьютер"));

    QList<FolderChild> volumes = ShellNamespace::enumerate(ItemId::computer());
    ASSERT_FALSE(volumes.isEmpty());
    EXPECT_EQ(volumes[0].id, ItemId::volume("/"));
    EXPECT_TRUE(volumes[0].name.endsWith(QStringLiteral(" (/)")));
    // The trash follows the volumes; up from it is the computer folder.
    const FolderChild trash = volumes.takeLast();
    EXPECT_EQ(trash.id, ItemId::location(QStringLiteral("trash:///")));
    EXPECT_EQ(trash.name, QStringLiteral("Корзина"));
    EXPECT_EQ(ShellNamespace::parent(trash.id), ItemId::computer());
    for (const FolderChild &volume : volumes) {
        EXPECT_TRUE(volume.isFolder);
        EXPECT_FALSE(volume.id.path().startsWith("/proc"));
        // Up from a volume is up its mount point, as for the typed path.
        EXPECT_EQ(ShellNamespace::parent(volume.id), ShellNamespace::parent(ItemId::fromPath(volume.id.path())));
        EXPECT_EQ(ShellNamespace::displayName(volume.id), volume.name);
        EXPECT_EQ(ShellNamespace::displayName(volume.id, ShellNamespace::NameForm::Parsing), volume.id.path());
    }
    EXPECT_EQ(ShellNamespace::displayName(ItemId::computer(), ShellNamespace::NameForm::Parsing),
              QStringLiteral("computer:///"));
    EXPECT_EQ(ShellNamespace::displayName(ItemId::fromPath("/home/ann")), QStringLiteral("ann"));
    EXPECT_EQ(ShellNamespace::displayName(ItemId::fromPath("/home/ann"), ShellNamespace::NameForm::Parsing),
              QStringLiteral("/home/ann"));
    // The listing of a volume is the listing of its mount point.
    EXPECT_EQ(namesOf(ShellNamespace::enumerate(ItemId::volume("/"))),
              namesOf(ShellNamespace::enumerate(ItemId::fromPath("/"))));
}

TEST(ShellNamespace, FindDataSizesDatesAndAttributes)
{
    TempTree tree;
    const QString big = tree.sparseFile("big.bin", 5LL * 1024 * 1024 * 1024);
    const QString sub = tree.folder("sub");
    tree.symlink("sub", "to-sub");
    tree.symlink("nowhere", "dangling");
    const auto bigData = ShellNamespace::findData(ItemId::fromPath(big));
    ASSERT_TRUE(bigData.has_value());
    EXPECT_EQ(bigData->size, 5ULL * 1024 * 1024 * 1024);
    EXPECT_EQ(bigData->attributes, 0u);
    EXPECT_TRUE(bigData->modified().isValid());
    EXPECT_LE(qAbs(bigData->modified().secsTo(QDateTime::currentDateTime())), 120);

    EXPECT_EQ(ShellNamespace::findData(ItemId::fromPath(sub))->attributes, quint32(AttributeDirectory));
    EXPECT_EQ(ShellNamespace::findData(ItemId::fromPath(tree.path("to-sub")))->attributes, quint32(AttributeDirectory));
    EXPECT_EQ(ShellNamespace::findData(ItemId::fromPath(sub))->size, 0u);
    EXPECT_FALSE(ShellNamespace::findData(ItemId::fromPath(tree.path("missing"))).has_value());
    EXPECT_EQ(ShellNamespace::findData(ItemId::computer())->attributes, quint32(AttributeDirectory));
    // A dangling link was shown read-only: the write test followed it.
    EXPECT_EQ(ShellNamespace::findData(ItemId::fromPath(tree.path("dangling")))->attributes, 0u);
    const auto children = ShellNamespace::enumerate(ItemId::fromPath(tree.root()), ShellNamespace::ReadDetails);
    const auto listed =
        std::find_if(children.begin(), children.end(), [](const FolderChild &c) { return c.name == "dangling"; });
    ASSERT_NE(listed, children.end());
    EXPECT_EQ(listed->details->attributes, 0u);

    if (::geteuid() != 0) {
        ::chmod(toNative(big).constData(), 0444);
        EXPECT_EQ(ShellNamespace::findData(ItemId::fromPath(big))->attributes, quint32(AttributeReadOnly));
    }
}

TEST(ShellNamespace, TypeTextComesFromTheNameNotTheContent)
{
    TempTree tree;
    const QMimeDatabase mime;
    // PNG bytes in a .txt file: still a text file, nothing was sniffed.
    const QString text = tree.file("notes.txt", "\x89PNG\r\n\x1a\n");
    const QString sub = tree.folder("sub");
    EXPECT_EQ(ShellNamespace::typeText(ItemId::fromPath(text)), mime.mimeTypeForName("text/plain").comment());
    EXPECT_EQ(ShellNamespace::typeText(ItemId::fromPath(sub)), mime.mimeTypeForName("inode/directory").comment());
    EXPECT_EQ(ShellNamespace::fileTypeText("a.png"), mime.mimeTypeForName("image/png").comment());
    EXPECT_FALSE(ShellNamespace::typeText(ItemId::volume("/")).isEmpty());
    EXPECT_FALSE(ShellNamespace::typeText(ItemId::computer()).isEmpty());
}

TEST(ShellNamespace, IconIndexesShareOneList)
{
    TempTree tree;
    const QString sub = tree.folder("sub");
    const QString a = tree.file("a.txt");
    const QString b = tree.file("b.txt");
    EXPECT_EQ(ShellNamespace::iconIndex(ItemId::fromPath(sub)), IconNames::Folder);
    EXPECT_EQ(ShellNamespace::iconIndex(ItemId::computer()), IconNames::Computer);
    const int text = ShellNamespace::iconIndex(ItemId::fromPath(a));
    EXPECT_EQ(ShellNamespace::iconIndex(ItemId::fromPath(b)), text);
    EXPECT_EQ(IconNames::name(text), QStringLiteral("text-plain"));
    EXPECT_NE(ShellNamespace::iconIndex(ItemId::fromPath(tree.file("c.png"))), text);
    EXPECT_GE(IconNames::count(), int(IconNames::FixedCount));
}

TEST(ItemComparator, SortTable)
{
    const ItemComparator comparator(QLocale(QLocale::English, QLocale::UnitedStates));
    struct Row
    {
        const char *name;
        bool folder;
        quint64 size;
        const char *type;
        qint64 modified;
    };
    const Row rows[] = {
        {"file10", false, 10, "Text", 300}, {"File2", false, 10, "Text", 100}, {"zeta", true, 0, "Folder", 500},
        {"alpha", true, 0, "Folder", 900},  {"b.png", false, 5, "Image", 200}, {"abc", false, 99, "Text", 50},
    };
    const auto order = [&](SortColumn column) {
        QList<std::pair<ItemSortKey, QString>> keys;
        for (const Row &row : rows)
            keys.append({comparator.key(row.name, row.folder, row.size, row.type, row.modified), row.name});
        std::sort(keys.begin(), keys.end(),
                  [&](const auto &x, const auto &y) { return ItemComparator::compare(x.first, y.first, column) < 0; });
        QStringList names;
        for (const auto &key : keys)
            names.append(key.second);
        return names;
    };
    EXPECT_EQ(order(SortColumn::Name), (QStringList{"alpha", "zeta", "abc", "b.png", "File2", "file10"}));
    EXPECT_EQ(order(SortColumn::Size), (QStringList{"alpha", "zeta", "b.png", "File2", "file10", "abc"}));
    EXPECT_EQ(order(SortColumn::Type), (QStringList{"alpha", "zeta", "b.png", "abc", "File2", "file10"}));
    EXPECT_EQ(order(SortColumn::Modified), (QStringList{"zeta", "alpha", "abc", "File2", "b.png", "file10"}));

    EXPECT_LT(comparator.compareNames("file2", "file10"), 0);
    EXPECT_LT(comparator.compareNames("abc", "ABD"), 0);
    EXPECT_EQ(ItemComparator::compare(comparator.key("Same", false), comparator.key("same", false), SortColumn::Name),
              0);
    // The computer folder keeps its volume order whatever the names.
    EXPECT_LT(ItemComparator::compare(comparator.key("Z (/)", true, 0, {}, 0, 1),
                                      comparator.key("A (/mnt)", true, 0, {}, 0, 2), SortColumn::Name),
              0);
}

TEST(ItemComparator, CLocaleStillSortsDigitsAsNumbers)
{
    const ItemComparator comparator(QLocale::c());
    EXPECT_LT(comparator.compareNames("file2", "file10"), 0);
    EXPECT_LT(comparator.compareNames("abc", "ABD"), 0);
}

TEST(ShellNamespace, CompareItemsOnDisk)
{
    TempTree tree;
    const ItemId big = ItemId::fromPath(tree.file("a-big", QByteArray(100, 'x')));
    const ItemId small = ItemId::fromPath(tree.file("b-small", "x"));
    const ItemId folder = ItemId::fromPath(tree.folder("z-folder"));
    EXPECT_LT(ShellNamespace::compare(big, small, SortColumn::Name), 0);
    EXPECT_GT(ShellNamespace::compare(big, small, SortColumn::Size), 0);
    EXPECT_LT(ShellNamespace::compare(folder, small, SortColumn::Size), 0);
    EXPECT_LT(ShellNamespace::compare(folder, big, SortColumn::Name), 0);
}
