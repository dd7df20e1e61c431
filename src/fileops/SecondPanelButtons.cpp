#include "fileops/SecondPanelButtons.h"

#include "fileops/MainList.h"
#include "fileops/MainWindowFrame.h"
#include "fileops/TForm4.h"
#include "platform/ErrorBox.h"
#include "platform/Services.h"

namespace quil {

SecondPanelButtons::SecondPanelButtons(MainList &list, MainWindowFrame &frame, Services &services, QObject *parent)
    : QObject(parent), m_list(list), m_frame(frame), m_services(services)
{}

void SecondPanelButtons::setPanel(TForm4 *panel)
{
    m_panel = panel;
    m_panel->shownChanged = [this](bool shown) { panelShown(shown); };
}

void SecondPanelButtons::showInPanel(const FolderPath &path)
{
    m_panel->SecondPanelPath = path;
    m_panel->ListSecondPanel(path);
    // The keys go to the panel's list: its window becomes the active one.
    m_panel->focusList();
}

void SecondPanelButtons::panelShown(bool shown)
{
    m_frame.showPanelState(shown);
}

void SecondPanelButtons::showPanel()
{
    if (m_panel != nullptr)
        m_panel->showPanel();
}

void SecondPanelButtons::toggle()
{
    if (m_panel == nullptr)
        return;
    if (m_panel->isShown()) {
        m_panel->hide();
        panelShown(false);
    } else {
        showPanel();
    }
}

void SecondPanelButtons::mainToPanel()
{
    if (m_panel == nullptr)
        return;
    showPanel();
    showInPanel(m_list.listedFolder());
}

void SecondPanelButtons::listInMain(const FolderPath &path)
{
    runHandler(m_services.dialogs, [this, &path] { m_list.navigateByPath(path); });
    m_list.scrollTreeSelectionToTop();
}

void SecondPanelButtons::panelToMain()
{
    if (m_panel == nullptr)
        return;
    showPanel();
    listInMain(m_panel->folderPath());
}

void SecondPanelButtons::swap()
{
    if (m_panel == nullptr)
        return;
    showPanel();
    const FolderPath mainPath = m_list.listedFolder();
    listInMain(m_panel->folderPath());
    showInPanel(mainPath);
}

void SecondPanelButtons::foldTree()
{
    if (m_frame.treeShown()) {
        m_frame.setTreeShown(false);
        if (m_panel != nullptr) {
            const QRect frame = m_frame.windowRect();
            m_panel->setGeometry(frame.left() + frame.width() + 5, frame.top(), 310, frame.height());
            if (!m_panel->isShown())
                showPanel();
        }
    } else {
        m_frame.setTreeShown(true);
    }
}

} // namespace quil
