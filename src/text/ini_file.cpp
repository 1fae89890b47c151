#include "text/ini_file.h"

#include <charconv>
#include <climits>
#include <cstdlib>
#include <filesystem>

#include "text/file_access.h"

namespace qxed {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

bool HasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

enum class LineKind { Blank, Comment, Section, Entry };

// One line of the file as offsets into its bytes.
struct Line {
    std::size_t Begin;  // first byte
    std::size_t End;    // end of the content, before CR/LF
    std::size_t Next;   // start of the next line
    LineKind Kind;
    std::string_view Name;  // section or key name, trimmed
    std::size_t EqualsAt;   // offset of the first "=", or npos
};

Line ClassifyLine(std::string_view bytes, std::size_t begin, std::size_t end, std::size_t next) {
    Line line{begin, end, next, LineKind::Blank, {}, std::string_view::npos};
    std::string_view content = bytes.substr(begin, end - begin);
    std::string_view trimmed = Trim(content);
    if (trimmed.empty()) return line;
    if (trimmed.front() == ';') {
        line.Kind = LineKind::Comment;
    } else if (trimmed.front() == '[') {
        std::string_view name = trimmed.substr(1);
        name = name.substr(0, name.find(']'));
        line.Kind = LineKind::Section;
        line.Name = Trim(name);
    } else {
        std::size_t eq = content.find('=');
        line.Name = Trim(content.substr(0, eq));
        if (eq != std::string_view::npos) line.EqualsAt = begin + eq;
        // "=value" names no key
        line.Kind = line.Name.empty() ? LineKind::Comment : LineKind::Entry;
    }
    return line;
}

std::vector<Line> SplitLines(std::string_view bytes) {
    std::vector<Line> lines;
    std::size_t pos = bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark ? kByteOrderMark.size() : 0;
    while (pos < bytes.size()) {
        std::size_t lf = bytes.find('\n', pos);
        std::size_t next = lf == std::string_view::npos ? bytes.size() : lf + 1;
        std::size_t end = lf == std::string_view::npos ? bytes.size() : lf;
        if (end > pos && bytes[end - 1] == '\r') --end;
        lines.push_back(ClassifyLine(bytes, pos, end, next));
        pos = next;
    }
    return lines;
}

// Lines [Header + 1, End) make up the section's body.
struct SectionRange {
    std::size_t Header;
    std::size_t End;
};

std::optional<SectionRange> FindSection(const std::vector<Line>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].Kind != LineKind::Section || !EqualsNoCase(lines[i].Name, section)) continue;
        std::size_t end = i + 1;
        while (end < lines.size() && lines[end].Kind != LineKind::Section)
            ++end;
        return SectionRange{i, end};
    }
    return std::nullopt;
}

const Line* FindKey(const std::vector<Line>& lines, const SectionRange& range, std::string_view key) {
    for (std::size_t i = range.Header + 1; i < range.End; ++i) {
        if (lines[i].Kind == LineKind::Entry && EqualsNoCase(lines[i].Name, key)) return &lines[i];
    }
    return nullptr;
}

std::string_view ValueOf(std::string_view bytes, const Line& line) {
    std::string_view value = Trim(bytes.substr(line.EqualsAt + 1, line.End - line.EqualsAt - 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return value;
}

std::optional<int> ParseInteger(std::string_view text) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    } else if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    // Unsigned parsing accepts no sign, so "--5" or "0x-5" fail here.
    unsigned long long magnitude = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    const unsigned long long limit = negative ? 1ULL + INT_MAX : static_cast<unsigned long long>(INT_MAX);
    if (magnitude > limit) return std::nullopt;
    long long value = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    return static_cast<int>(value);
}

// The line ending of the file's first line; LF for a file without any.
std::string_view LineEndingOf(std::string_view bytes) {
    std::size_t lf = bytes.find('\n');
    if (lf != std::string_view::npos && lf > 0 && bytes[lf - 1] == '\r') return "\r\n";
    return "\n";
}

// What ends a file's unfinished last line before more lines are appended. A last line that ends in a lone CR
// only needs the LF: a full line ending after it would leave the CR inside the line, joined to its value.
std::string LineBreakAfter(std::string_view bytes, const std::string& eol) {
    return bytes.ends_with('\r') ? std::string("\n") : eol;
}

// The form in which a value reads back unchanged.
std::string StoredValue(std::string_view value) {
    bool needsQuotes = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) ||
                                          (value.size() >= 2 && value.front() == '"' && value.back() == '"'));
    std::string stored;
    if (needsQuotes) stored += '"';
    stored += value;
    if (needsQuotes) stored += '"';
    return stored;
}

bool IsStorableName(std::string_view name) {
    return !name.empty() && Trim(name).size() == name.size() && !HasLineBreak(name);
}

// Settings and language files are small; anything larger is not one of them.
constexpr std::size_t kMaxIniFileSize = std::size_t{64} << 20;

}  // namespace

IniFile IniFile::Load(const std::string& path) {
    IniFile file;
    // Anything but a regular file (a named pipe would hang the reader) counts as missing.
    std::optional<std::string> bytes = file_access::ReadRegularText(path, kMaxIniFileSize);
    if (!bytes) return file;
    file.bytes_ = std::move(*bytes);
    file.exists_ = true;
    return file;
}

IniFile IniFile::FromBytes(std::string bytes) {
    IniFile file;
    file.bytes_ = std::move(bytes);
    file.exists_ = true;
    return file;
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const {
    std::vector<Line> lines = SplitLines(bytes_);
    std::optional<SectionRange> range = FindSection(lines, section);
    if (!range) return std::nullopt;
    const Line* line = FindKey(lines, *range, key);
    if (line == nullptr || line->EqualsAt == std::string_view::npos) return std::nullopt;
    return std::string(ValueOf(bytes_, *line));
}

std::string IniFile::ReadText(std::string_view section, std::string_view key,
                              std::string_view defaultValue) const {
    std::optional<std::string> value = Find(section, key);
    return value ? *value : std::string(defaultValue);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
    std::optional<std::string> value = Find(section, key);
    if (!value) return defaultValue;
    return ParseInteger(*value).value_or(defaultValue);
}

std::vector<std::string> IniFile::ReadKeyNames(std::string_view section) const {
    std::vector<std::string> names;
    std::vector<Line> lines = SplitLines(bytes_);
    std::optional<SectionRange> range = FindSection(lines, section);
    if (!range) return names;
    for (std::size_t i = range->Header + 1; i < range->End; ++i) {
        if (lines[i].Kind == LineKind::Entry) names.emplace_back(lines[i].Name);
    }
    return names;
}

bool IniFile::HasSection(std::string_view section) const {
    return FindSection(SplitLines(bytes_), section).has_value();
}

bool IniFile::WriteText(std::string_view section, std::string_view key, std::string_view value) {
    if (!IsStorableName(section) || section.find(']') != std::string_view::npos) return false;
    if (!IsStorableName(key) || key.find('=') != std::string_view::npos || key.front() == ';' ||
        key.front() == '[') {
        return false;
    }
    if (HasLineBreak(value)) return false;

    const std::vector<Line> lines = SplitLines(bytes_);
    const std::string eol(LineEndingOf(bytes_));
    const std::string stored = StoredValue(value);
    std::optional<SectionRange> range = FindSection(lines, section);

    if (!range) {
        std::string added;
        bool onlyMark = bytes_.empty() || bytes_ == kByteOrderMark;
        if (!onlyMark && bytes_.back() != '\n') added += LineBreakAfter(bytes_, eol);
        added += "[" + std::string(section) + "]" + eol + std::string(key) + "=" + stored + eol;
        bytes_ += added;
        return true;
    }

    if (const Line* line = FindKey(lines, *range, key)) {
        if (line->EqualsAt != std::string_view::npos) {
            std::size_t from = line->EqualsAt + 1;
            while (from < line->End && IsBlank(bytes_[from]))
                ++from;
            bytes_.replace(from, line->End - from, stored);
        } else {
            std::size_t end = line->End;
            while (end > line->Begin && IsBlank(bytes_[end - 1]))
                --end;
            bytes_.replace(end, line->End - end, "=" + stored);
        }
        return true;
    }

    // After the section's last non-blank line, so that blank lines separating
    // it from the next section stay where they are.
    std::size_t last = range->Header;
    for (std::size_t i = range->Header + 1; i < range->End; ++i) {
        if (lines[i].Kind != LineKind::Blank) last = i;
    }
    const Line& after = lines[last];
    std::string added;
    if (after.Next == bytes_.size() && bytes_.back() != '\n') {
        added += LineBreakAfter(bytes_, eol);  // last line without a break
    }
    added += std::string(key) + "=" + stored + eol;
    bytes_.insert(after.Next, added);
    return true;
}

bool IniFile::Save(const std::string& path) const {
    return file_access::SaveFile(path, bytes_);
}

bool WriteProfileText(const std::string& path, std::string_view section, std::string_view key,
                      std::string_view value) {
    IniFile file = IniFile::Load(path);
    if (!file.Exists()) {
        std::error_code error;
        bool present = std::filesystem::exists(path, error);
        if (present || error) return false;
    }
    return file.WriteText(section, key, value) && file.Save(path);
}

}  // namespace qxed
