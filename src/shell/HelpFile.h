#pragma once

#include <QString>

namespace quil {

// The help file's name, as its messages give it.
inline constexpr char helpFileName[] = "hquil.chm";

// Where the help file of a program folder (ending in "/") is: beside the
// executable (a build folder), else share/quil/ of an installed program
// (bin/../share/quil/). Empty when neither exists.
QString findHelpFile(const QString &programFolder);

} // namespace quil
