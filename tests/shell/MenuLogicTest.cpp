// Which menu a path gets, and the clipboard formats read back.
#include "platform/ContextMenuItems.h"
#include "platform/FileClipboard.h"
#include "platform/NativePath.h"
#include "support/TempTree.h"

#include <QMimeData>

#include <gtest/gtest.h>
#include <memory>

using quil::MenuTarget;

namespace {
QStringList texts(const MenuTarget &target)
{
    QStringList result;
    for (const quil::MenuItem &item : quil::menuItemsFor(target))
        result.append(item.text);
    return result;
}
} // namespace

TEST(MenuTarget, KindOfEachPath)
{
    TempTree tree;
    tree.file("f.txt");
    tree.folder("d");
    tree.folder("usb");
    const QList<quil::MountPointFlag> mounts{{QStringLiteral("/"), false}, {tree.path("usb"), true}};
    struct Case
    {
        QString path;
        MenuTarget::Kind kind;
        bool removable;
    };
    const QList<Case> cases{
        {tree.path("f.txt"), MenuTarget::Kind::File, false},
        {tree.path("d"), MenuTarget::Kind::Folder, false},
        {tree.path("d") + '/', MenuTarget::Kind::FolderArea, false},
        {tree.path("usb") + '/', MenuTarget::Kind::Volume, true},
        // An entry named like a mount point is still the folder entry.
        {tree.path("usb"), MenuTarget::Kind::Folder, false},
        {QStringLiteral("/"), MenuTarget::Kind::Volume, false},
        {tree.path("missing"), MenuTarget::Kind::None, false},
        {tree.path("f.txt") + '/', MenuTarget::Kind::None, false},
        {QStringLiteral("computer:///"), MenuTarget::Kind::None, false},
        {QStringLiteral("trash:///"), MenuTarget::Kind::TrashArea, false},
        {QStringLiteral("trash:///a.txt"), MenuTarget::Kind::TrashItem, false},
        {QStringLiteral("sftp://host/a.txt"), MenuTarget::Kind::None, false},
    };
    for (const Case &c : cases) {
        const MenuTarget target = quil::menuTargetOf(c.path, mounts);
        EXPECT_EQ(target.kind, c.kind) << qPrintable(c.path);
        EXPECT_EQ(target.removable, c.removable) << qPrintable(c.path);
    }
    EXPECT_EQ(texts(quil::menuTargetOf(tree.path("usb") + '/', mounts)),
              (QStringList{"Открыть", "Свойства", "Извлечь"}));
    EXPECT_TRUE(texts(quil::menuTargetOf(tree.path("missing"), mounts)).isEmpty());
    EXPECT_EQ(texts(quil::menuTargetOf(QStringLiteral("trash:///a.txt"), mounts)),
              (QStringList{"Восстановить", "Удалить", "Очистить корзину"}));
}

TEST(FileClipboard, ReadsWhatFileManagersWrite)
{
    const QByteArray odd = "/tmp/\xff name";
    struct Case
    {
        const char *what;
        QList<std::pair<QString, QByteArray>> formats;
        QStringList paths;
        bool cut;
    };
    const QList<Case> cases{
        {"GNOME cut",
         {{"x-special/gnome-copied-files", "cut\nfile:///tmp/a%20b\nfile:///tmp/c"}},
         {"/tmp/a b", "/tmp/c"},
         true},
        {"KDE cut",
         {{"text/uri-list", "file:///tmp/a\r\n"}, {"application/x-kde-cutselection", "1"}},
         {"/tmp/a"},
         true},
        {"list with a comment", {{"text/uri-list", "# from a browser\r\nfile:///tmp/a\r\n"}}, {"/tmp/a"}, false},
        {"no local files", {{"text/uri-list", "https://example.org/\r\n"}}, {}, false},
        {"text alone", {{"text/plain", "/tmp/a"}}, {}, false},
    };
    for (const Case &c : cases) {
        QMimeData data;
        for (const auto &[type, bytes] : c.formats)
            data.setData(type, bytes);
        const quil::ClipboardFiles files = quil::filesOfMimeData(data);
        EXPECT_EQ(files.paths, c.paths) << c.what;
        EXPECT_EQ(files.cut, c.cut) << c.what;
    }
    // A name that is not UTF-8 goes out and comes back byte for byte.
    const std::unique_ptr<QMimeData> ours(quil::mimeDataForFiles({{quil::fromNative(odd)}, true, {}, {}}));
    EXPECT_EQ(ours->data("x-special/gnome-copied-files"), QByteArray("cut\nfile:///tmp/%FF%20name"));
    const quil::ClipboardFiles back = quil::filesOfMimeData(*ours);
    ASSERT_EQ(back.paths.size(), 1);
    EXPECT_EQ(quil::toNative(back.paths.first()), odd);
    EXPECT_TRUE(back.cut);
}
