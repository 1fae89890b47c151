#pragma once
// What the fuzz targets that read from a path share: the input in an anonymous in-memory file, and prompts
// that count messages and insist on UTF-8.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/user_prompts.h"
#include "utf8_check.h"

namespace qxed::fuzz {

[[noreturn]] inline void Abort(const char* fuzzer, const char* what) {
    std::fprintf(stderr, "%s fuzzer: %s\n", fuzzer, what);
    std::abort();
}

// Every run reads a real path without touching a disk.
class MemoryInputFile {
  public:
    explicit MemoryInputFile(const char* name) : fd_(memfd_create(name, MFD_CLOEXEC)) {
        if (fd_ < 0) Abort(name, "cannot create the input file");
        path_ = "/proc/self/fd/" + std::to_string(fd_);
    }
    const std::string& Path() const { return path_; }
    void Put(const uint8_t* data, std::size_t size) const {
        if (ftruncate(fd_, 0) != 0) Abort("input", "cannot empty the input file");
        std::size_t done = 0;
        while (done < size) {
            const ssize_t put = pwrite(fd_, data + done, size - done, static_cast<off_t>(done));
            if (put <= 0) Abort("input", "cannot write the input file");
            done += static_cast<std::size_t>(put);
        }
    }

  private:
    int fd_;
    std::string path_;
};

// Counts the messages instead of showing them; what a message box gets must be UTF-8.
class QuietPrompts : public UserPrompts {
  public:
    int Shown = 0;
    MessageResult ShowMessage(const std::string& text, const std::string& caption, MessageIcon,
                              MessageButtons) override {
        if (!IsUtf8(text) || !IsUtf8(caption)) Abort("prompts", "a message is no UTF-8");
        ++Shown;
        return MessageResult::Ok;
    }
};

}  // namespace qxed::fuzz
