#include "platform/fileop/TransferRate.h"

#include <gtest/gtest.h>

using namespace quil;

// The speed is the average over the last five seconds of samples, and the
// time left is what remains at that speed.
TEST(TransferRate, MovingAverageAndTimeLeft)
{
    TransferRate rate;
    EXPECT_FALSE(rate.perSecond());
    rate.add(0, 0);
    EXPECT_FALSE(rate.perSecond());
    EXPECT_FALSE(rate.secondsLeft(100));
    // Less than a second of data once gave a wild estimate ("1:40:21").
    rate.add(250, 1);
    rate.add(999, 900);
    EXPECT_FALSE(rate.perSecond());
    EXPECT_FALSE(rate.secondsLeft(5000));
    rate.add(1000, 1000);
    ASSERT_TRUE(rate.perSecond());
    EXPECT_DOUBLE_EQ(*rate.perSecond(), 1000.0);
    EXPECT_EQ(rate.secondsLeft(10000), 9);
    // A stall: the average falls, it does not drop to nothing.
    rate.add(2000, 1000);
    EXPECT_DOUBLE_EQ(*rate.perSecond(), 500.0);
    // After the window the fast start no longer counts.
    rate.add(7000, 1000);
    rate.add(8000, 1100);
    EXPECT_NEAR(*rate.perSecond(), 100.0 / 6.0, 1e-9);
    // A new count starts afresh.
    rate.add(9000, 10);
    EXPECT_FALSE(rate.perSecond());
}

TEST(TransferRate, Texts)
{
    const struct
    {
        double speed;
        bool bytes;
        const char *text;
    } speeds[] = {
        {512, true, "512 байт/с"},
        {1536, true, "1,5 КБ/с"},
        {12.5 * 1024 * 1024, true, "12,5 МБ/с"},
        {3.0 * 1024 * 1024 * 1024, true, "3,0 ГБ/с"},
        {2.5, false, "2,5 объект(ов)/с"},
        {40, false, "40 объект(ов)/с"},
    };
    for (const auto &row : speeds)
        EXPECT_EQ(TransferRate::speedText(row.speed, row.bytes), QString::fromUtf8(row.text)) << row.text;
    EXPECT_EQ(TransferRate::durationText(0), QStringLiteral("0:00"));
    EXPECT_EQ(TransferRate::durationText(42), QStringLiteral("0:42"));
    EXPECT_EQ(TransferRate::durationText(3900), QStringLiteral("1:05:00"));
}
