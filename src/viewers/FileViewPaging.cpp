#include "viewers/FileViewPaging.h"

#include <algorithm>

namespace quil {

namespace {

// Kept well below INT_MAX so that page steps added by the scroll bar cannot overflow.
constexpr qint64 kScrollLimit = qint64(1) << 30;

} // namespace

qint64 FileViewPaging::linesPerPage(qint64 textAreaHeight, int pointSize)
{
    if (pointSize <= 0)
        pointSize = kFontPointSize;
    return std::max<qint64>(1, textAreaHeight / pointSize * 60 / 100 - 1);
}

FileViewPaging FileViewPaging::setUp(qint64 fileSize, qint64 linesPerPage)
{
    FileViewPaging paging;
    const qint64 rows = std::max<qint64>(0, fileSize) / 16;
    if (rows - (linesPerPage - 2) <= 1)
        return paging; // maximum 1, page size 1, large change 1, disabled
    paging.m_maximum = rows - linesPerPage + 2;
    paging.m_pageSize = linesPerPage / paging.m_maximum;
    paging.m_largeChange = linesPerPage - 1;
    paging.m_enabled = true;
    return paging;
}

qint64 FileViewPaging::clamp(qint64 position) const
{
    return std::clamp<qint64>(position, 1, m_maximum);
}

qint64 FileViewPaging::pageOffset(qint64 position) const
{
    if (m_maximum == 1)
        return 0;
    return (clamp(position) - 1) * 16;
}

qint64 FileViewPaging::afterKey(qint64 position, Key key, qint64 linesPerPage) const
{
    switch (key) {
    case Key::Up:
        return position > 1 ? position - 1 : position;
    case Key::Down:
        return position < m_maximum ? position + 1 : position;
    case Key::Home:
        return 1;
    case Key::End:
        return m_maximum;
    case Key::PageUp:
        return position > linesPerPage ? position - linesPerPage : 1;
    case Key::PageDown:
        return position < m_maximum ? clamp(position + linesPerPage) : position;
    }
    return position;
}

qint64 FileViewPaging::afterWheel(qint64 position, int delta) const
{
    if (delta > 0)
        return position > 1 ? position - 1 : position;
    return position < m_maximum ? position + 1 : position;
}

qint64 FileViewPaging::scale() const
{
    return (m_maximum + kScrollLimit - 1) / kScrollLimit;
}

int FileViewPaging::scrollMaximum() const
{
    return static_cast<int>((m_maximum - 1) / scale() + 1);
}

int FileViewPaging::scrollValue(qint64 position) const
{
    return static_cast<int>((clamp(position) - 1) / scale() + 1);
}

qint64 FileViewPaging::positionFromScroll(int value) const
{
    if (value >= scrollMaximum())
        return m_maximum;
    return clamp((qint64(value) - 1) * scale() + 1);
}

int FileViewPaging::scrollPageStep() const
{
    return static_cast<int>(std::max<qint64>(1, m_largeChange / scale()));
}

} // namespace quil
