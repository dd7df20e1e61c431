#pragma once

#include <QString>

namespace quil {

class Dialogs;

// The collaborators every window receives, created once by the entry point
// (and by tests, with a temporary settings folder and scripted dialogs).
struct Services
{
    Dialogs &dialogs;
    // Folder of quil.ini, quil.ext and fs.ini, with its trailing "/".
    QString settingsFolder;
};

} // namespace quil
