// A program of the build run as a child process, its standard error read as it
// comes (its standard output is dropped, or read with it), and the fixture of the
// tests that run them.
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

class ChildProcess {
public:
    // Starts `path` with `args` and this process's environment changed by
    // `environment`: "NAME=value" sets NAME, a bare "NAME" leaves it out.
    // `withOutput`: standard output comes on the same pipe as standard error.
    ChildProcess(const std::string& path, const std::vector<std::string>& args,
                 const std::vector<std::string>& environment = {}, bool withOutput = false);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line of standard error, without its '\n'; false at its end.
    bool ReadErrorLine(std::string* line);
    // Reads standard error up to a line that holds `text`, which `line` receives;
    // false at its end.
    bool ReadErrorUntil(const std::string& text, std::string* line = nullptr);
    void Signal(int signal);
    pid_t Pid() const { return pid_; }
    // Reads standard error to its end and waits for the child: its exit status, or
    // -1 when it did not exit (a signal, an abort). `error` receives what was not
    // read yet.
    int Wait(std::string* error = nullptr);
    // Waits as Wait does; fails unless the child exited with `status`, showing the
    // end of what it wrote.
    testing::AssertionResult Exits(int status);

private:
    pid_t pid_ = -1;
    int errorPipe_ = -1;
    std::string buffered_;
};

// The end of a child's output, for a failure's message.
std::string Tail(const std::string& output);

// A test that runs the build's programs, with a folder of its own for their files
// (scripts, saves, pictures), removed after it.
class ChildProcessTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string Path(const std::string& name) const { return (folder_ / name).string(); }
    // Writes `text` to the file `name` of the folder and returns its path.
    std::string File(const std::string& name, const std::string& text) const;

    std::filesystem::path folder_;
};
