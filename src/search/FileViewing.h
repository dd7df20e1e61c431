#pragma once

#include <QString>
#include <optional>

namespace quil {

// The program's viewers as the search window uses them for its results. The
// viewers' layer above implements it (ViewCommand) and the main window hands
// it over, so the search needs no viewer of its own.
class FileViewing
{
public:
    virtual ~FileViewing() = default;

    // Whether a file of this name goes to the picture viewer: its extension,
    // in any letter case, is one the picture viewer reads.
    virtual bool isPictureName(const QString &name) const = 0;
    // Starts the outside viewer for pictures or for texts, ticked or not,
    // with the path as its one argument; whether it starts is not examined.
    virtual void runExternal(bool picture, const QString &path) = 0;
    // Shows the file in the picture or the text viewer, hiding the other one
    // when it has to show itself first; the text viewer's search box takes
    // searchText before the file is opened, when given.
    virtual void showInViewer(bool picture, const QString &path, const std::optional<QString> &searchText) = 0;
    // Shows the picture or the text viewer when it is hidden, else hides it;
    // the other one is hidden.
    virtual void toggleViewer(bool picture) = 0;
};

} // namespace quil
