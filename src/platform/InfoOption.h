#pragma once

namespace quil {

// The program's version as its windows and tools tell it: "QUIL 1.5".
const char *versionLine();

// --help and --version as the first argument of the program or one of its
// tools: prints the usage line(s) and the version line (--help) or the
// version line alone (--version) on stdout and returns true; false for any
// other command line, which then runs as usual.
bool answerInfoOption(int argc, char **argv, const char *usage);

} // namespace quil
