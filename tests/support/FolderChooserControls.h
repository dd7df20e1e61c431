#pragma once

#include "search/TFB.h"
#include "support/NamedControl.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

// The folder chooser's controls as the tests reach them: by their object names.
struct FolderChooserControls
{
private:
    // First, so that it is set before the controls are looked up.
    const TFB &m_window;

    template <typename Control> Control *find(const char *name) const
    {
        return namedControl<Control>(m_window, "folder chooser", name);
    }

public:
    explicit FolderChooserControls(const TFB &window) : m_window(window) {}

    QComboBox *DriveComboBox1 = find<QComboBox>("DriveComboBox1");
    QListWidget *DirectoryListBox1 = find<QListWidget>("DirectoryListBox1");
    QPushButton *Button1 = find<QPushButton>("Button1");
};

// The controls of the folder chooser (each call looks them up afresh).
inline FolderChooserControls ui(const TFB &window)
{
    return FolderChooserControls(window);
}
