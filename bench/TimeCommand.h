#pragma once

#include <QElapsedTimer>

#include <cstdio>
#include <fcntl.h>
#include <initializer_list>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

// Runs a command (looked up in PATH) with its output thrown away and gives
// its wall-clock time in milliseconds, as the shell would see it; -1 when it
// cannot be started.
inline double timeCommand(std::initializer_list<const char *> command)
{
    std::vector<char *> arguments;
    for (const char *argument : command)
        arguments.push_back(const_cast<char *>(argument));
    arguments.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    double ms = -1;
    if (posix_spawnp(&pid, arguments[0], &actions, nullptr, arguments.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        ms = double(timer.nsecsElapsed()) / 1e6;
    } else {
        std::perror(arguments[0]);
    }
    posix_spawn_file_actions_destroy(&actions);
    return ms;
}
