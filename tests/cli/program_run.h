// Runs the built pulsecalc program as a separate process, as a user or script
// runs it: arguments in; standard output, standard error and exit status out.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
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

// A temporary file that is removed again with its owner.
class ScratchFile {
public:
    ScratchFile()
    {
        const char* dir = std::getenv("TMPDIR");
        path_ = std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp") + "/pulsecalc-run-XXXXXX";
        const int fd = mkstemp(path_.data());
        if (fd >= 0) {
            close(fd);
        }
    }
    ~ScratchFile() { std::remove(path_.c_str()); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    const std::string& path() const { return path_; }

    std::string contents() const
    {
        std::ifstream in(path_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string path_;
};

inline ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments)
{
    ScratchFile out;
    ScratchFile err;
    std::vector<std::string> owned{program};
    owned.insert(owned.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& argument : owned) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.path().c_str(), O_WRONLY | O_TRUNC, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.path().c_str(), O_WRONLY | O_TRUNC, 0);
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
    run.out = out.contents();
    run.err = err.contents();
    return run;
}

} // namespace veldronix::testing_support
