// A program of the build run as a child process, its standard error read as it
// comes (its standard output is dropped, or read with it).
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

class ChildProcess {
public:
    // Starts `path` with `args`, without the environment variables named in `unset`;
    // `withOutput`: standard output comes on the same pipe as standard error.
    ChildProcess(const std::string& path, const std::vector<std::string>& args,
                 const std::vector<std::string>& unset = {}, bool withOutput = false);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line of standard error, without its '\n'; false at its end.
    bool ReadErrorLine(std::string* line);
    // Reads standard error up to a line that holds `text`; false at its end.
    bool ReadErrorUntil(const std::string& text);
    void Signal(int signal);
    pid_t Pid() const { return pid_; }
    // Reads standard error to its end and waits for the child: its exit status, or
    // -1 when it did not exit (a signal, an abort). `error` receives what was not
    // read yet.
    int Wait(std::string* error = nullptr);

private:
    pid_t pid_ = -1;
    int errorPipe_ = -1;
    std::string buffered_;
};
