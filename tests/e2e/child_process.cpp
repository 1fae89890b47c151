#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace qxed::testing {

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    // Close-on-exec, so that programs started by other threads at the same time do not keep these pipes
    // open and hold back their end.
    int outPipe[2] = {-1, -1};
    int errPipe[2] = {-1, -1};
    if (::pipe2(outPipe, O_CLOEXEC) != 0 || ::pipe2(errPipe, O_CLOEXEC) != 0) return;
    const int in = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    pid_ = ::fork();
    if (pid_ == 0) {
        // Only async-signal-safe calls from here on.
        if (in < 0 || ::dup2(in, 0) < 0 || ::dup2(outPipe[1], 1) < 0 || ::dup2(errPipe[1], 2) < 0) _exit(126);
        ::execv(program.c_str(), argv.data());
        _exit(127);
    }
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    if (in >= 0) ::close(in);
    out_.Fd = outPipe[0];
    err_.Fd = errPipe[0];
    out_.Reader = std::thread([this] { Collect(out_); });
    err_.Reader = std::thread([this] { Collect(err_); });
}

ChildProcess::~ChildProcess() {
    Reap();
}

void ChildProcess::Collect(Stream& stream) {
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(stream.Fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) continue;
        std::lock_guard lock(mutex_);
        if (count <= 0) {
            stream.Ended = true;
            changed_.notify_all();
            return;
        }
        stream.Text.append(buffer, static_cast<std::size_t>(count));
        changed_.notify_all();
    }
}

std::optional<std::string> ChildProcess::ReadLine(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    const bool complete = changed_.wait_for(lock, timeout, [this] {
        return out_.Text.find('\n', lineStart_) != std::string::npos || out_.Ended;
    });
    const std::size_t end = out_.Text.find('\n', lineStart_);
    if (!complete || end == std::string::npos) return std::nullopt;
    std::string line = out_.Text.substr(lineStart_, end - lineStart_);
    lineStart_ = end + 1;
    return line;
}

bool ChildProcess::WaitForErr(const std::string& text, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, timeout, [&] { return err_.Text.find(text) != std::string::npos || err_.Ended; });
    return err_.Text.find(text) != std::string::npos;
}

void ChildProcess::Signal(int signal) {
    if (pid_ > 0 && !reaped_) ::kill(pid_, signal);
}

bool ChildProcess::Exited(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (pid_ > 0 && !reaped_) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            reaped_ = true;
            exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

RunResult ChildProcess::Wait(std::chrono::milliseconds timeout) {
    Exited(timeout);
    Reap();
    std::lock_guard lock(mutex_);
    return {exitCode_, out_.Text, err_.Text};
}

void ChildProcess::Reap() {
    if (pid_ > 0 && !reaped_) {
        ::kill(pid_, SIGKILL);
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        reaped_ = true;
    }
    for (Stream* stream : {&out_, &err_}) {
        if (stream->Reader.joinable()) stream->Reader.join();
        if (stream->Fd >= 0) ::close(stream->Fd);
        stream->Fd = -1;
    }
}

}  // namespace qxed::testing
