// The main window's places and sizes kept between runs in quil.pos.
#include "app/TForm1.h"

#include "app/AppWindows.h"
#include "app/SecondPanelDock.h"
#include "app/WindowLayoutFile.h"
#include "fileops/TForm4.h"
#include "listing/FolderListView.h"
#include "listing/ListColumnSizer.h"
#include "listing/SortOrder.h"
#include "platform/Services.h"

#include <QSplitter>
#include <QTreeView>

void TForm1::restoreWindowLayout()
{
    const quil::WindowLayout layout =
        quil::readWindowLayout(quil::windowLayoutPath(m_services.settingsFolder), quil::ColumnCount);
    if (layout.mainWindow) {
        move(layout.mainWindow->topLeft());
        resize(layout.mainWindow->size());
    }
    if (layout.mainMaximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    if (layout.treeWidth)
        Splitter1->setSizes({*layout.treeWidth, std::max(1, width() - *layout.treeWidth)});
    if (layout.columnWidths)
        m_columns->setBases(*layout.columnWidths);
    if (m_windows == nullptr)
        return;
    TForm4 &panel = *m_windows->Form4;
    if (layout.secondPanel)
        panel.move(*layout.secondPanel);
    if (layout.secondPanelSize)
        panel.resize(*layout.secondPanelSize);
    if (layout.secondPanelDock)
        m_panelDock->setPlace(static_cast<quil::SecondPanelDock::Place>(*layout.secondPanelDock));
    if (layout.secondPanelDockSize)
        m_panelDock->resizeDock(*layout.secondPanelDockSize);
    if (layout.secondPanelFolder)
        panel.showKeptFolder(*layout.secondPanelFolder);
    if (layout.secondPanelView)
        panel.showView(static_cast<TForm4::View>(*layout.secondPanelView));
}

void TForm1::writeWindowLayout()
{
    quil::WindowLayout layout;
    const bool maximized = isMaximized();
    const QRect normal = maximized ? normalGeometry() : QRect(pos(), size());
    if (normal.isValid())
        layout.mainWindow = normal;
    layout.mainMaximized = maximized;
    const int tree = Splitter1->sizes().value(0);
    layout.treeWidth = tree > 0 ? tree : ShellTreeView1->width();
    layout.columnWidths = m_columns->bases();
    if (m_windows != nullptr) {
        const TForm4 &panel = *m_windows->Form4;
        const QRect window = m_panelDock->windowGeometry();
        if (panel.testAttribute(Qt::WA_Moved) && window.isValid())
            layout.secondPanel = window.topLeft();
        if (window.isValid())
            layout.secondPanelSize = window.size();
        layout.secondPanelDock = static_cast<int>(m_panelDock->place());
        if (m_panelDock->place() != quil::SecondPanelDock::Place::Window)
            layout.secondPanelDockSize = m_panelDock->size();
        layout.secondPanelFolder = panel.SecondPanelPath.path();
        layout.secondPanelView = static_cast<int>(panel.view());
    }
    quil::writeWindowLayout(quil::windowLayoutPath(m_services.settingsFolder), layout);
}
