// Reads the input as an INI file: every reader over the names the bytes seem to hold, writes that must read
// back as written and leave every other value alone, and the language file reader on top.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/builtin_lists.h"
#include "text/ini_file.h"
#include "text/language.h"
#include "text/window_texts.h"
#include "utf8_check.h"

namespace {

using namespace qxed;

// Bounds that keep one run quick on a file of a few kilobytes.
constexpr std::size_t kMaxSections = 8;
constexpr std::size_t kMaxKeysPerSection = 6;
constexpr std::size_t kMaxWrites = 12;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "INI fuzzer: %s\n", what);
    std::abort();
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// Names worth asking for: whatever stands between "[" and "]" on some line. A rough guess is enough; a
// name the reader does not see as a section is asked for all the same.
std::vector<std::string> SectionNamesIn(std::string_view bytes) {
    std::vector<std::string> names;
    std::size_t pos = 0;
    while (pos < bytes.size() && names.size() < kMaxSections) {
        const std::size_t lf = bytes.find('\n', pos);
        const std::string_view line =
            Trimmed(bytes.substr(pos, lf == std::string_view::npos ? lf : lf - pos));
        if (!line.empty() && line.front() == '[') {
            names.emplace_back(Trimmed(line.substr(
                1, line.find(']') == std::string_view::npos ? std::string_view::npos : line.find(']') - 1)));
        }
        if (lf == std::string_view::npos) break;
        pos = lf + 1;
    }
    return names;
}

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

struct Entry {
    std::string Section;
    std::string Key;
    std::optional<std::string> Value;
};

std::vector<Entry> ReadEntries(const IniFile& file, const std::vector<std::string>& sections) {
    std::vector<Entry> entries;
    for (const std::string& section : sections) {
        const std::vector<std::string> keys = file.ReadKeyNames(section);
        if (!keys.empty() && !file.HasSection(section)) Fail("keys listed for a section that is not there");
        for (std::size_t i = 0; i < keys.size() && i < kMaxKeysPerSection; ++i) {
            Entry entry{section, keys[i], file.Find(section, keys[i])};
            if (file.ReadText(section, keys[i], "\x01") != entry.Value.value_or("\x01")) {
                Fail("ReadText disagrees with Find");
            }
            file.ReadInteger(section, keys[i], -1);
            entries.push_back(std::move(entry));
        }
    }
    return entries;
}

// After a write, the written key reads back the value and every other key keeps its own.
void CheckWrite(const IniFile& before, const std::vector<Entry>& entries, std::string_view section,
                std::string_view key, std::string_view value) {
    IniFile after = before;
    if (!after.WriteText(section, key, value)) {
        if (after.Bytes() != before.Bytes()) Fail("a refused write changed the file");
        return;
    }
    if (after.Find(section, key) != std::optional<std::string>(value))
        Fail("a written value reads back changed");
    for (const Entry& entry : entries) {
        if (SameName(entry.Section, section) && SameName(entry.Key, key)) continue;
        if (after.Find(entry.Section, entry.Key) != entry.Value) Fail("a write changed another key");
    }
}

void CheckWrites(const IniFile& file, const std::vector<std::string>& sections,
                 const std::vector<Entry>& entries) {
    // Values that need quoting or look like other lines, and one taken from the file itself.
    std::vector<std::string> values = {"",    " padded ",       "\"quoted\"", "\"",
                                       "a=b", ";not a comment", "[x]",        "\t"};
    if (!entries.empty() && entries.front().Value) values.push_back(*entries.front().Value);

    std::size_t writes = 0;
    auto write = [&](std::string_view section, std::string_view key) {
        if (writes >= kMaxWrites) return;
        CheckWrite(file, entries, section, key, values[writes % values.size()]);
        ++writes;
    };
    for (const Entry& entry : entries)
        write(entry.Section, entry.Key);
    for (const std::string& section : sections)
        write(section, "FuzzNewKey");
    write("Fuzz New Section", "Key");
    CheckWrite(file, entries, "Section", "Key", "broken\nline");
}

void ReadAsLanguage(const IniFile& file, const std::vector<std::string>& sections,
                    const std::vector<Entry>& entries) {
    const Language language(file);
    language.LanguageIndex();
    language.FontName();
    language.FontSize();
    language.FileCodePage();
    for (int id = 0; id < SymbolCount; ++id) {
        if (language.Symbol(static_cast<SymbolId>(id)).size() != 2) Fail("a symbol is not two bytes");
    }
    if (language.ScreenSaveList().size() != BuiltinScreenSaveList().size()) Fail("screen-saver list length");
    if (language.PlcTypeNames().size() != BuiltinPlcTypeNames().size()) Fail("PLC list length");
    for (const std::string& section : sections)
        language.KeypadKeyNames(section);
    // Values in the file's code page, shown as UTF-8.
    for (const Entry& entry : entries) {
        if (entry.Value && !fuzz::IsUtf8(language.DisplayUtf8(*entry.Value)))
            Fail("a value shows as no UTF-8");
    }

    // The texts of the windows, for the sections the file has: the others give their built-in texts.
    std::map<std::string_view, bool> present;
    for (int window = 0; window <= static_cast<int>(Window::SelectComPortOKBottomDlg); ++window) {
        for (const TextKey* key : WindowTexts(static_cast<Window>(window))) {
            const auto [at, added] = present.try_emplace(key->Section, false);
            if (added) at->second = file.HasSection(key->Section);
            if (at->second && !fuzz::IsUtf8(language.TextUtf8(*key))) Fail("a text shows as no UTF-8");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const IniFile file = IniFile::FromBytes(std::string(reinterpret_cast<const char*>(data), size));
    const std::vector<std::string> sections = SectionNamesIn(file.Bytes());
    const std::vector<Entry> entries = ReadEntries(file, sections);
    CheckWrites(file, sections, entries);
    ReadAsLanguage(file, sections, entries);
    return 0;
}
