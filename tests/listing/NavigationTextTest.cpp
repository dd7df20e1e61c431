#include "listing/NavigationText.h"

#include <gtest/gtest.h>

namespace {

TEST(FolderLeftByUp, RemembersTheLastItemOfThePathBox)
{
    const struct
    {
        const char *pathBox;
        const char *remembered;
    } cases[] = {
        {"/", "/"},
        {"computer:///", "computer:///"},
        {"/home/ann/Work/", "Work"},
        {"/home/ann/Work", "Work"},
        {"/tmp/", "tmp"},
        {"/Папка с пробелом/", "Папка с пробелом"},
        // Only one trailing "/" is dropped.
        {"/a//", ""},
        {"relative", ""},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(quil::folderLeftByUp(QString::fromUtf8(c.pathBox)), QString::fromUtf8(c.remembered)) << c.pathBox;
}

TEST(NavigationMessages, TextsAreJoinedAsShown)
{
    EXPECT_EQ(quil::historyPickedMessage(QStringLiteral("/tmp/")), QStringLiteral("Выбран: /tmp/"));
    EXPECT_EQ(quil::folderNotFoundMessage(QStringLiteral("/gone/")), QStringLiteral("/gone/не найдена - "));
}

} // namespace
