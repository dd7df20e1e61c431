#pragma once

#include <QRect>

namespace quil {

// What the second panel's buttons ask of the main window itself, beyond its
// list: the glyph of the show/hide button, folding the tree and the window's
// place for the panel beside it. The main window implements it.
class MainWindowFrame
{
public:
    virtual ~MainWindowFrame() = default;

    // The show/hide button (SpeedButton17) takes "TOONE" while the panel is
    // shown, "TOTWO" while it is hidden.
    virtual void showPanelState(bool shown) = 0;
    virtual bool treeShown() const = 0;
    // Hides or shows the folder tree: its button (SpeedButton13) takes
    // "TORIGHT" or "TOLEFT" and the window narrows or widens by the tree's
    // designed width.
    virtual void setTreeShown(bool shown) = 0;
    // The window's geometry on the screen, without its frame.
    virtual QRect windowRect() const = 0;
};

} // namespace quil
