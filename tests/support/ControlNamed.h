#pragma once

#include <QWidget>

#include <cstdlib>

// A window's control found by its object name, as a user's tools
// (accessibility, scripts) find it. A control that is not found ends the test
// at once.
template <typename Control> Control *controlNamed(const QWidget &window, const char *name)
{
    auto *control = window.findChild<Control *>(QLatin1String(name));
    if (control == nullptr) {
        qCritical("The window %s has no control named %s", qPrintable(window.objectName()), name);
        std::abort();
    }
    return control;
}
