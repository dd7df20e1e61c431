// The main window's View command and the toggle of the viewer used last.
#include "app/TForm1.h"

#include "app/AppWindows.h"
#include "app/TSet1.h"
#include "listing/FolderListView.h"
#include "platform/Dialogs.h"
#include "platform/Services.h"
#include "viewers/ViewCommand.h"

#include <QCoreApplication>
#include <QToolButton>

void TForm1::connectViewers()
{
    m_view = new quil::ViewCommand(m_services.launcher, m_windows->Set1->settings(), *m_windows->RF, *m_windows->SHPIC,
                                   this);
}

void TForm1::setUpView()
{
    connect(SpeedButton4, &QToolButton::clicked, this, &TForm1::SpeedButton4Click);
    connect(SpeedButton12, &QToolButton::clicked, this, &TForm1::SpeedButton12Click);
}

void TForm1::SpeedButton4Click()
{
    const int row = currentRow();
    // The command acts on the list's row only while the list is the user's
    // place (the speed buttons never take the focus from it).
    if (!ListView->hasFocus() || row < 0) {
        m_services.dialogs.message(QCoreApplication::translate("TForm1View", "Ничего не выбрано"),
                                   QStringLiteral("QUIL"), quil::Dialogs::Icon::None);
        return;
    }
    setStatus(QCoreApplication::translate("TForm1View", " Просмотр..."));
    if (m_listing.isFolder(row) || m_view == nullptr)
        return;
    const TShellItem &entry = m_listing.entry(row);
    m_view->view(entry.path(), entry.name);
}

void TForm1::SpeedButton12Click()
{
    if (m_view != nullptr)
        m_view->toggleViewer();
}
