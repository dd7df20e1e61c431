// The main window's View command and the toggle of the viewer used last.
#include "app/TForm1.h"

#include "app/AppWindows.h"
#include "app/TSet1.h"
#include "listing/FolderListView.h"
#include "platform/Dialogs.h"
#include "platform/Launcher.h"
#include "platform/Services.h"
#include "viewers/PictureLoader.h"
#include "viewers/TRF.h"
#include "viewers/TSHPIC.h"

#include <QToolButton>

void TForm1::setUpView()
{
    connect(SpeedButton4, &QToolButton::clicked, this, &TForm1::SpeedButton4Click);
    connect(SpeedButton12, &QToolButton::clicked, this, &TForm1::SpeedButton12Click);
}

void TForm1::SpeedButton4Click()
{
    const int row = SelectedRow();
    // The command acts on the list's row only while the list is the user's
    // place (the speed buttons never take the focus from it).
    if (!ListView->hasFocus() || row < 0) {
        m_services.dialogs.message(QStringLiteral("Ничего не выбрано"), QStringLiteral("QUIL"),
                                   quil::Dialogs::Icon::None);
        return;
    }
    SetStatus(QStringLiteral(" Просмотр..."));
    if (m_listing.isFolder(row) || m_windows == nullptr)
        return;
    const TShellItem &entry = m_listing.entry(row);
    const QString path = entry.relativeId.id.path();
    const quil::ProgramSettings &settings = m_windows->Set1->settings();
    TRF &text = *m_windows->RF;
    TSHPIC &picture = *m_windows->SHPIC;
    // The extension of the name alone: a dot in a folder name is none.
    const bool isPicture = quil::PictureLoader::kindOfPath(entry.name) != quil::PictureKind::None;
    const quil::ProgramSettings::Program &external = isPicture ? settings.pictureViewer : settings.textViewer;
    if (external.used) {
        // The path is the whole parameter, blanks and quotes included; what
        // the viewer makes of it is its own affair.
        m_services.launcher.run(external.path, path, quil::Launcher::ArgumentForm::OneArgument);
        return;
    }
    LastViewWasPicture = isPicture;
    // Each viewer keeps the path of what it shows, so a hidden text viewer
    // never re-reads a picture on its next code page or mode change.
    if (!isPicture) {
        text.setCurrentFilePath(path);
        if (!text.isVisible()) {
            text.show();
            picture.hide();
        }
        text.LoadViewFile();
        return;
    }
    picture.setCurrentFilePath(path);
    if (picture.isVisible()) {
        picture.loadPicture();
    } else {
        // Showing the window loads the picture.
        picture.show();
        text.hide();
    }
}

void TForm1::SpeedButton12Click()
{
    if (m_windows == nullptr)
        return;
    QWidget &shown = LastViewWasPicture ? static_cast<QWidget &>(*m_windows->SHPIC) : *m_windows->RF;
    QWidget &other = LastViewWasPicture ? static_cast<QWidget &>(*m_windows->RF) : *m_windows->SHPIC;
    shown.setVisible(!shown.isVisible());
    other.hide();
}
