#pragma once

#include <QObject>
#include <QString>

#include <cstdlib>

// A window's control found by its object name, as a user's tools
// (accessibility, scripts) find it. A control that is not found ends the
// test at once: each window's helper looks up every control it names.
template <typename Control> Control *namedControl(const QObject &window, const char *windowName, const char *name)
{
    auto *control = window.findChild<Control *>(QLatin1String(name));
    if (control == nullptr) {
        qCritical("The %s window has no control named %s", windowName, name);
        std::abort();
    }
    return control;
}
