#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panels/alarm_list_ok_bottom_dlg.h"
#include "text/code_page.h"
#include "text/language.h"

namespace qxed {
namespace {

constexpr int kMitsubishi = 0;
constexpr int kKoyo = 1;
constexpr int kSiemens = 2;
constexpr int kSchneider = 4;
constexpr int kModbusSlave = 29;
constexpr int kQx220 = 1;
constexpr int kQx420 = 2;
constexpr int kQx421 = 7;

Language Chinese() {
    return Language(IniFile::FromBytes("[Font]\nVersion=sCh\n"));
}

struct Shown {
    Language language;
    AlarmListOKBottomDlg dialog{language};
    Shown(int plcType, int model, PlcAddress coil, const std::vector<std::string>& texts,
          Language chosen = Chinese())
        : language(std::move(chosen)) {
        ProjectSettings settings;
        settings.PlcType = plcType;
        settings.AlarmCoil = coil;
        settings.AlarmCount = static_cast<int32_t>(texts.size());
        std::array<std::string, kMaxAlarmTexts> all;
        std::copy(texts.begin(), texts.end(), all.begin());
        dialog.ApplyPlcProfile(plcType);
        dialog.ApplyModel(model);
        dialog.FormShow(settings, all, CodePage::Gbk);
    }
    const std::vector<std::string>& Coils() const { return dialog.Grid().Coils; }
    const std::vector<std::string>& Texts() const { return dialog.Grid().Texts; }
};

TEST(AlarmListDialog, CoilColumnCountsInThePlcsNumbering) {
    struct Case {
        const char* Name;
        int PlcType;
        PlcAddress Coil;
        std::vector<std::string> Coils;  // with the append row's empty label
    };
    const Case cases[] = {
        {"Mitsubishi M10", kMitsubishi, {1, 0, 10}, {"M10", "M11", "M12", ""}},
        {"Siemens M word 10 bit 6", kSiemens, {1, 0, 86}, {"M106", "M107", "M110", ""}},
        {"Koyo octal M7", kKoyo, {1, 0, 7}, {"M7", "M10", "M11", ""}},
        {"Schneider MX starts on an even word",
         kSchneider,
         {1, 1, 11 * 8 + 3},
         {"MX10.0", "MX10.1", "MX10.2", ""}},
        {"Schneider M is a plain number", kSchneider, {1, 0, 83}, {"M83", "M84", "M85", ""}},
        {"ModbusSlave coils go by eight", kModbusSlave, {1, 0, 13}, {"0x8", "0x9", "0x10", ""}},
    };
    for (const Case& c : cases) {
        Shown shown(c.PlcType, kQx220, c.Coil, {"a", "b", "c"});
        EXPECT_EQ(shown.Coils(), c.Coils) << c.Name;
    }
}

TEST(AlarmListDialog, StartCoilFieldsFollowTheTypesRules) {
    Shown siemens(kSiemens, kQx220, {1, 0, 86}, {"a"});
    EXPECT_TRUE(siemens.dialog.State().At("AlarmCoilNoComboBox").Enabled);
    EXPECT_EQ(siemens.dialog.State().At("AlarmCoilNoComboBox").Value, 6);
    siemens.dialog.AlarmCoilNoComboBoxChange(2);
    EXPECT_EQ(siemens.Coils().front(), "M102");

    Shown schneider(kSchneider, kQx220, {1, 0, 5}, {"a"});
    EXPECT_EQ(schneider.dialog.State().At("AlarmCoilNoSpinEdit").Step, 1);
    schneider.dialog.AlarmCoilTypeComboBoxChange(1);
    EXPECT_EQ(schneider.dialog.State().At("AlarmCoilNoSpinEdit").Step, 2);
    EXPECT_FALSE(schneider.dialog.State().At("AlarmCoilNoComboBox").Enabled);
    schneider.dialog.AlarmCoilNoSpinEditChange(7);
    EXPECT_EQ(schneider.Coils().front(), "MX6.0");
    schneider.dialog.AlarmCoilNoComboBoxChange(3);
    EXPECT_EQ(schneider.dialog.OKBtnClick().Coil.Number, 48);

    Shown modbus(kModbusSlave, kQx220, {1, 0, 0}, {"a"});
    EXPECT_EQ(modbus.dialog.State().At("AlarmCoilNoSpinEdit").Step, 8);
    modbus.dialog.AlarmCoilNoSpinEditChange(23);
    EXPECT_EQ(modbus.dialog.OKBtnClick().Coil.Number, 16);
}

TEST(AlarmListDialog, TidyingKeepsInnerEmptyTextsAndDropsTrailingOnes) {
    struct Step {
        int Row;
        const char* Text;
        std::vector<std::string> Texts;  // the grid after the edit, append row included
        int CurrentRow;
    };
    const Step steps[] = {
        {3, "d", {"a", "b", "c", "d", ""}, 3},
        {1, "", {"a", "", "c", "d", ""}, 1},  // a middle text cleared: still an alarm
        {3, "", {"a", "", "c", ""}, 3},       // the last one cleared: its row goes
        {2, "", {"a", ""}, 1},                // and with it the empty ones before it
        {1, "", {"a", ""}, 1},                // the append row stays empty
        {0, "", {""}, 0},                     // no alarm left
        {0, "x", {"x", ""}, 0},
        {7, "y", {"x", ""}, 0},  // beyond the grid: nothing
    };
    Shown shown(kMitsubishi, kQx220, {1, 0, 10}, {"a", "b", "c"});
    EXPECT_EQ(shown.dialog.Grid().CurrentRow, 0);
    for (const Step& step : steps) {
        shown.dialog.AlarmListStringGridSetEditText(step.Row, step.Text);
        EXPECT_EQ(shown.Texts(), step.Texts) << step.Row << " \"" << step.Text << '"';
        EXPECT_EQ(shown.dialog.Grid().CurrentRow, step.CurrentRow) << step.Row << " \"" << step.Text << '"';
    }
    EXPECT_EQ(shown.dialog.OKBtnClick().Count, 1);
}

TEST(AlarmListDialog, WithoutAlarmsTheStartCoilCannotBeChanged) {
    Shown shown(kSiemens, kQx220, {1, 0, 86}, {});
    EXPECT_EQ(shown.Texts(), std::vector<std::string>{""});
    EXPECT_EQ(shown.Coils(), std::vector<std::string>{""});
    for (const char* field : {"AlarmCoilTypeComboBox", "AlarmCoilNoSpinEdit", "AlarmCoilNoComboBox",
                              "AlarmCoilStationSpinEdit", "AlarmCoilNoLabel"})
        EXPECT_FALSE(shown.dialog.State().At(field).Enabled) << field;
    shown.dialog.AlarmListStringGridSetEditText(0, "alarm");
    EXPECT_TRUE(shown.dialog.State().At("AlarmCoilNoSpinEdit").Enabled);
    EXPECT_EQ(shown.Coils(), (std::vector<std::string>{"M106", ""}));
}

TEST(AlarmListDialog, OkCutsTextsToTheModelsLengthWithoutSplittingACharacter) {
    const std::string ascii(50, 'A');
    // 23 ASCII bytes and a double-byte character that would straddle byte 24.
    const std::string straddling = std::string(23, 'B') + GbkFromUtf8("报警");
    struct Case {
        int Model;
        int Bytes;
    };
    for (const Case c : {Case{kQx420, 40}, Case{kQx421, 30}, Case{kQx220, 24}}) {
        Shown shown(kMitsubishi, c.Model, {1, 0, 0}, {ascii, straddling});
        const AlarmListChoice choice = shown.dialog.OKBtnClick();
        EXPECT_EQ(choice.Texts[0], ascii.substr(0, static_cast<size_t>(c.Bytes))) << c.Model;
        if (c.Bytes == 24) EXPECT_EQ(choice.Texts[1], std::string(23, 'B')) << c.Model;
        if (c.Bytes > 24) EXPECT_EQ(choice.Texts[1], straddling) << c.Model;
    }
}

TEST(AlarmListDialog, TheListHoldsWhatTheImageCanCount) {
    struct Case {
        int Model;
        int Capacity;
    };
    for (const Case c : {Case{kQx220, 128}, Case{kQx420, 255}}) {
        Shown shown(kMitsubishi, c.Model, {1, 0, 0},
                    std::vector<std::string>(static_cast<size_t>(c.Capacity - 1), "t"));
        EXPECT_EQ(shown.Texts().size(), static_cast<size_t>(c.Capacity)) << c.Model;
        // Filling the append row fills the last slot; no row follows it, and it is kept on OK.
        shown.dialog.AlarmListStringGridSetEditText(c.Capacity - 1, "last");
        EXPECT_EQ(shown.Texts().size(), static_cast<size_t>(c.Capacity)) << c.Model;
        EXPECT_EQ(shown.Coils().back(), "M" + std::to_string(c.Capacity - 1)) << c.Model;
        const AlarmListChoice choice = shown.dialog.OKBtnClick();
        EXPECT_EQ(choice.Count, c.Capacity) << c.Model;
        EXPECT_EQ(choice.Texts[static_cast<size_t>(c.Capacity - 1)], "last") << c.Model;
        // Emptying the last alarm brings the append row back.
        shown.dialog.AlarmListStringGridSetEditText(c.Capacity - 1, "");
        EXPECT_EQ(shown.Texts().size(), static_cast<size_t>(c.Capacity)) << c.Model;
        EXPECT_EQ(shown.dialog.OKBtnClick().Count, c.Capacity - 1) << c.Model;
    }
}

TEST(AlarmListDialog, TheEnglishVersionRefusesNonAsciiTexts) {
    const std::string chinese = GbkFromUtf8("报警");
    struct Case {
        const char* Version;
        bool Kept;
    };
    for (const Case c : {Case{"En", false}, Case{"sCh", true}}) {
        Shown shown(kMitsubishi, kQx220, {1, 0, 0}, {"old"},
                    Language(IniFile::FromBytes(std::string("[Font]\nVersion=") + c.Version + "\n")));
        shown.dialog.AlarmListStringGridSetEditText(0, chinese);
        EXPECT_EQ(shown.Texts().front(), c.Kept ? chinese : "old") << c.Version;
        shown.dialog.AlarmListStringGridSetEditText(1, chinese);
        EXPECT_EQ(shown.dialog.OKBtnClick().Count, c.Kept ? 2 : 1) << c.Version;
    }
}

TEST(AlarmListDialog, TheTextColumnNarrowsOnceTheGridScrolls) {
    Shown few(kMitsubishi, kQx220, {1, 0, 0}, std::vector<std::string>(15, "t"));
    EXPECT_EQ(few.dialog.Grid().TextColumnWidth, 171);
    few.dialog.AlarmListStringGridSetEditText(15, "t");
    EXPECT_EQ(few.dialog.Grid().TextColumnWidth, 154);
}

}  // namespace
}  // namespace qxed
