#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Whole-file reading that no named pipe or device can hang, and crash-safe replacing of files.
//
// Every new file is first written to a temporary file beside its target, named
// ".<target name>.qxed-tmp-<writer's pid>-<n>-<tick>", flushed, and then renamed over the target. A writer
// killed on the way leaves that temporary file behind; the next replacement in the same folder removes the
// temporary files of writers that no longer run.
namespace qxed::file_access {

// The contents of a regular file of at most maxSize bytes; nullopt for anything else (missing, not
// readable, a folder, a named pipe, too large).
std::optional<std::vector<uint8_t>> ReadRegularFile(const std::string& path, std::size_t maxSize);

// The same as text bytes.
std::optional<std::string> ReadRegularText(const std::string& path, std::size_t maxSize);

// The first bytes of a regular file and the size of the whole file.
struct FileStart {
    std::vector<uint8_t> Bytes;
    std::uint64_t FileSize = 0;
};
// The first count bytes of a regular file, fewer when it is shorter; nullopt as above.
std::optional<FileStart> ReadFileStart(const std::string& path, std::size_t count);

// The file a save must replace: the path itself, or the file a symbolic link leads to, so that saving
// through a link updates the linked file instead of replacing the link.
std::string ResolveSaveTarget(const std::string& path);

// Permission bits of an existing file (following links); nullopt when there is none.
std::optional<unsigned> FileMode(const std::string& path);

// New contents for a file, written to a temporary file beside it and flushed to disk, that replace the file
// only when committed; until then the target is untouched. Dropped without a commit, or when the commit
// fails, the temporary file is removed.
class PendingReplacement {
  public:
    // Nullopt when the temporary file cannot be created, written or flushed (none is left then). The new
    // file gets mode when given, else the usual mode of a new file.
    static std::optional<PendingReplacement> Write(const std::string& target, std::span<const uint8_t> bytes,
                                                   std::optional<unsigned> mode);

    PendingReplacement(PendingReplacement&& other) noexcept;
    PendingReplacement& operator=(PendingReplacement&&) = delete;
    PendingReplacement(const PendingReplacement&) = delete;
    PendingReplacement& operator=(const PendingReplacement&) = delete;
    ~PendingReplacement();

    // Renames the new file over the target and makes the rename durable: the target then holds either its
    // old or its new contents, never a part, whenever the process or the machine stops.
    bool Commit();

  private:
    PendingReplacement(std::string target, std::string temporary, int slot);
    void Discard();

    std::string target_;
    std::string temporary_;  // empty once committed or discarded
    int slot_;               // of the interrupted-write registry, -1 for none
};

// Write and Commit in one.
bool ReplaceFile(const std::string& target, std::span<const uint8_t> bytes, std::optional<unsigned> mode);

// ReplaceFile for the file a path names: through a symbolic link to the linked file, keeping the permissions
// of the file it replaces.
bool SaveFile(const std::string& path, std::string_view bytes);

// Makes `copy` hold what the regular file `source` holds now, without changing source: a hard link when the
// file system has them, else a copy flushed to disk. An existing file named `copy` is replaced only by the
// complete result, so it too is never left half written.
bool KeepCopy(const std::string& source, const std::string& copy);

// Removes the temporary files this process is writing at this moment. Async-signal-safe: for a handler of
// a signal that ends the process in the middle of a write.
void RemoveTemporariesInProgress() noexcept;

// Removes the temporary files in the folder ("" for the current one) whose writers no longer run (only
// regular files of this user); returns how many. Every replacement does this for its target's folder.
int RemoveStaleTemporaries(const std::string& folder);

}  // namespace qxed::file_access
