#pragma once

#include "platform/FolderPath.h"

#include <QString>

namespace quil {

class Launcher;

// The help file's name, as its messages give it; the English help is
// hquil_en.chm, and its pages are in help/en/.
inline constexpr char helpFileName[] = QT_TRANSLATE_NOOP("HelpFile", "hquil.chm");

// Where the help file of a program folder is: beside the
// executable (a build folder), else share/quil/ of an installed program
// (bin/../share/quil/). Empty when neither exists.
QString findHelpFile(const FolderPath &programFolder);

// The contents page of the help as HTML pages, help/index.html, looked for
// in the same two places. Empty when neither exists.
QString findHelpPages(const FolderPath &programFolder);

// How the help was opened.
enum class HelpOpened {
    File,    // hquil.chm, by the application for its type
    Pages,   // the HTML contents page, by the default browser
    Failed,  // help is there, but no application opened it
    Missing, // neither the help file nor the pages exist
};

// Opens the help: the help file with its default application; where none
// takes it (most Linux desktops have no viewer for compiled help) or the
// file is missing, the HTML contents page with the default browser.
HelpOpened openHelp(Launcher &launcher, const FolderPath &programFolder);

} // namespace quil
