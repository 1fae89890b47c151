#pragma once
#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "cli_runner.h"

namespace qxed::testing {

// A program running in the background, stdin from /dev/null, with what it writes to stdout and stderr
// collected as it comes, so a test can wait for a line, signal it and collect its exit.
class ChildProcess {
  public:
    ChildProcess(const std::string& program, const std::vector<std::string>& args);
    ~ChildProcess();  // kills the program if it still runs
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next whole line of stdout, without its end; nullopt at the end of the output or after the
    // time-out.
    std::optional<std::string> ReadLine(std::chrono::milliseconds timeout);
    // Waits until stderr holds the text; false after the time-out or at the end of the output.
    bool WaitForErr(const std::string& text, std::chrono::milliseconds timeout);
    void Signal(int signal);
    // Waits up to the time-out for the program to end by itself; true when it has.
    bool Exited(std::chrono::milliseconds timeout);
    // Waits for the exit, killing the program after the time-out (the exit code is then -1), and returns
    // all of stdout (lines read included) and stderr.
    RunResult Wait(std::chrono::milliseconds timeout);

  private:
    struct Stream {
        int Fd = -1;
        std::string Text;
        bool Ended = false;
        std::thread Reader;
    };
    void Collect(Stream& stream);
    // Kills the program if it still runs, reaps it and collects the rest of its output.
    void Reap();

    pid_t pid_ = -1;
    int exitCode_ = -1;
    bool reaped_ = false;
    std::mutex mutex_;
    std::condition_variable changed_;
    Stream out_;
    Stream err_;
    std::size_t lineStart_ = 0;  // stdout up to here has been read as lines
};

}  // namespace qxed::testing
