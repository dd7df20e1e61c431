// The main list follows what other programs change in its folder; the work
// is the listing subsystem's FolderListFollower.
#include "app/TForm1.h"

#include "fileops/MarksController.h"
#include "listing/FolderListFollower.h"
#include "listing/FolderListView.h"

void TForm1::setUpLiveList()
{
    const quil::FollowedList list{
        m_listing,
        *m_listModel,
        *ListView,
        *m_changeHold,
        [this] { m_marks->ShowSelectionSummary(); },
        [this](const quil::FolderPath &folder) { navigateByPath(folder); },
        [this](const QString &text) { setStatus(text); },
    };
    new quil::FolderListFollower(list, this);
}
