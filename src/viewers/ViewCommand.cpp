#include "viewers/ViewCommand.h"

#include "platform/Launcher.h"
#include "platform/ProgramSettings.h"
#include "viewers/PictureLoader.h"
#include "viewers/TRF.h"
#include "viewers/TSHPIC.h"

namespace quil {

ViewCommand::ViewCommand(Launcher &launcher, const ProgramSettings &settings, TRF &text, TSHPIC &picture,
                         QObject *parent)
    : QObject(parent), m_launcher(launcher), m_settings(settings), m_text(text), m_picture(picture)
{}

bool ViewCommand::isPictureName(const QString &name) const
{
    return PictureLoader::kindOfPath(name) != PictureKind::None;
}

void ViewCommand::view(const QString &path, const QString &name)
{
    const bool isPicture = isPictureName(name);
    if ((isPicture ? m_settings.pictureViewer : m_settings.textViewer).used) {
        runExternal(isPicture, path);
        return;
    }
    LastViewWasPicture = isPicture;
    showInViewer(isPicture, path, std::nullopt);
}

void ViewCommand::runExternal(bool picture, const QString &path)
{
    const ProgramSettings::Program &external = picture ? m_settings.pictureViewer : m_settings.textViewer;
    // The path is the whole parameter, blanks and quotes included; what
    // the viewer makes of it is its own affair.
    m_launcher.run(external.path, path, Launcher::ArgumentForm::OneArgument);
}

void ViewCommand::showInViewer(bool picture, const QString &path, const std::optional<QString> &searchText)
{
    // Each viewer keeps the path of what it shows, so a hidden text viewer
    // never re-reads a picture on its next code page or mode change.
    if (!picture) {
        m_text.setCurrentFilePath(path);
        if (!m_text.isVisible()) {
            m_text.show();
            m_picture.hide();
        }
        if (searchText)
            m_text.setSearchText(*searchText);
        m_text.LoadViewFile();
        bringToFront(m_text);
        return;
    }
    m_picture.setCurrentFilePath(path);
    if (m_picture.isVisible()) {
        m_picture.loadPicture();
    } else {
        // Showing the window loads the picture.
        m_picture.show();
        m_text.hide();
    }
    bringToFront(m_picture);
}

void ViewCommand::bringToFront(QWidget &viewer)
{
    // A viewer left open behind other windows comes forward with the file.
    viewer.raise();
    viewer.activateWindow();
}

void ViewCommand::toggleViewer()
{
    toggleViewer(LastViewWasPicture);
}

void ViewCommand::toggleViewer(bool picture)
{
    QWidget &shown = picture ? static_cast<QWidget &>(m_picture) : m_text;
    QWidget &other = picture ? static_cast<QWidget &>(m_text) : m_picture;
    shown.setVisible(!shown.isVisible());
    other.hide();
}

} // namespace quil
