#pragma once

#include "platform/FolderPath.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

namespace quil {

// The places and sizes kept between runs, in quil.pos beside quil.ini; a
// value that is missing or damaged is left out and the window keeps its
// design's. The main window's rectangle is its frame's top-left corner and
// its inner size.
struct WindowLayout
{
    std::optional<QRect> mainWindow;
    bool mainMaximized = false;
    std::optional<int> treeWidth;
    std::optional<QList<int>> columnWidths;
    std::optional<QPoint> secondPanel;
    // The second panel's folder and view (0 icons, 1 table, 2 list).
    std::optional<QString> secondPanelFolder;
    std::optional<int> secondPanelView;
    // The second panel's own window's inner size; where the panel is (0 its
    // own window, 1 docked below the list, 2 docked to its right); the
    // dock's size.
    std::optional<QSize> secondPanelSize;
    std::optional<int> secondPanelDock;
    std::optional<QSize> secondPanelDockSize;
};

// The file's path in a settings folder that ends in "/".
QString windowLayoutPath(const FolderPath &settingsFolder);

// Reads the file; one that is missing, unreadable or damaged gives the
// values it does not hold well formed as missing. Never raises.
WindowLayout readWindowLayout(const QString &path, int columnCount);

// Writes the file (CR LF lines) through a temporary file and a rename.
// Raises QuilError on failure, leaving the previous file whole.
void writeWindowLayout(const QString &path, const WindowLayout &layout);

} // namespace quil
