#include "text/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>

namespace qxed::file_access {

namespace {

namespace fs = std::filesystem;

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    // Closes now and reports whether the close succeeded (a delayed write error shows here).
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

template <class Bytes>
std::optional<Bytes> ReadUpTo(const std::string& path, std::size_t limit, bool wholeFile) {
    // Opened without waiting: a named pipe would otherwise block until a writer comes.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.Valid()) return std::nullopt;
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    const auto size = static_cast<std::size_t>(info.st_size);
    if (wholeFile && size > limit) return std::nullopt;

    Bytes bytes(std::min(size, limit), 0);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd.Get(), &bytes[done], bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::nullopt;
        if (got == 0) break;  // the file shrank meanwhile
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return bytes;
}

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

// A fresh file beside the target, created exclusively; its name is returned through tempPath.
int CreateTemporary(const fs::path& target, unsigned mode, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    // Part of the target's name, short enough that the whole name stays within the folder's limits.
    const std::string base =
        "." + target.filename().string().substr(0, 96) + ".tmp-" + std::to_string(::getpid());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
        tempPath = (folder / (base + "-" + std::to_string(counter++) + "-" + std::to_string(tick % 1000000)))
                       .string();
        const int fd =
            ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(mode));
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Makes the rename itself durable; a folder that cannot be synced does not fail the save.
void SyncFolder(const fs::path& target) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Valid()) ::fsync(fd.Get());
}

}  // namespace

std::optional<std::vector<uint8_t>> ReadRegularFile(const std::string& path, std::size_t maxSize) {
    return ReadUpTo<std::vector<uint8_t>>(path, maxSize, true);
}

std::optional<std::string> ReadRegularText(const std::string& path, std::size_t maxSize) {
    return ReadUpTo<std::string>(path, maxSize, true);
}

std::optional<std::vector<uint8_t>> ReadFileStart(const std::string& path, std::size_t count) {
    return ReadUpTo<std::vector<uint8_t>>(path, count, false);
}

std::string ResolveSaveTarget(const std::string& path) {
    std::error_code error;
    if (!fs::is_symlink(path, error)) return path;
    const fs::path resolved = fs::weakly_canonical(path, error);
    return error ? path : resolved.string();
}

std::optional<unsigned> FileMode(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return static_cast<unsigned>(info.st_mode & 07777);
}

bool ReplaceFile(const std::string& target, std::span<const uint8_t> bytes, std::optional<unsigned> mode) {
    const fs::path targetPath(target);
    if (targetPath.filename().empty()) return false;
    std::string tempPath;
    // Without a mode to keep, the process's umask applies to 0666 as for any new file.
    FileDescriptor fd(CreateTemporary(targetPath, mode.value_or(0666), tempPath));
    if (!fd.Valid()) return false;

    bool ok = WriteAll(fd.Get(), bytes);
    // The umask may have taken bits away from a mode that is to be kept.
    if (ok && mode) ok = ::fchmod(fd.Get(), static_cast<mode_t>(*mode)) == 0;
    if (ok) ok = ::fsync(fd.Get()) == 0;
    ok = fd.Close() && ok;
    if (ok) ok = ::rename(tempPath.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(tempPath.c_str());
        return false;
    }
    SyncFolder(targetPath);
    return true;
}

}  // namespace qxed::file_access

namespace qxed::file_access {

bool SaveFile(const std::string& path, std::string_view bytes) {
    const std::string target = ResolveSaveTarget(path);
    const std::span<const uint8_t> data(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return ReplaceFile(target, data, FileMode(target));
}

}  // namespace qxed::file_access
