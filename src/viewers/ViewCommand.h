#pragma once

#include <QObject>
#include <QString>
#include <optional>

class QWidget;
class TRF;
class TSHPIC;

namespace quil {

class Launcher;
struct ProgramSettings;

// The work behind the View button and the viewer toggle: a file goes to the
// outside program chosen for its kind, or to the text or picture viewer.
class ViewCommand : public QObject
{
    Q_OBJECT
public:
    ViewCommand(Launcher &launcher, const ProgramSettings &settings, TRF &text, TSHPIC &picture,
                QObject *parent = nullptr);

    // Shows the file at path; name is its name in the listing (its extension
    // tells a picture, a dot in a folder name is none).
    void view(const QString &path, const QString &name);
    // Shows or hides the viewer used last; the other one is hidden.
    void toggleViewer();

    // The pieces of view, for windows that choose the viewer by rules of
    // their own (the file search). A name is a picture's when its extension,
    // in any letter case, is one the picture viewer reads.
    static bool isPictureName(const QString &name);
    // Starts the outside viewer of the kind, ticked or not, with the path as
    // its one argument; whether it starts is not examined.
    void runExternal(bool picture, const QString &path);
    // Shows the file in the text or picture viewer, hiding the other one
    // when it has to show itself first; the text viewer's search box takes
    // searchText before the file is opened, when given.
    void showInViewer(bool picture, const QString &path, const std::optional<QString> &searchText = std::nullopt);

    // Whether the viewer shown last was the picture viewer.
    bool LastViewWasPicture = false;

private:
    static void bringToFront(QWidget &viewer);

    Launcher &m_launcher;
    const ProgramSettings &m_settings;
    TRF &m_text;
    TSHPIC &m_picture;
};

} // namespace quil
