#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "model/key_codes.h"
#include "text/builtin_lists.h"
#include "text/code_page.h"
#include "text/language.h"
#include "text/texts.h"

// The language files the program ships, read from the source tree.
namespace qxed {
namespace {

struct ShippedFile {
    const char* Id;
    const char* Version;
    int Charset;
    CodePage Page;
    bool Complete;       // a value for every text of the catalogue
    bool Qx210OwnNames;  // the QX210 keypad is named after its own key labels
};

constexpr ShippedFile kShipped[] = {
    {"zh_CN", "sCh", 134, CodePage::Gbk, false, true},
    {"en", "En", 0, CodePage::Cp1252, true, false},
};

constexpr Keypad kKeypads[] = {Keypad::Qx210Key, Keypad::Qx22Key, Keypad::Qx222Key, Keypad::Qx325Key,
                               Keypad::Qx420Key};

Language Load(const ShippedFile& shipped) {
    return Language::Load(std::string(QXED_LANGUAGES_DIR) + "/" + shipped.Id);
}

std::string Lower(std::string_view s) {
    std::string lower(s);
    std::ranges::transform(lower, lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower;
}

bool Converts(std::string_view bytes, CodePage page) {
    return ToUtf8(bytes, page).Ok;
}

// Names that the INI reader gives back as they stand: names, not comments, sections or key=value lines.
void ExpectListNames(const std::vector<std::string>& names, CodePage page) {
    std::set<std::string> seen;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(name.empty());
        EXPECT_EQ(name.find('='), std::string::npos);
        EXPECT_NE(name.front(), ';');
        EXPECT_NE(name.front(), '[');
        EXPECT_TRUE(Converts(name, page));
        // Key names compare without case: a second spelling of a name is the same key.
        EXPECT_TRUE(seen.insert(Lower(name)).second) << "named twice";
    }
}

std::size_t Count(std::string_view text, std::string_view what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string_view::npos;
         at = text.find(what, at + what.size()))
        ++count;
    return count;
}

bool StartsWithBlank(std::string_view utf8) {
    return utf8.starts_with(" ") || utf8.starts_with("\u3000");
}

bool EndsWithBlank(std::string_view utf8) {
    return utf8.ends_with(" ") || utf8.ends_with("\u3000");
}

// What may join a text to its neighbour: a blank, or a punctuation mark such as the "?" after a file name.
bool StartsApart(std::string_view utf8) {
    return StartsWithBlank(utf8) || (!utf8.empty() && std::ispunct(static_cast<unsigned char>(utf8.front())));
}

bool EndsApart(std::string_view utf8) {
    return EndsWithBlank(utf8) || (!utf8.empty() && std::ispunct(static_cast<unsigned char>(utf8.back())));
}

TEST(ShippedLanguages, EachFileSelectsItsLanguageAndCodePageAndNamesItself) {
    for (const ShippedFile& shipped : kShipped) {
        SCOPED_TRACE(shipped.Id);
        const Language language = Load(shipped);
        ASSERT_TRUE(language.File().Exists());
        EXPECT_EQ(language.Version(), shipped.Version);
        EXPECT_EQ(language.FontCharset(), shipped.Charset);
        EXPECT_EQ(language.FileCodePage(), shipped.Page);
        const std::optional<std::string> name = language.File().Find("Name", "LanguageName");
        ASSERT_TRUE(name);
        EXPECT_FALSE(name->empty());
        EXPECT_TRUE(Converts(*name, shipped.Page));
    }
}

// Every key of a text section is a catalogue key, stated once, and its value reads in the file's code page; a
// misspelt or repeated key would silently leave the built-in text in place.
TEST(ShippedLanguages, EveryTextIsACatalogueKeyOnceInTheFilesCodePage) {
    std::map<std::string, std::set<std::string>> catalogue;
    for (const TextKey* key : texts::AllTexts())
        catalogue[std::string(key->Section)].insert(Lower(key->Key));

    for (const ShippedFile& shipped : kShipped) {
        SCOPED_TRACE(shipped.Id);
        const Language language = Load(shipped);
        for (const auto& [section, keys] : catalogue) {
            std::set<std::string> seen;
            for (const std::string& key : language.File().ReadKeyNames(section)) {
                SCOPED_TRACE(section + "/" + key);
                EXPECT_TRUE(keys.contains(Lower(key))) << "not a key of the catalogue";
                EXPECT_TRUE(seen.insert(Lower(key)).second) << "stated twice";
            }
        }
        for (const TextKey* key : texts::AllTexts()) {
            SCOPED_TRACE(std::string(key->Section) + "/" + std::string(key->Key));
            const std::optional<std::string> value = language.File().Find(key->Section, key->Key);
            if (shipped.Complete) {
                EXPECT_TRUE(value) << "no translation";
            }
            if (value) {
                EXPECT_TRUE(Converts(*value, shipped.Page));
            }
        }
    }
}

// A translation keeps what the program does with a text: the accelerator of a caption, the tooltip and status
// parts of a hint, the parts of a file filter, and the blank at the end that keeps a text apart from the file
// name or number that follows it (or at the start, from what comes before).
TEST(ShippedLanguages, TranslationsKeepTheFormOfTheBuiltInTexts) {
    for (const ShippedFile& shipped : kShipped) {
        SCOPED_TRACE(shipped.Id);
        const Language language = Load(shipped);
        for (const TextKey* key : texts::AllTexts()) {
            if (!language.File().Find(key->Section, key->Key)) continue;
            SCOPED_TRACE(std::string(key->Section) + "/" + std::string(key->Key));
            const std::string text = language.TextUtf8(*key);
            EXPECT_EQ(Count(text, "&"), Count(key->Default, "&"));
            EXPECT_EQ(Count(text, "|"), Count(key->Default, "|"));
            if (StartsWithBlank(key->Default)) {
                EXPECT_TRUE(StartsApart(text));
            }
            if (EndsWithBlank(key->Default)) {
                EXPECT_TRUE(EndsApart(text));
            }
        }
    }
}

TEST(ShippedLanguages, EveryKeypadNamesEachOfItsKeysOnceAndAlikeInEveryKeypad) {
    for (const ShippedFile& shipped : kShipped) {
        SCOPED_TRACE(shipped.Id);
        const Language language = Load(shipped);
        std::map<int, std::string> nameOfCode;
        for (const Keypad keypad : kKeypads) {
            SCOPED_TRACE(std::string(KeypadSection(keypad)));
            const std::vector<std::string> names = language.KeypadKeyNames(KeypadSection(keypad));
            const std::span<const int> codes = KeypadKeyCodes(keypad);
            ASSERT_EQ(names.size(), codes.size());
            ExpectListNames(names, shipped.Page);
            if (keypad == Keypad::Qx210Key && shipped.Qx210OwnNames) continue;
            // The position of a name gives its key code: a name moved within one list names another key,
            // which the other keypads with that key show up.
            for (std::size_t i = 0; i < names.size(); ++i) {
                const auto [known, first] = nameOfCode.emplace(codes[i], names[i]);
                EXPECT_EQ(known->second, names[i]) << "key code " << codes[i];
            }
        }
    }
}

TEST(ShippedLanguages, TheChineseQx210KeypadHasItsDesignedNames) {
    const Language language = Load(kShipped[0]);
    std::vector<std::string> names;
    for (const std::string& name : language.KeypadKeyNames("Qx210Key"))
        names.push_back(ToUtf8(name, CodePage::Gbk).Text);
    EXPECT_EQ(names, (std::vector<std::string>{"‘↑’键", "‘＜’键", "‘＞’键", "‘∨’键", "‘∧’键", "‘SET’键",
                                               "‘ENT’键"}));
}

// The lists are positional: a project stores the index, so every position must be there, and the PLC type
// names, which are product names, stay those of the program's own list in its order.
TEST(ShippedLanguages, TheListsHaveOneNamePerStoredPosition) {
    std::vector<std::string> builtinPlcNames;
    for (std::string_view name : BuiltinPlcTypeNames())
        builtinPlcNames.push_back(GbkFromUtf8(name));

    for (const ShippedFile& shipped : kShipped) {
        SCOPED_TRACE(shipped.Id);
        const Language language = Load(shipped);
        const std::vector<std::string> plcNames = language.File().ReadKeyNames("PLC_Type");
        EXPECT_EQ(plcNames, builtinPlcNames);
        const std::vector<std::string> delays = language.File().ReadKeyNames("ScreenSave");
        EXPECT_EQ(delays.size(), static_cast<std::size_t>(ScreenSaveDelayCount));
        ExpectListNames(delays, shipped.Page);
    }
    std::vector<std::string> chineseDelays;
    for (std::string_view delay : BuiltinScreenSaveList())
        chineseDelays.push_back(GbkFromUtf8(delay));
    EXPECT_EQ(Load(kShipped[0]).File().ReadKeyNames("ScreenSave"), chineseDelays);
}

}  // namespace
}  // namespace qxed
