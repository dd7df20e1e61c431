// The main window's drives: the drive selector, the tree refresh, the
// rebuilt drive lists and the device notices of the volume monitor.
#include "app/TForm1.h"

#include "listing/FolderTreeModel.h"
#include "platform/ErrorBox.h"
#include "platform/Services.h"
#include "platform/SettingsFiles.h"
#include "platform/VolumeMonitor.h"

#include <QComboBox>
#include <QLabel>

#include <functional>

void TForm1::DriveComboBox1Change()
{
    // The selection made while the window is created lists nothing.
    if (!m_windowShown)
        return;
    const QString root = SelectedDrive();
    // A volume without a readable root changes nothing but the selector.
    if (root.isEmpty() || !quil::directoryExists(root))
        return;
    quil::runHandler(m_services.dialogs, [this, &root] { NavigateByPath(root); });
}

void TForm1::RefreshTree(int position)
{
    SetStatus(QStringLiteral("Обновление дерева "));
    RefreshTreeNode(position);
    SetStatus(QStringLiteral("Жду команду... "));
}

int TForm1::computerNodePosition() const
{
    // Every node created so far counts, so the home folder's subtree (once
    // expanded) comes before the computer folder.
    const std::function<int(const QModelIndex &)> subtree = [&](const QModelIndex &node) {
        int count = 1;
        for (int row = 0; row < m_treeModel->rowCount(node); ++row)
            count += subtree(m_treeModel->index(row, 0, node));
        return count;
    };
    int position = 1;
    for (int row = 0; row < m_treeModel->rowCount(); ++row) {
        const QModelIndex child = m_treeModel->index(row, 0);
        if (m_treeModel->itemOf(child).isComputer())
            return position;
        position += subtree(child);
    }
    return 2;
}

void TForm1::SpeedButton18Click()
{
    // The computer folder is node 2 until the home folder has been expanded;
    // the volumes are what this button is for, wherever their node is now.
    RefreshTree(computerNodePosition());
    RebuildDriveLists();
}

void TForm1::RebuildDriveLists()
{
    FillDriveList();
    Q_EMIT driveListsRebuilt(m_volumes);
    // Selecting the volume again counts as a change of drive.
    DriveComboBox1Change();
}

void TForm1::CD(int event)
{
    switch (event) {
    case quil::VolumeMonitor::NodeChange:
        SetStatus(QStringLiteral("Смена носителя..."));
        break;
    case quil::VolumeMonitor::DeviceArrival:
        SetStatus(QStringLiteral("Есть новый диск"));
        RebuildDriveLists();
        break;
    case quil::VolumeMonitor::DeviceRemoval:
        SetStatus(QStringLiteral("Изъят диск."));
        RebuildDriveLists();
        break;
    default:
        SetStatus(QStringLiteral("Жду команды...!"));
        break;
    }
}
