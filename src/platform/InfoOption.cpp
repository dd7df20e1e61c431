#include "platform/InfoOption.h"

#include <cstdio>
#include <cstring>

namespace quil {

const char *versionLine()
{
    return "QUIL " QUIL_VERSION_TEXT;
}

bool answerInfoOption(int argc, char **argv, const char *usage)
{
    if (argc < 2)
        return false;
    const bool help = std::strcmp(argv[1], "--help") == 0;
    if (!help && std::strcmp(argv[1], "--version") != 0)
        return false;
    if (help)
        std::fputs(usage, stdout);
    std::printf("%s\n", versionLine());
    std::fflush(stdout);
    return true;
}

} // namespace quil
