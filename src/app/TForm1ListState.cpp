// What the main list keeps between runs beside quil.ini: the path box's
// history (quil.hst), whether hidden entries are listed (quil.opt) and the
// favourite folders (quil.fav).
#include "app/TForm1.h"

#include "app/FavouriteFolders.h"

#include "listing/FolderListView.h"
#include "listing/FolderNavigator.h"
#include "listing/ListOptionsFile.h"
#include "listing/PathHistoryFile.h"
#include "platform/Services.h"

void TForm1::restoreListState()
{
    const quil::FolderPath &folder = m_services.settingsFolder;
    m_listing.setHiddenShown(quil::readListOptions(quil::listOptionsPath(folder)).hiddenShown);
    m_nav->restoreHistory(quil::readPathHistory(quil::pathHistoryPath(folder)));
    m_favourites->restore();
}

void TForm1::keepListState()
{
    const quil::FolderPath &folder = m_services.settingsFolder;
    quil::writePathHistory(quil::pathHistoryPath(folder), m_nav->history().paths());
    quil::writeListOptions(quil::listOptionsPath(folder), quil::ListOptions{m_listing.hiddenShown()});
}

void TForm1::focusMainList()
{
    // The second panel is a window of its own: the keys follow the active one.
    activateWindow();
    ListView->setFocus(Qt::TabFocusReason);
}
