#include "text/texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "text/builtin_lists.h"
#include "text/code_page.h"
#include "text/window_texts.h"

namespace qxed {
namespace {

constexpr Window kWindows[] = {
    Window::QX200AppForm,
    Window::AboutBox,
    Window::ModelSelectOKBottomDlg,
    Window::NewPageOKBottomDlg,
    Window::PageAttrOKBottomDlg,
    Window::CopyPageOKBottomDlg,
    Window::PlcSelectOKBottomDlg,
    Window::SetQX200OKBottomDlg,
    Window::AlarmListOKBottomDlg,
    Window::HFuncKeyOKBottomDlg,
    Window::DownloadForm,
    Window::SetCommParaOKBottomDlg,
    Window::SelectComPortOKBottomDlg,
};

std::string Lower(std::string_view s) {
    std::string lower(s);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return lower;
}

bool IsDeclaredPair(const TextKey* a, const TextKey* b) {
    for (const texts::TwoDefaultKey& pair : texts::TwoDefaultKeys) {
        if ((pair.First == a && pair.Second == b) || (pair.First == b && pair.Second == a)) return true;
    }
    return false;
}

void ExpectConvertsToGbkAndBack(std::string_view utf8) {
    const Conversion gbk = FromUtf8(utf8, CodePage::Gbk);
    ASSERT_TRUE(gbk.Ok) << "\"" << utf8 << "\" fails at byte " << gbk.FailedAt;
    EXPECT_EQ(ToUtf8(gbk.Text, CodePage::Gbk).Text, utf8);
    EXPECT_EQ(GbkFromUtf8(utf8), gbk.Text);
}

TEST(Texts, EveryBuiltInTextConvertsToGbk) {
    for (const TextKey* key : texts::AllTexts()) {
        SCOPED_TRACE(std::string(key->Section) + "/" + std::string(key->Key));
        ExpectConvertsToGbkAndBack(key->Default);
    }
    for (std::string_view delay : BuiltinScreenSaveList())
        ExpectConvertsToGbkAndBack(delay);
    for (std::string_view plc : BuiltinPlcTypeNames())
        ExpectConvertsToGbkAndBack(plc);
}

TEST(Texts, SameKeySameDefaultUnlessDeclaredAsTwoDefaults) {
    std::map<std::pair<std::string, std::string>, const TextKey*> seen;
    for (const TextKey* key : texts::AllTexts()) {
        auto [it, added] = seen.emplace(std::make_pair(Lower(key->Section), Lower(key->Key)), key);
        if (added) continue;
        // Two constants for one key: a copy-paste slip unless it is a declared pair.
        EXPECT_TRUE(IsDeclaredPair(it->second, key)) << key->Section << "/" << key->Key;
    }
    for (const texts::TwoDefaultKey& pair : texts::TwoDefaultKeys) {
        EXPECT_EQ(pair.First->Section, pair.Second->Section);
        EXPECT_EQ(pair.First->Key, pair.Second->Key);
        EXPECT_NE(pair.First->Default, pair.Second->Default) << pair.First->Key;
    }
}

TEST(Texts, EveryKeyIsReadByAWindowAndEveryWindowReadsCatalogueKeys) {
    const std::set<const TextKey*> all(texts::AllTexts().begin(), texts::AllTexts().end());
    std::set<const TextKey*> read;
    for (Window window : kWindows) {
        const auto keys = WindowTexts(window);
        SCOPED_TRACE(static_cast<int>(window));
        EXPECT_FALSE(keys.empty());
        const std::set<const TextKey*> distinct(keys.begin(), keys.end());
        EXPECT_EQ(distinct.size(), keys.size()) << "a key read twice";
        for (const TextKey* key : keys) {
            EXPECT_TRUE(all.count(key)) << key->Key;
            read.insert(key);
        }
    }
    for (const TextKey* key : texts::AllTexts()) {
        // The font keys are read by every window through the font helpers.
        if (key->Section == "Font") continue;
        EXPECT_TRUE(read.count(key)) << key->Section << "/" << key->Key << " is read by no window";
    }
}

TEST(Texts, TheMainWindowReadsBothDefaultsOfItsSharedKeys) {
    const auto main = WindowTexts(Window::QX200AppForm);
    for (const texts::TwoDefaultKey& pair : texts::TwoDefaultKeys) {
        EXPECT_NE(std::find(main.begin(), main.end(), pair.First), main.end()) << pair.First->Key;
        EXPECT_NE(std::find(main.begin(), main.end(), pair.Second), main.end()) << pair.Second->Key;
    }
}

}  // namespace
}  // namespace qxed
