#pragma once

#include "support/NamedControl.h"
#include "viewers/TExtent.h"

#include <QPushButton>
#include <QTreeWidget>

// The extension table window's controls as the tests reach them: by their
// object names.
struct ExtensionWindowControls
{
private:
    // First, so that it is set before the controls are looked up.
    const TExtent &m_window;

    template <typename Control> Control *find(const char *name) const
    {
        return namedControl<Control>(m_window, "extension", name);
    }

public:
    explicit ExtensionWindowControls(const TExtent &window) : m_window(window) {}

    QTreeWidget *ListView1 = find<QTreeWidget>("ListView1");
    QPushButton *Button1 = find<QPushButton>("Button1");
    QPushButton *Button2 = find<QPushButton>("Button2");
    QPushButton *Button3 = find<QPushButton>("Button3");
    QPushButton *Button4 = find<QPushButton>("Button4");
    QPushButton *Button5 = find<QPushButton>("Button5");
};

// The controls of the extension table window (each call looks them up afresh).
inline ExtensionWindowControls ui(const TExtent &window)
{
    return ExtensionWindowControls(window);
}
