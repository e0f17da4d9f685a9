#include "tests/support/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <stdexcept>

extern char** environ;

ChildProcess::ChildProcess(const std::string& path, const std::vector<std::string>& args,
                           const std::vector<std::string>& environment, bool withOutput) {
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const auto nameOf = [](std::string_view entry) { return entry.substr(0, entry.find('=')); };
    std::vector<char*> envp;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::ranges::none_of(environment,
                                 [&](const std::string& change) { return nameOf(change) == nameOf(*entry); }))
            envp.push_back(*entry);
    }
    for (const std::string& change : environment) {
        if (change.find('=') != std::string::npos)
            envp.push_back(const_cast<char*>(change.c_str()));
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

bool ChildProcess::ReadErrorUntil(const std::string& text, std::string* line) {
    std::string read;
    while (ReadErrorLine(&read)) {
        if (read.find(text) != std::string::npos) {
            if (line != nullptr)
                *line = read;
            return true;
        }
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

testing::AssertionResult ChildProcess::Exits(int status) {
    std::string error;
    const int exited = Wait(&error);
    if (exited == status)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "exit status " << exited << ", not " << status << "\n"
                                       << Tail(error);
}

std::string Tail(const std::string& output) {
    return output.substr(output.size() - std::min<size_t>(output.size(), 3000));
}

void ChildProcessTest::SetUp() {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::path(testing::TempDir()) /
              (std::string(test->test_suite_name()) + "_" + test->name() + "_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder_);
}

void ChildProcessTest::TearDown() {
    std::filesystem::remove_all(folder_);
}

std::string ChildProcessTest::File(const std::string& name, const std::string& text) const {
    std::ofstream(folder_ / name) << text;
    return Path(name);
}
