#pragma once

#include "platform/Launcher.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Services.h"
#include "support/TempTree.h"

// The services a window test hands to the windows: scripted dialogs, the real
// launcher and a temporary settings folder, which also stands for the program
// folder (so no help file is found there). Link quil_platform to use it.
struct TestServices
{
    TempTree settings;
    quil::ScriptedDialogs dialogs;
    quil::Launcher launcher;
    quil::Services services{dialogs, launcher, settings.root() + QLatin1Char('/'), settings.root() + QLatin1Char('/')};
};
