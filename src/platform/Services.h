#pragma once

#include "platform/SettingsFiles.h"

#include <QString>

namespace quil {

class Dialogs;
class Launcher;

// The collaborators every window receives, created once by the entry point
// (and by tests, with a temporary settings folder and scripted dialogs).
struct Services
{
    Dialogs &dialogs;
    // Starts programs and opens documents.
    Launcher &launcher;
    // Folder of quil.ini, quil.ext and fs.ini.
    FolderPath settingsFolder;
    // Folder of the executable: where the help file is looked for. The
    // default needs the application object.
    FolderPath programFolder = quil::programFolder();
};

} // namespace quil
