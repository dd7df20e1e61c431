#pragma once

#include "support/NamedControl.h"
#include "viewers/PictureBox.h"
#include "viewers/TSHPIC.h"

#include <QLabel>

// The picture viewer's controls as the tests reach them: by their object names.
struct PictureViewerControls
{
private:
    // First, so that it is set before the controls are looked up.
    const TSHPIC &m_window;

    template <typename Control> Control *find(const char *name) const
    {
        return namedControl<Control>(m_window, "picture viewer", name);
    }

public:
    explicit PictureViewerControls(const TSHPIC &window) : m_window(window) {}

    QLabel *Panel1 = find<QLabel>("Panel1");
    quil::PictureBox *Image1 = find<quil::PictureBox>("Image1");
};

// The controls of the picture viewer (each call looks them up afresh).
inline PictureViewerControls ui(const TSHPIC &window)
{
    return PictureViewerControls(window);
}
