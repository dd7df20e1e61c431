#include "platform/TextFormat.h"

#include <gtest/gtest.h>

using quil::groupThousands;
using quil::trimControls;

TEST(TextFormat, ThousandsGrouping)
{
    const std::pair<const char *, const char *> cases[] = {
        {"", ""},
        {"0", "0"},
        {"12", "12"},
        {"123", " 123"},
        {"1234", "1 234"},
        {"12345", "12 345"},
        {"123456", " 123 456"},
        {"1234567", "1 234 567"},
        {"123456789", " 123 456 789"},
    };
    for (const auto &[in, out] : cases)
        EXPECT_EQ(groupThousands(QString::fromLatin1(in)), QString::fromLatin1(out)) << in;
    EXPECT_EQ(groupThousands(Q_INT64_C(5242880)), QStringLiteral("5 242 880"));
}

TEST(TextFormat, TrimRemovesBlanksAndControls)
{
    EXPECT_EQ(trimControls(QStringLiteral(" \t\x01.txt \r\n")), QStringLiteral(".txt"));
    EXPECT_EQ(trimControls(QStringLiteral("  ")), QString());
    EXPECT_EQ(trimControls(QStringLiteral("a b")), QStringLiteral("a b"));
    EXPECT_EQ(trimControls(QStringLiteral("\u00A0x\u00A0")), QStringLiteral("\u00A0x\u00A0"));
    EXPECT_EQ(trimControls(QByteArray(" \x1F"
                                      "abc\x20")),
              QByteArray("abc"));
}
