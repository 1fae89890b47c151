#include <gtest/gtest.h>

#include "vpanel/panel_fixture.h"
#include "vpanel/panel_keys.h"
#include "vpanel/panel_script.h"
#include "vpanel/virtual_panel_form.h"

namespace qxed {
namespace {

using namespace testing;
using namespace panel_keys;

class RecordingView : public VirtualPanelView {
  public:
    int Screens = 0;
    RasterImage LastScreen;
    std::vector<OperandRow> Rows;
    std::string Status;

    void ShowScreen(const RasterImage& screen) override {
        ++Screens;
        LastScreen = screen;
    }
    void ShowOperands(const std::vector<OperandRow>& rows) override { Rows = rows; }
    void ShowStatus(const std::string& text) override { Status = text; }
};

// A QX220 page with a lamp on coil 1:1:20, a momentary key on 5 for it and a register 1:0:50.
Project LampAndKey() {
    const int model = 1;
    Project project = SmallProject(model);
    Page& page = project.Pages().front();
    AddElement<LampFields>(page, ElementKind::Lamp, model, 0, 0).Coil = PlcAddress{1, 1, 20};
    FuncKeyFields& key = AddElement<FuncKeyFields>(page, ElementKind::FuncKey, model, 40, 0);
    key.Action.Key = kNum0 + 5;
    key.Action.Coil = PlcAddress{1, 1, 20};
    key.Action.CoilAction = 3;
    AddElement<RegFields>(page, ElementKind::Reg, model, 0, 32).Address = PlcAddress{1, 0, 50};
    return project;
}

TEST(PanelForm, ShowsTheKeypadAndTheOperandsTheImageUses) {
    RecordingView view;
    VirtualPanelForm form(StartPanel(LampAndKey()), view);
    EXPECT_EQ(view.Screens, 1);
    EXPECT_EQ(view.LastScreen.Width, 192 * 3);
    EXPECT_EQ(view.LastScreen.Height, 64 * 3);
    ASSERT_EQ(form.Buttons().size(), 20u);  // the QX220 keypad
    EXPECT_EQ(form.Buttons()[0].Code, kHome);
    EXPECT_EQ(form.Buttons()[0].Caption, "↑");
    ASSERT_EQ(view.Rows.size(), 2u);
    EXPECT_EQ(view.Rows[0].Name, "reg:1:0:50");
    EXPECT_EQ(view.Rows[1].Name, "coil:1:1:20");
    EXPECT_EQ(view.Status, "page 1");
}

TEST(PanelForm, TheTableEditsThePlcAndRefusesWhatIsNoValue) {
    struct Case {
        std::size_t Row;
        const char* Text;
        bool Taken;
        const char* Shown;
    };
    const Case cases[] = {
        {0, "1234", true, "1234"}, {0, " -1 ", true, "65535"}, {0, "65536", false, "0"},
        {0, "12a", false, "0"},    {1, "1", true, "1"},        {1, "2", false, "0"},
        {5, "1", false, nullptr},
    };
    for (const Case& c : cases) {
        RecordingView view;
        VirtualPanelForm form(StartPanel(LampAndKey()), view);
        const int before = view.Screens;
        EXPECT_EQ(form.OperandGridSetEditText(c.Row, c.Text), c.Taken) << c.Text;
        if (c.Shown == nullptr) continue;
        EXPECT_EQ(view.Rows[c.Row].Value, c.Shown) << c.Text;
        EXPECT_GT(view.Screens, before) << "every edit redraws";
    }
}

TEST(PanelForm, ButtonsAndDesktopKeysHoldAMomentaryCoil) {
    RecordingView view;
    VirtualPanelForm form(StartPanel(LampAndKey()), view);
    const ImageOperand coil{1, 1, 20};
    form.KeyButtonPress(kNum0 + 5);
    EXPECT_TRUE(form.Panel().Plc().Coil(coil));
    EXPECT_EQ(view.Rows[1].Value, "1");
    form.KeyButtonRelease(kNum0 + 5);
    EXPECT_FALSE(form.Panel().Plc().Coil(coil));

    EXPECT_TRUE(form.FormKeyDown("5"));
    EXPECT_TRUE(form.FormKeyDown("5"));  // the desktop's auto-repeat
    EXPECT_TRUE(form.Panel().Plc().Coil(coil));
    form.FormKeyUp("5");
    EXPECT_FALSE(form.Panel().Plc().Coil(coil));
    EXPECT_FALSE(form.FormKeyDown("F6")) << "the QX220 has no F6";
    EXPECT_FALSE(form.FormKeyDown("Q"));
}

TEST(PanelForm, MapsTheDesktopKeys) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"0", kNum0},        {"9", kNum0 + 9}, {"Up", kUp},       {"Down", kDown},  {"Left", kLeft},
        {"Right", kRight},   {"Return", kEnt}, {"Enter", kEnt},   {"Escape", kClr}, {"F1", kF1},
        {"F10", kF1 + 9},    {"F11", {}},      {"F0", {}},        {"S", kSet},      {"Home", kHome},
        {"-", kPlusMinus},   {"x", {}},        {"", {}},
    };
    for (const auto& [name, code] : cases)
        EXPECT_EQ(VirtualPanelForm::KeyOfDesktopKey(name), code) << name;
}

TEST(PanelForm, TouchesAreScaledToScreenDots) {
    const int model = 6;
    Project project = SmallProject(model);
    TouchKeyFields& key = AddElement<TouchKeyFields>(project.Pages().front(), ElementKind::TouchKey, model, 40, 8);
    key.Content = "T";
    key.Font = SampleFont("宋体", 9, 0);
    key.Action.Coil = PlcAddress{1, 1, 20};
    key.Action.CoilAction = 2;
    RecordingView view;
    VirtualPanelForm form(StartPanel(project), view);
    form.ScreenMouseDown(39 * 3, 10 * 3);  // just left of the key
    form.ScreenMouseUp();
    EXPECT_FALSE(form.Panel().Plc().Coil(ImageOperand{1, 1, 20}));
    form.ScreenMouseDown(41 * 3 + 2, 10 * 3);
    form.ScreenMouseUp();
    EXPECT_TRUE(form.Panel().Plc().Coil(ImageOperand{1, 1, 20}));
}

TEST(KeyScript, ReadsKeysTouchesAndWaits) {
    const ScriptParse parse = ParseKeyScript("  F1 down 1 +- TOUCH:3,4\tWAIT:1500 ent ");
    ASSERT_TRUE(parse.Error.empty()) << parse.Error;
    ASSERT_EQ(parse.Steps.size(), 7u);
    EXPECT_EQ(std::get<ScriptKey>(parse.Steps[0]).Code, kF1);
    EXPECT_EQ(std::get<ScriptKey>(parse.Steps[1]).Code, kDown);
    EXPECT_EQ(std::get<ScriptKey>(parse.Steps[2]).Code, kNum0 + 1);
    EXPECT_EQ(std::get<ScriptKey>(parse.Steps[3]).Code, kPlusMinus);
    EXPECT_EQ(std::get<ScriptTouch>(parse.Steps[4]).X, 3);
    EXPECT_EQ(std::get<ScriptTouch>(parse.Steps[4]).Y, 4);
    EXPECT_EQ(std::get<ScriptWait>(parse.Steps[5]).Milliseconds, 1500);
    EXPECT_EQ(std::get<ScriptKey>(parse.Steps[6]).Code, kEnt);
    for (const char* bad : {"F11", "TOUCH:3", "TOUCH:-1,2", "WAIT:", "WAIT:99999999999", "ENTER", "10"})
        EXPECT_FALSE(ParseKeyScript(bad).Error.empty()) << bad;
}

TEST(KeyScript, StopsAtAKeyTheModelLacks) {
    Project project = LampAndKey();
    VirtualPanel panel = StartPanel(project);
    const ScriptParse parse = ParseKeyScript("DOWN F1 UP");
    EXPECT_EQ(RunKeyScript(panel, parse.Steps), "the QX220 has no key F1");
}

TEST(OperandNames, RoundTripAndRefuseWhatIsOutOfRange) {
    const ImageOperand operand{3, 144, 65535};
    for (const bool coil : {false, true}) {
        const std::optional<NamedOperand> parsed = ParseOperandName(OperandName(operand, coil));
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->Operand, operand);
        EXPECT_EQ(parsed->Coil, coil);
    }
    for (const char* bad : {"reg:1:0", "reg:256:0:1", "coil:1:0:65536", "word:1:0:1", "reg:1::1", "reg:1:0:1:",
                            "reg:-1:0:1", "reg:1:0:1x"})
        EXPECT_FALSE(ParseOperandName(bad)) << bad;
}

}  // namespace
}  // namespace qxed
