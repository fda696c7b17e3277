// Runs the built pulsecalc as a separate process: arguments in; exit status,
// standard output and standard error out, through files in a folder of its own.
#pragma once

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace veldronix::testing_support {

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

// With closeOutput the program starts with its standard output closed, as
// `pulsecalc ... >&-` does.
inline ProgramRun runPulsecalc(const std::vector<std::string>& arguments, bool closeOutput = false)
{
    TempDir dir;
    const std::string out = dir.file("out");
    const std::string err = dir.file("err");
    std::vector<std::string> owned{VELDRONIX_PULSECALC_PATH};
    owned.insert(owned.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& argument : owned) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (closeOutput) {
        posix_spawn_file_actions_addclose(&actions, STDOUT_FILENO);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    }
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);

    ProgramRun run;
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << argv[0];
        return run;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
    }
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.out = readWhole(out);
    run.err = readWhole(err);
    return run;
}

} // namespace veldronix::testing_support
