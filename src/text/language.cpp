#include "text/language.h"

#include <charconv>

#include "text/builtin_lists.h"
#include "text/texts.h"

namespace qxed {

namespace {

struct LanguageSelector {
    std::string_view Version;
    int Index;
};

constexpr LanguageSelector kLanguages[] = {
    {"En", 0},
    {"Ko", 1},
    {"sCh", 2},
    {"Ru", 3},
};

// The file's names for the list positions, completed from the built-in list
// and cut to its length.
std::vector<std::string> PositionalList(std::vector<std::string> names,
                                        std::span<const std::string_view> builtin) {
    if (names.size() > builtin.size()) names.resize(builtin.size());
    for (std::size_t i = names.size(); i < builtin.size(); ++i)
        names.push_back(GbkFromUtf8(builtin[i]));
    return names;
}

}  // namespace

Language::Language(IniFile file) : file_(std::move(file)) {}

Language Language::Load(const std::string& programFolder) {
    const std::string name = "Language.Ini";
    return Language(IniFile::Load(programFolder.empty() ? name : programFolder + "/" + name));
}

std::string Language::Text(const TextKey& key) const {
    std::optional<std::string> value = file_.Find(key.Section, key.Key);
    return value ? *value : GbkFromUtf8(key.Default);
}

std::string Language::TextUtf8(const TextKey& key) const {
    std::optional<std::string> value = file_.Find(key.Section, key.Key);
    return value ? DisplayUtf8(*value) : std::string(key.Default);
}

std::string Language::DisplayUtf8(std::string_view bytes) const {
    return ToUtf8ForDisplay(bytes, FileCodePage());
}

int Language::Integer(const TextKey& key, int defaultValue) const {
    return file_.ReadInteger(key.Section, key.Key, defaultValue);
}

int Language::Integer(const TextKey& key) const {
    int defaultValue = 0;
    std::from_chars(key.Default.data(), key.Default.data() + key.Default.size(), defaultValue);
    return Integer(key, defaultValue);
}

std::string Language::Version() const {
    return Text(texts::Version);
}

int Language::LanguageIndex() const {
    const std::string version = Version();
    for (const LanguageSelector& language : kLanguages) {
        if (language.Version == version) return language.Index;
    }
    return 0;
}

int Language::FontCharset() const {
    return Integer(texts::FontCharset);
}

std::string Language::FontName() const {
    return Text(texts::FontName);
}

int Language::FontSize() const {
    return Integer(texts::FontSize);
}

CodePage Language::FileCodePage() const {
    return CodePageOfCharset(FontCharset());
}

std::string Language::Symbol(SymbolId id) const {
    const SymbolInfo& symbol = SymbolOf(id);
    const std::string section = Version() + "SymbolStr";
    const std::string name(symbol.Name);
    // Values beyond a byte keep their low byte, negative ones included.
    auto byteOf = [&](const char* suffix, std::uint8_t defaultByte) {
        unsigned value = static_cast<unsigned>(file_.ReadInteger(section, name + suffix, defaultByte));
        return static_cast<char>(value & 0xFFu);
    };
    return std::string{byteOf("StrHi", symbol.DefaultHi), byteOf("StrLo", symbol.DefaultLo)};
}

std::vector<std::string> Language::KeypadKeyNames(std::string_view section) const {
    return file_.ReadKeyNames(section);
}

std::vector<std::string> Language::ScreenSaveList() const {
    return PositionalList(file_.ReadKeyNames("ScreenSave"), BuiltinScreenSaveList());
}

std::vector<std::string> Language::PlcTypeNames() const {
    return PositionalList(file_.ReadKeyNames("PLC_Type"), BuiltinPlcTypeNames());
}

Hint SplitHint(std::string_view hint) {
    std::size_t bar = hint.find('|');
    if (bar == std::string_view::npos) return Hint{std::string(hint), std::string(hint)};
    return Hint{std::string(hint.substr(0, bar)), std::string(hint.substr(bar + 1))};
}

}  // namespace qxed
