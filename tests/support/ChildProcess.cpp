#include "tests/support/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

extern char** environ;

ChildProcess::ChildProcess(const std::string& path, const std::vector<std::string>& args,
                           const std::vector<std::string>& unset, bool withOutput) {
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view text = *entry;
        const std::string_view name = text.substr(0, text.find('='));
        if (std::find(unset.begin(), unset.end(), name) == unset.end())
            envp.push_back(*entry);
    }
    envp.push_back(nullptr);

    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        throw std::runtime_error("ChildProcess: no pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (withOutput)
        posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    else
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 2);
    const int failed = posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    errorPipe_ = fds[0];
    if (failed != 0) {
        pid_ = -1;
        throw std::runtime_error("ChildProcess: cannot start " + path + ": " + std::strerror(failed));
    }
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    close(errorPipe_);
}

bool ChildProcess::ReadErrorLine(std::string* line) {
    for (;;) {
        const std::size_t end = buffered_.find('\n');
        if (end != std::string::npos) {
            *line = buffered_.substr(0, end);
            buffered_.erase(0, end + 1);
            return true;
        }
        char chunk[4096];
        const ssize_t n = read(errorPipe_, chunk, sizeof(chunk));
        if (n <= 0)
            return false;
        buffered_.append(chunk, std::size_t(n));
    }
}

bool ChildProcess::ReadErrorUntil(const std::string& text) {
    std::string line;
    while (ReadErrorLine(&line)) {
        if (line.find(text) != std::string::npos)
            return true;
    }
    return false;
}

void ChildProcess::Signal(int signal) {
    kill(pid_, signal);
}

int ChildProcess::Wait(std::string* error) {
    char chunk[4096];
    for (ssize_t n; (n = read(errorPipe_, chunk, sizeof(chunk))) > 0;)
        buffered_.append(chunk, std::size_t(n));
    if (error != nullptr)
        *error = buffered_;
    buffered_.clear();
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
