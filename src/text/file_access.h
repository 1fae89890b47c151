#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Whole-file reading that no named pipe or device can hang, and crash-safe replacing of files.
namespace qxed::file_access {

// The contents of a regular file of at most maxSize bytes; nullopt for anything else (missing, not
// readable, a folder, a named pipe, too large).
std::optional<std::vector<uint8_t>> ReadRegularFile(const std::string& path, std::size_t maxSize);

// The same as text bytes.
std::optional<std::string> ReadRegularText(const std::string& path, std::size_t maxSize);

// The first count bytes of a regular file, fewer when it is shorter; nullopt as above.
std::optional<std::vector<uint8_t>> ReadFileStart(const std::string& path, std::size_t count);

// The file a save must replace: the path itself, or the file a symbolic link leads to, so that saving
// through a link updates the linked file instead of replacing the link.
std::string ResolveSaveTarget(const std::string& path);

// Permission bits of an existing file (following links); nullopt when there is none.
std::optional<unsigned> FileMode(const std::string& path);

// Writes the bytes to a new temporary file in the target's folder, flushes it to disk and renames it over
// the target, so that the target holds either its old or its new contents, never a part. The new file gets
// mode when given, else the usual mode of a new file. On failure the temporary file is removed and the
// target is untouched.
bool ReplaceFile(const std::string& target, std::span<const uint8_t> bytes, std::optional<unsigned> mode);

// ReplaceFile for the file a path names: through a symbolic link to the linked file, keeping the permissions
// of the file it replaces.
bool SaveFile(const std::string& path, std::string_view bytes);

}  // namespace qxed::file_access
