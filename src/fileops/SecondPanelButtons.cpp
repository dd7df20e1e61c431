#include "fileops/SecondPanelButtons.h"

#include "app/TForm1.h"
#include "fileops/Glyphs.h"
#include "fileops/TForm4.h"
#include "platform/ErrorBox.h"
#include "platform/Services.h"

#include <QToolButton>
#include <QTreeView>

namespace quil {

SecondPanelButtons::SecondPanelButtons(TForm1 &form, Services &services)
    : QObject(&form), m_form(form), m_services(services)
{}

void SecondPanelButtons::setPanel(TForm4 *panel)
{
    m_panel = panel;
    m_panel->shownChanged = [this](bool shown) { panelShown(shown); };
}

void SecondPanelButtons::showInPanel(const QString &path)
{
    m_panel->SecondPanelPath = path;
    m_panel->ListSecondPanel(path);
    // The keys go to the panel's list: its window becomes the active one.
    m_panel->focusList();
}

void SecondPanelButtons::panelShown(bool shown)
{
    setGlyph(m_form.SpeedButton17, shown ? QStringLiteral("TOONE") : QStringLiteral("TOTWO"));
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
    showInPanel(m_form.listedFolder());
}

void SecondPanelButtons::listInMain(const QString &path)
{
    runHandler(m_services.dialogs, [this, &path] { m_form.NavigateByPath(path); });
    m_form.ScrollTreeSelectionToTop();
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
    const QString mainPath = m_form.listedFolder();
    listInMain(m_panel->folderPath());
    showInPanel(mainPath);
}

void SecondPanelButtons::foldTree()
{
    QTreeView *tree = m_form.ShellTreeView1;
    if (!tree->isHidden()) {
        tree->hide();
        setGlyph(m_form.SpeedButton13, QStringLiteral("TORIGHT"));
        m_form.resize(m_form.width() - kTreeWidth, m_form.height());
        if (m_panel != nullptr) {
            const QRect frame = m_form.geometry();
            m_panel->setGeometry(frame.left() + frame.width() + 5, frame.top(), 310, frame.height());
            if (!m_panel->isShown())
                showPanel();
        }
    } else {
        tree->show();
        setGlyph(m_form.SpeedButton13, QStringLiteral("TOLEFT"));
        m_form.resize(m_form.width() + kTreeWidth, m_form.height());
    }
}

} // namespace quil
