#include "viewers/FileViewPaging.h"

#include <gtest/gtest.h>

using quil::FileViewPaging;
using Key = FileViewPaging::Key;

TEST(FileViewPaging, LinesPerPage)
{
    EXPECT_EQ(FileViewPaging::linesPerPage(413), 23); // the default window
    EXPECT_EQ(FileViewPaging::linesPerPage(415), 23);
    EXPECT_EQ(FileViewPaging::linesPerPage(1000), 59);
    EXPECT_EQ(FileViewPaging::linesPerPage(5), 1); // a tiny window still shows a line
}

TEST(FileViewPaging, RangeForFileSizes)
{
    const FileViewPaging fits = FileViewPaging::setUp(64000, 5000);
    EXPECT_EQ(fits.maximum(), 1);
    EXPECT_FALSE(fits.enabled());
    EXPECT_EQ(fits.pageOffset(1), 0);
    EXPECT_EQ(fits.pageOffset(77), 0); // every render starts at 0

    const FileViewPaging paged = FileViewPaging::setUp(64000, 23);
    EXPECT_EQ(paged.maximum(), 4000 - 23 + 2);
    EXPECT_EQ(paged.largeChange(), 22);
    EXPECT_EQ(paged.pageSize(), 0);
    EXPECT_TRUE(paged.enabled());
    EXPECT_EQ(paged.pageOffset(1), 0);
    EXPECT_EQ(paged.pageOffset(2), 16);
    EXPECT_EQ(paged.pageOffset(paged.maximum()), (4000 - 23 + 1) * 16);

    // Boundary of "fits on one page": rows - (lines - 2) <= 1.
    EXPECT_FALSE(FileViewPaging::setUp(22 * 16, 23).enabled());
    EXPECT_TRUE(FileViewPaging::setUp(23 * 16, 23).enabled());
}

TEST(FileViewPaging, Keys)
{
    const FileViewPaging paging = FileViewPaging::setUp(64000, 23); // maximum 3979
    struct Case
    {
        qint64 from;
        Key key;
        qint64 to;
    } cases[] = {
        {1, Key::Up, 1},      {5, Key::Up, 4},        {3979, Key::Down, 3979},     {5, Key::Down, 6},
        {500, Key::Home, 1},  {5, Key::End, 3979},    {23, Key::PageUp, 1},        {24, Key::PageUp, 1},
        {30, Key::PageUp, 7}, {1, Key::PageDown, 24}, {3970, Key::PageDown, 3979}, {3979, Key::PageDown, 3979},
    };
    for (const Case &c : cases)
        EXPECT_EQ(paging.afterKey(c.from, c.key, 23), c.to) << c.from << " " << int(c.key);
    EXPECT_EQ(paging.afterWheel(5, 120), 4);
    EXPECT_EQ(paging.afterWheel(1, 120), 1);
    EXPECT_EQ(paging.afterWheel(5, -120), 6);
    EXPECT_EQ(paging.afterWheel(3979, -120), 3979);
}

TEST(FileViewPaging, ScrollBarRangeIsScaledForHugeFiles)
{
    const FileViewPaging small = FileViewPaging::setUp(64000, 23);
    EXPECT_EQ(small.scale(), 1);
    EXPECT_EQ(small.scrollMaximum(), 3979);
    EXPECT_EQ(small.positionFromScroll(1234), 1234);
    EXPECT_EQ(small.scrollValue(1234), 1234);

    // 64 TiB: 2^42 rows, far beyond an int.
    const FileViewPaging huge = FileViewPaging::setUp(qint64(1) << 46, 23);
    ASSERT_GT(huge.scale(), 1);
    EXPECT_LE(huge.scrollMaximum(), std::numeric_limits<int>::max());
    EXPECT_EQ(huge.positionFromScroll(1), 1);
    EXPECT_EQ(huge.positionFromScroll(huge.scrollMaximum()), huge.maximum());
    EXPECT_EQ(huge.scrollValue(huge.maximum()), huge.scrollMaximum());
    EXPECT_EQ(huge.pageOffset(huge.maximum()), (qint64(1) << 46) - 22 * 16);
    const qint64 middle = huge.positionFromScroll(huge.scrollMaximum() / 2);
    EXPECT_EQ(huge.scrollValue(middle), huge.scrollMaximum() / 2);
    EXPECT_GE(huge.scrollPageStep(), 1);
}
