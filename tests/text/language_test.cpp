#include "text/language.h"

#include <gtest/gtest.h>

#include "text/builtin_lists.h"
#include "support/temp_folder.h"
#include "text/texts.h"

namespace qxed {
namespace {

Language FromFile(std::string bytes) {
    return Language(IniFile::FromBytes(std::move(bytes)));
}

std::string Utf8OfGbk(std::string_view gbk) {
    Conversion utf8 = ToUtf8(gbk, CodePage::Gbk);
    EXPECT_TRUE(utf8.Ok);
    return utf8.Text;
}

TEST(Language, WithoutAFileEveryTextIsItsDefaultInGbk) {
    const Language language;
    for (const TextKey* key : texts::AllTexts()) {
        EXPECT_EQ(Utf8OfGbk(language.Text(*key)), key->Default) << key->Section << "/" << key->Key;
        EXPECT_EQ(language.TextUtf8(*key), key->Default);
    }
    EXPECT_EQ(language.Text(texts::AppName), "");  // the title is " - " and the file name
    EXPECT_EQ(language.FontName(), "\xCB\xCE\xCC\xE5");
    EXPECT_EQ(language.FontCharset(), 134);
    EXPECT_EQ(language.FontSize(), 9);
    EXPECT_EQ(language.FileCodePage(), CodePage::Gbk);
    EXPECT_EQ(language.Version(), "En");
    EXPECT_EQ(language.LanguageIndex(), 0);
}

TEST(Language, MissingFileInTheProgramFolderGivesTheDefaults) {
    testing::TempFolder folder;
    EXPECT_FALSE(Language::Load(folder.Path().string()).File().Exists());
    testing::WriteBytes(folder.File("Language.Ini"), "[Name]\r\nAppName=QXED\r\n");
    const Language language = Language::Load(folder.Path().string());
    EXPECT_EQ(language.Text(texts::AppName), "QXED");
    EXPECT_EQ(Utf8OfGbk(language.Text(texts::FileName)), "未命名");
}

TEST(Language, PresentKeysGiveTheirBytesEvenWhenEmpty) {
    const Language language = FromFile(
        "[Name]\n"
        "FileName=\n"
        "[Menu]\n"
        "FileCaption=\xCE\xC4\xBC\xFE(&F)\n"
        "[Action]\n"
        "FileNewHint=New|Create a new project\n");
    EXPECT_EQ(language.Text(texts::FileName), "");
    EXPECT_EQ(language.TextUtf8(texts::FileName), "");
    EXPECT_EQ(language.Text(texts::FileCaption), "\xCE\xC4\xBC\xFE(&F)");
    EXPECT_EQ(language.TextUtf8(texts::FileCaption), "文件(&F)");
    EXPECT_EQ(language.Text(texts::FileNewHint), "New|Create a new project");
    EXPECT_EQ(Utf8OfGbk(language.Text(texts::EditCaption)), "编辑(&E)");  // untouched keys keep defaults
}

TEST(Language, DisplayTextDecodesWithTheFontCharsetsCodePage) {
    const Language russian = FromFile("[Font]\nFontCharset=204\n[Menu]\nFileCaption=\xD4\xE0\xE9\xEB\n");
    EXPECT_EQ(russian.FileCodePage(), CodePage::Cp1251);
    EXPECT_EQ(russian.Text(texts::FileCaption), "\xD4\xE0\xE9\xEB");
    EXPECT_EQ(russian.TextUtf8(texts::FileCaption), "Файл");

    // Bytes the code page does not define are shown as replacement characters,
    // ASCII stays readable.
    const Language broken = FromFile("[Font]\nFontCharset=0\n[Menu]\nFileCaption=F\x81le\xE9\n");
    EXPECT_EQ(broken.TextUtf8(texts::FileCaption), "F\xEF\xBF\xBDle\xEF\xBF\xBD");
}

TEST(Language, FontSectionAndLanguageSelector) {
    struct Case {
        const char* Version;
        int Index;
    };
    for (const Case& c : {Case{"En", 0}, Case{"Ko", 1}, Case{"sCh", 2}, Case{"Ru", 3}, Case{"ru", 0},
                          Case{"SCH", 0}, Case{"De", 0}, Case{"", 0}}) {
        const Language language = FromFile(std::string("[Font]\nVersion=") + c.Version + "\n");
        EXPECT_EQ(language.Version(), c.Version);
        EXPECT_EQ(language.LanguageIndex(), c.Index) << c.Version;
    }
    const Language custom = FromFile("[Font]\nFontCharset=129\nFontName=Gulim\nFontSize=abc\n");
    EXPECT_EQ(custom.FileCodePage(), CodePage::Cp949);
    EXPECT_EQ(custom.FontName(), "Gulim");
    EXPECT_EQ(custom.FontSize(), 9);
}

TEST(Language, SymbolsComeFromTheSectionOfTheLanguageSelector) {
    const std::string symbols =
        "[EnSymbolStr]\nHandStrHi=1\n"
        "[RuSymbolStr]\n"
        "HandStrHi=0x1A1\n"  // only the low byte counts
        "HandStrLo=300\n"
        "EntKeyStrHi=-1\n"
        "EntKeyStrLo=junk\n";
    const Language russian = FromFile("[Font]\nVersion=Ru\n" + symbols);
    EXPECT_EQ(russian.Symbol(SymbolId::Hand), "\xA1\x2C");
    EXPECT_EQ(russian.Symbol(SymbolId::EntKey),
              std::string("\xFF") + char(SymbolOf(SymbolId::EntKey).DefaultLo));

    // Without the selector's section every symbol keeps its default.
    const Language noSection = FromFile("[Font]\nVersion=Ru\n[EnSymbolStr]\nHandStrHi=1\n");
    const Language noFile;
    for (const SymbolInfo& symbol : Symbols()) {
        const std::string expected{char(symbol.DefaultHi), char(symbol.DefaultLo)};
        EXPECT_EQ(noSection.Symbol(symbol.Id), expected) << symbol.Name;
        EXPECT_EQ(noFile.Symbol(symbol.Id), expected) << symbol.Name;
        if (symbol.Id != SymbolId::Hand && symbol.Id != SymbolId::EntKey) {
            EXPECT_EQ(russian.Symbol(symbol.Id), expected) << symbol.Name;
        }
    }
    // The lamp defaults are the GB2312 circle and square characters.
    EXPECT_EQ(Utf8OfGbk(noFile.Symbol(SymbolId::CircleLampOn) + noFile.Symbol(SymbolId::CircleLampOff) +
                        noFile.Symbol(SymbolId::SquareLampOn) + noFile.Symbol(SymbolId::SquareLampOff)),
              "●○■□");
}

TEST(Language, SymbolTableIsInIdOrderWithDistinctNamesAndBytes) {
    ASSERT_EQ(Symbols().size(), static_cast<std::size_t>(SymbolCount));
    for (std::size_t i = 0; i < Symbols().size(); ++i) {
        const SymbolInfo& symbol = Symbols()[i];
        EXPECT_EQ(static_cast<std::size_t>(symbol.Id), i);
        EXPECT_EQ(SymbolName(symbol.Id), symbol.Name);
        EXPECT_GE(symbol.DefaultHi, 0xA1) << symbol.Name;  // a double-byte character
        for (std::size_t j = 0; j < i; ++j) {
            EXPECT_NE(Symbols()[j].Name, symbol.Name);
            EXPECT_FALSE(Symbols()[j].DefaultHi == symbol.DefaultHi &&
                         Symbols()[j].DefaultLo == symbol.DefaultLo)
                << Symbols()[j].Name << " and " << symbol.Name;
        }
    }
}

TEST(Language, OneKeyWithTwoDefaultsKeepsBothUntilTheFileSetsIt) {
    const Language none;
    EXPECT_EQ(Utf8OfGbk(none.Text(texts::FuncKeyAttrGroupBoxCaption)), "功能键属性");
    EXPECT_EQ(Utf8OfGbk(none.Text(texts::FuncKeyAttrGroupBoxCaptionTouchKey)), "触摸键属性");
    EXPECT_NE(none.Text(texts::FloatCheckBoxCaption), none.Text(texts::FloatCheckBoxCaptionTrendBar));

    const Language set = FromFile("[Attr]\nFuncKeyAttrGroupBoxCaption=Key\n");
    EXPECT_EQ(set.Text(texts::FuncKeyAttrGroupBoxCaption), "Key");
    EXPECT_EQ(set.Text(texts::FuncKeyAttrGroupBoxCaptionTouchKey), "Key");
}

TEST(Language, KeypadSectionsListKeyNamesOnly) {
    const Language language = FromFile("[Qx210Key]\nHome=5\nLeft\nRight=\n");
    EXPECT_EQ(language.KeypadKeyNames("Qx210Key"), (std::vector<std::string>{"Home", "Left", "Right"}));
    EXPECT_TRUE(language.KeypadKeyNames("Qx22Key").empty());
    EXPECT_TRUE(Language().KeypadKeyNames("Qx210Key").empty());
}

TEST(Language, ScreenSaveListAlwaysOffersEveryDelay) {
    const std::vector<std::string> builtin = Language().ScreenSaveList();
    ASSERT_EQ(builtin.size(), static_cast<std::size_t>(ScreenSaveDelayCount));
    EXPECT_EQ(Utf8OfGbk(builtin.front()), "从不");
    EXPECT_EQ(Utf8OfGbk(builtin.back()), "1 小时后");

    // present but without keys: the built-in list, not an empty choice
    EXPECT_EQ(FromFile("[ScreenSave]\n; nothing\n[Other]\nA=1\n").ScreenSaveList(), builtin);

    std::string full = "[ScreenSave]\n";
    for (int i = 0; i < 13; ++i)
        full += "d" + std::to_string(i) + "\n";
    const std::vector<std::string> fromFile = FromFile(full).ScreenSaveList();
    ASSERT_EQ(fromFile.size(), builtin.size());  // extra keys would name delays the panel lacks
    EXPECT_EQ(fromFile.front(), "d0");
    EXPECT_EQ(fromFile.back(), "d10");

    const std::vector<std::string> shortList = FromFile("[ScreenSave]\nNever=\nSoon=\n").ScreenSaveList();
    ASSERT_EQ(shortList.size(), builtin.size());
    EXPECT_EQ(shortList[0], "Never");
    EXPECT_EQ(shortList[1], "Soon");
    EXPECT_EQ(shortList[2], builtin[2]);
}

TEST(Language, PlcTypeNamesFollowTheSelectionList) {
    const std::vector<std::string> builtin = Language().PlcTypeNames();
    ASSERT_EQ(builtin.size(), static_cast<std::size_t>(PlcTypeListLength));
    EXPECT_EQ(builtin[0], "ModbusRTU");
    EXPECT_EQ(builtin[2], "Halden_M");
    EXPECT_EQ(builtin[39], "Free");

    const std::vector<std::string> renamed =
        FromFile("[PLC_Type]\nModbus RTU\nModbus Slave=1\n").PlcTypeNames();
    ASSERT_EQ(renamed.size(), builtin.size());
    EXPECT_EQ(renamed[0], "Modbus RTU");
    EXPECT_EQ(renamed[1], "Modbus Slave");
    EXPECT_EQ(renamed[2], "Halden_M");
}

TEST(Language, HintsSplitAtTheFirstBar) {
    struct Case {
        std::string_view Hint, Tooltip, Status;
    };
    for (const Case& c : {Case{"Save|Save the project", "Save", "Save the project"},
                          Case{"Save", "Save", "Save"}, Case{"a|b|c", "a", "b|c"},
                          Case{"|status", "", "status"}, Case{"tip|", "tip", ""}, Case{"", "", ""}}) {
        const Hint hint = SplitHint(c.Hint);
        EXPECT_EQ(hint.Tooltip, c.Tooltip) << c.Hint;
        EXPECT_EQ(hint.Status, c.Status) << c.Hint;
    }
}

}  // namespace
}  // namespace qxed
