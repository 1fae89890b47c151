#include "text/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "text/temporary_files.h"

namespace qxed::file_access {

namespace {

namespace fs = std::filesystem;

// Far above any project or data file; a file to keep that is larger is not copied into memory.
constexpr std::size_t kLargestCopy = std::size_t{1} << 30;

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
std::optional<Bytes> ReadUpTo(const std::string& path, std::size_t limit, bool wholeFile,
                              std::uint64_t* fileSize = nullptr) {
    // Opened without waiting: a named pipe would otherwise block until a writer comes.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.Valid()) return std::nullopt;
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    const auto size = static_cast<std::size_t>(info.st_size);
    if (wholeFile && size > limit) return std::nullopt;
    if (fileSize != nullptr) *fileSize = static_cast<std::uint64_t>(info.st_size);

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

fs::path FolderOf(const fs::path& target) {
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

// Makes renames and links in the folder durable; a folder that cannot be synced does not fail the save.
void SyncFolder(const fs::path& target) {
    FileDescriptor fd(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Valid()) ::fsync(fd.Get());
}

// A temporary file made by MakeTemporary: what `make` returned (negative on failure) and its slot in the
// registry of files a signal handler removes.
struct Made {
    int Result = -1;
    int Slot = -1;
};

// Makes a new file under a fresh temporary name beside target with `make` (which creates it exclusively
// and fails with EEXIST when the name is taken); its path through `path`. The name is registered before the
// file exists, so that no signal can come between its making and its registration.
template <class Make>
Made MakeTemporary(const fs::path& target, std::string& path, Make make) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = (FolderOf(target) / temporaries::NewName(target)).string();
        const int slot = temporaries::Register(path);
        const int result = make(path);
        if (result >= 0) return {result, slot};
        const int error = errno;
        temporaries::Unregister(slot);
        if (error != EEXIST) return {};
    }
    return {};
}

}  // namespace

std::optional<std::vector<uint8_t>> ReadRegularFile(const std::string& path, std::size_t maxSize) {
    return ReadUpTo<std::vector<uint8_t>>(path, maxSize, true);
}

std::optional<std::string> ReadRegularText(const std::string& path, std::size_t maxSize) {
    return ReadUpTo<std::string>(path, maxSize, true);
}

std::optional<FileStart> ReadFileStart(const std::string& path, std::size_t count) {
    FileStart start;
    std::optional<std::vector<uint8_t>> bytes =
        ReadUpTo<std::vector<uint8_t>>(path, count, false, &start.FileSize);
    if (!bytes) return std::nullopt;
    start.Bytes = std::move(*bytes);
    return start;
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

PendingReplacement::PendingReplacement(std::string target, std::string temporary, int slot)
    : target_(std::move(target)), temporary_(std::move(temporary)), slot_(slot) {}

PendingReplacement::PendingReplacement(PendingReplacement&& other) noexcept
    : target_(std::move(other.target_)), temporary_(std::move(other.temporary_)), slot_(other.slot_) {
    other.temporary_.clear();
    other.slot_ = -1;
}

PendingReplacement::~PendingReplacement() {
    Discard();
}

void PendingReplacement::Discard() {
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporaries::Unregister(slot_);
    temporary_.clear();
    slot_ = -1;
}

std::optional<PendingReplacement> PendingReplacement::Write(const std::string& target,
                                                            std::span<const uint8_t> bytes,
                                                            std::optional<unsigned> mode) {
    const fs::path targetPath(target);
    if (targetPath.filename().empty()) return std::nullopt;
    // What killed writers left in this folder goes before anything new is written into it.
    temporaries::RemoveStale(FolderOf(targetPath));

    std::string path;
    // Without a mode to keep, the process's umask applies to 0666 as for any new file.
    const auto fileMode = static_cast<mode_t>(mode.value_or(0666));
    const Made made = MakeTemporary(targetPath, path, [&](const std::string& name) {
        return ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, fileMode);
    });
    FileDescriptor fd(made.Result);
    if (!fd.Valid()) return std::nullopt;
    PendingReplacement pending(target, path, made.Slot);

    bool ok = WriteAll(fd.Get(), bytes);
    // The umask may have taken bits away from a mode that is to be kept.
    if (ok && mode) ok = ::fchmod(fd.Get(), fileMode) == 0;
    if (ok) ok = ::fsync(fd.Get()) == 0;
    ok = fd.Close() && ok;
    if (!ok) return std::nullopt;  // the pending replacement removes its file
    return pending;
}

bool PendingReplacement::Commit() {
    if (temporary_.empty()) return false;
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        Discard();
        return false;
    }
    temporary_.clear();
    temporaries::Unregister(slot_);
    slot_ = -1;
    SyncFolder(target_);
    return true;
}

bool ReplaceFile(const std::string& target, std::span<const uint8_t> bytes, std::optional<unsigned> mode) {
    std::optional<PendingReplacement> pending = PendingReplacement::Write(target, bytes, mode);
    return pending && pending->Commit();
}

bool SaveFile(const std::string& path, std::string_view bytes) {
    const std::string target = ResolveSaveTarget(path);
    const std::span<const uint8_t> data(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return ReplaceFile(target, data, FileMode(target));
}

bool KeepCopy(const std::string& source, const std::string& copy) {
    const fs::path copyPath(copy);
    if (copyPath.filename().empty()) return false;
    std::string link;
    const Made linked = MakeTemporary(
        copyPath, link, [&](const std::string& name) { return ::link(source.c_str(), name.c_str()); });
    if (linked.Result == 0) {
        const bool renamed = ::rename(link.c_str(), copy.c_str()) == 0;
        // A copy that already is a link to the same file leaves the rename nothing to do, and the temporary
        // name in place.
        ::unlink(link.c_str());
        temporaries::Unregister(linked.Slot);
        if (renamed) SyncFolder(copyPath);
        return renamed;
    }
    // A file system without hard links gets a flushed copy.
    const std::optional<std::vector<uint8_t>> bytes = ReadRegularFile(source, kLargestCopy);
    return bytes && ReplaceFile(copy, *bytes, FileMode(source));
}

void RemoveTemporariesInProgress() noexcept {
    temporaries::RemoveRegistered();
}

int RemoveStaleTemporaries(const std::string& folder) {
    return temporaries::RemoveStale(folder.empty() ? fs::path(".") : fs::path(folder));
}

}  // namespace qxed::file_access
