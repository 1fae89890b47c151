#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qxed {

// An INI file held as its exact bytes, read and edited with the classic
// private-profile rules:
// - section and key names compare case-insensitively (ASCII letters only);
//   the first matching section and the first matching key in it win, later
//   duplicates are never seen;
// - a value is the text after the first "=" without surrounding blanks (space,
//   tab), with one pair of enclosing double quotes removed; "key=" is present
//   and empty; a line without "=" names a key that has no value (it is listed
//   by ReadKeyNames, but reads give the default);
// - lines whose first non-blank character is ";" are comments; lines before
//   the first section belong to none; a UTF-8 byte-order mark at the start is
//   skipped; lines end in LF or CRLF.
// Names and values are bytes in whatever code page the file uses; nothing is
// converted. Writes touch only the line (or the place) they need, so every
// other byte of the file stays as it was.
class IniFile {
  public:
    IniFile() = default;

    // A missing or unreadable file gives an empty one whose Exists() is false.
    static IniFile Load(const std::string& path);
    static IniFile FromBytes(std::string bytes);

    bool Exists() const { return exists_; }
    const std::string& Bytes() const { return bytes_; }

    // The value of a key; nullopt when the section or the key is absent, or the
    // key's line has no "=".
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    std::string ReadText(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    // Decimal with an optional sign, or hexadecimal after "0x" or "$" (the sign
    // goes before the prefix); blanks around it are ignored. Anything else,
    // an empty value and a number outside int give the default.
    int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
    // Every key line of the section in file order, duplicates included as they
    // stand, spelled as in the file: lists such as the keypad key names are
    // positional, so the i-th line must stay the i-th item.
    std::vector<std::string> ReadKeyNames(std::string_view section) const;
    bool HasSection(std::string_view section) const;

    // Sets a key: replaces the value on the key's line (the text up to "=" and
    // the blanks after it are kept), else appends a line at the end of the
    // section, else appends the section. New lines take the file's line ending.
    // A value that would not read back as it is (surrounding blanks, enclosing
    // quotes) is written in quotes. Refuses (false, nothing changed) names and
    // values that cannot be stored on one line: line breaks anywhere, an empty
    // or blank-padded name, "]" in a section name, "=" in a key name, a key
    // name starting with ";" or "[".
    bool WriteText(std::string_view section, std::string_view key, std::string_view value);

    // Writes the bytes to a temporary file beside the target, flushes it to
    // disk and renames it over the target, so the previous file survives any
    // failure. A symbolic link is followed and its target replaced.
    bool Save(const std::string& path) const;

  private:
    std::string bytes_;
    bool exists_ = false;
};

// Loads the file, sets one key and saves it. Refuses to touch a file that
// exists but cannot be read, since rewriting it would drop its contents.
bool WriteProfileText(const std::string& path, std::string_view section, std::string_view key,
                      std::string_view value);

}  // namespace qxed
