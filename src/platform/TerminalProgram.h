#pragma once

#include <QString>

namespace quil {

// The desktop's terminal program: x-terminal-emulator (Debian's choice among
// the installed terminals) when it is on PATH, else the program that the
// variable TERMINAL names (a name or a path, not checked here); empty when
// neither names one.
QString terminalProgram();

} // namespace quil
