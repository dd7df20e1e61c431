// The main window's "Искать" button and its part in the search window's Go to;
// the work is the search subsystem's.
#include "app/TForm1.h"

#include "app/AppWindows.h"
#include "app/TSet1.h"
#include "listing/FolderListView.h"
#include "platform/ErrorBox.h"
#include "platform/Services.h"
#include "search/SearchWindowController.h"
#include "search/TFILESCH.h"
#include "viewers/ViewCommand.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

void TForm1::connectSearchWindow()
{
    // The search shows its results in the viewers the main window's View uses.
    m_windows->FILESCH->controller().setResultTools(
        m_windows->Set1->settings(), *m_view,
        [this](const quil::FolderPath &folder, const QString &name) { goToEntry(folder, name); });
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
}

void TForm1::Button1Click()
{
    m_windows->FILESCH->showForFolder(listedFolder().withTrailingSlash());
}

void TForm1::goToEntry(const quil::FolderPath &folder, const QString &name)
{
    activateWindow();
    raise();
    ListView->setFocus();
    quil::runHandler(m_services.dialogs, [&] {
        m_listing.EntryToSelect = name;
        navigateByPath(folder);
    });
}
