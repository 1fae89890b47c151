#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/code_page.h"
#include "text/ini_file.h"
#include "text/symbols.h"
#include "text/text_key.h"

namespace qxed {

// The reader of "Language.Ini", the optional file beside the program that
// replaces the built-in texts, font, symbols and lists of every window.
// A key that is absent gives its built-in text; a key that is present gives
// its value, also when the value is empty. Texts are bytes: values as they
// stand in the file (in the code page of "FontCharset"), built-in texts as GBK.
class Language {
  public:
    // No language file: every text is its built-in one.
    Language() = default;
    explicit Language(IniFile file);
    // Reads programFolder + "/Language.Ini"; a missing file is not an error.
    static Language Load(const std::string& programFolder);

    const IniFile& File() const { return file_; }

    std::string Text(const TextKey& key) const;
    // The text as UTF-8 for display: the file's value decoded with the file's
    // code page, or the built-in text.
    std::string TextUtf8(const TextKey& key) const;
    // Bytes of the file's code page as UTF-8 for display.
    std::string DisplayUtf8(std::string_view bytes) const;

    // An integer key; unreadable values give the default.
    int Integer(const TextKey& key, int defaultValue) const;
    // The same with the key's built-in text as the default (0 if not a number).
    int Integer(const TextKey& key) const;

    // Section "Font".
    std::string Version() const;  // language selector, "En" by default
    int LanguageIndex() const;    // "En" 0, "Ko" 1, "sCh" 2, "Ru" 3, anything else 0
    int FontCharset() const;      // 134 by default
    std::string FontName() const;
    int FontSize() const;  // points, 9 by default
    CodePage FileCodePage() const;

    // The two bytes of a symbol from section Version() + "SymbolStr", keys
    // name + "StrHi" and name + "StrLo", each cut to its low byte.
    std::string Symbol(SymbolId id) const;

    // The key names of a keypad section in file order; the values do not
    // matter. An absent section gives an empty list.
    std::vector<std::string> KeypadKeyNames(std::string_view section) const;

    // The screen-saver delays (11 items) from section "ScreenSave" and the PLC
    // selection list (40 items) from "PLC_Type": the section's key names in
    // order. The built-in lists (GBK) stand in when the section is absent or
    // has no keys, and for positions a shorter section leaves out; keys beyond
    // the list's length are ignored, since the positions are stored indexes.
    std::vector<std::string> ScreenSaveList() const;
    std::vector<std::string> PlcTypeNames() const;

  private:
    IniFile file_;
};

// A hint "short|long": the tooltip before the first "|", the status-bar text
// after it; without "|" both are the whole text.
struct Hint {
    std::string Tooltip;
    std::string Status;
};
Hint SplitHint(std::string_view hint);

}  // namespace qxed
