#pragma once
// The temporary files that file_access writes beside their targets: their names, which carry the writer's
// process id so that the files of killed writers can be told apart and removed, and the registry of the
// ones being written, which a signal handler can remove.
#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qxed::file_access::temporaries {

// A new name for a temporary file beside target: ".<target name>.qxed-tmp-<pid>-<n>-<tick>", the target's
// name cut so that the whole name stays within a folder entry's limit. Every call gives another name.
std::string NewName(const std::filesystem::path& target);

// The writer's process id of a temporary file name, nullopt for any other name.
std::optional<pid_t> WriterOf(std::string_view name);

// Remembers a temporary file being written; the slot to forget it again, -1 when the registry is full or
// the path too long (the file is then only removed by a later save).
int Register(const std::string& path) noexcept;
void Unregister(int slot) noexcept;
// Removes every registered file. Async-signal-safe.
void RemoveRegistered() noexcept;

// Removes the temporary files in the folder whose writers no longer run; how many.
int RemoveStale(const std::filesystem::path& folder);

}  // namespace qxed::file_access::temporaries
