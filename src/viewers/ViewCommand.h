#pragma once

#include "search/FileViewing.h"

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
// outside program chosen for its kind, or to the text or picture viewer. The
// search window views its results through it, by rules of its own.
class ViewCommand : public QObject, public FileViewing
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

    bool isPictureName(const QString &name) const override;
    void runExternal(bool picture, const QString &path) override;
    void showInViewer(bool picture, const QString &path, const std::optional<QString> &searchText) override;
    void toggleViewer(bool picture) override;

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
