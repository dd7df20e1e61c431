#include "platform/NativePath.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using quil::fromNative;
using quil::toNative;

TEST(NativePath, EveryNameRoundTrips)
{
    const QByteArray names[] = {
        "plain.txt",
        "Привет.txt",
        "emoji-\xF0\x9F\x98\x80",
        "bad-\xFF\xFE",
        "latin1-caf\xE9",
        "truncated-\xD0",
        "overlong-\xC0\xAF",
        "surrogate-\xED\xA0\x80",
        "",
    };
    for (const QByteArray &name : names) {
        const QString text = fromNative(name);
        EXPECT_EQ(toNative(text), name) << name.toHex().constData();
        EXPECT_EQ(quil::hasEscapedBytes(text), QString::fromUtf8(name).toUtf8() != name) << name.constData();
    }
    EXPECT_EQ(fromNative("Привет"), QStringLiteral("Привет"));
}

TEST(NativePath, InvalidNameOpensThroughConversion)
{
    TempTree tree;
    const QByteArray raw = tree.rootBytes() + "/name-\xFF.txt";
    tree.file("name-\xFF.txt", "x");
    struct stat info
    {
    };
    EXPECT_EQ(::stat(toNative(fromNative(raw)).constData(), &info), 0);
}
