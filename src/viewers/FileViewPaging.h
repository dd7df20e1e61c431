#pragma once

#include <QtGlobal>

namespace quil {

// The arithmetic of the viewer's paged mode: lines per page, the range of the
// page scroll bar, page offsets and the moves of the keys and the wheel.
// Positions run from 1 to maximum; position p shows the page at (p - 1) * 16.
// All 64-bit, so every page of a file of any size can be reached.
class FileViewPaging
{
public:
    // The font point size the lines-per-page rule counts with (the 13-pixel
    // monospace font of the text area stands for a 10-point one).
    static constexpr int kFontPointSize = 10;

    // Lines on one page for a text area of the given height in pixels:
    // height / pointSize * 60 / 100 - 1, never below 1.
    static qint64 linesPerPage(qint64 textAreaHeight, int pointSize = kFontPointSize);

    // Sets up the range for a file size and page height. A file that fits on one
    // page gets maximum 1 and a disabled scroll bar.
    static FileViewPaging setUp(qint64 fileSize, qint64 linesPerPage);

    qint64 maximum() const { return m_maximum; }
    qint64 pageSize() const { return m_pageSize; }
    qint64 largeChange() const { return m_largeChange; }
    bool enabled() const { return m_enabled; }

    // The position limited to 1..maximum.
    qint64 clamp(qint64 position) const;
    // The file offset of the page shown at a position (0 when maximum is 1).
    qint64 pageOffset(qint64 position) const;

    enum class Key { Up, Down, Home, End, PageUp, PageDown };
    // The position after a key of the text area (already limited to the range).
    qint64 afterKey(qint64 position, Key key, qint64 linesPerPage) const;
    // The position after a wheel turn: delta above 0 moves up one row, else down.
    qint64 afterWheel(qint64 position, int delta) const;

    // The integer scroll bar of the window: its range is the position range
    // divided by a scale when the positions exceed what it can hold.
    qint64 scale() const;
    int scrollMaximum() const;
    int scrollValue(qint64 position) const;
    qint64 positionFromScroll(int value) const;
    int scrollPageStep() const;

private:
    qint64 m_maximum = 1;
    qint64 m_pageSize = 1;
    qint64 m_largeChange = 1;
    bool m_enabled = false;
};

} // namespace quil
