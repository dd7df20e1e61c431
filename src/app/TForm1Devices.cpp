// The main window's drives: the drive selector, the tree refresh, the
// rebuilt drive lists and the device notices; the work is the FolderNavigator's.
#include "app/TForm1.h"

#include "listing/FolderNavigator.h"

void TForm1::DriveComboBox1Change()
{
    m_nav->driveChanged();
}

void TForm1::refreshTree(int position)
{
    m_nav->refreshTree(position);
}

void TForm1::SpeedButton18Click()
{
    // The computer folder is node 2 until the home folder has been expanded;
    // the volumes are what this button is for, wherever their node is now.
    m_nav->refreshTree(m_nav->computerNodePosition());
    m_nav->rebuildDriveLists();
}

void TForm1::CD(int event)
{
    m_nav->deviceChange(event);
}
