#pragma once

#include "platform/FolderPath.h"

#include <QString>
#include <QStringList>

namespace quil {

// What the main window's commands need of the second panel window: its
// folder, its rows and showing it. The second panel window implements it.
class SecondPanel
{
public:
    virtual ~SecondPanel() = default;

    // SecondPanelPath: the folder the panel lists.
    virtual FolderPath folderPath() const = 0;
    // The names of the panel's rows, exactly as listed.
    virtual QStringList rowNames() const = 0;
    virtual bool isShown() const = 0;
    // Shows the panel; the main window's show/hide button takes its "TOONE" glyph.
    virtual void showPanel() = 0;
    // Lists the panel's folder again.
    virtual void relist() = 0;
    // Activates the panel and gives the keyboard focus to its list.
    virtual void focusList() = 0;
};

} // namespace quil
