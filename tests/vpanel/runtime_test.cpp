#include <gtest/gtest.h>

#include "vpanel/page_renderer.h"
#include "vpanel/panel_fixture.h"
#include "vpanel/panel_keys.h"

namespace qxed {
namespace {

using namespace testing;
using namespace panel_keys;

constexpr int kModel = 1;  // QX220: arrows, SET, ENT, CLR, +/- and digits
const ImageOperand kCoil{1, 1, 20};
const ImageOperand kReg{1, 0, 50};

// Pages 1, 2 and 3; page 1 goes back to 3 and on to 2.
Project ThreePages() {
    Project project = SmallProject(kModel);
    project.AddPage(2, "");
    project.AddPage(3, "");
    Page& first = project.Pages().front();
    first.PrvPageNo = 3;
    first.NxtPageNo = 2;
    return project;
}

FuncKeyFields& AddKey(Project& project, int key, uint8_t function) {
    FuncKeyFields& fk = AddElement<FuncKeyFields>(project.Pages().front(), ElementKind::FuncKey, kModel, 0, 0);
    fk.Action.Key = key;
    fk.Action.Function = function;
    fk.Action.Coil = PlcAddress{1, 1, 20};
    fk.Action.RegAddress = PlcAddress{1, 0, 50};
    return fk;
}

void Type(VirtualPanel& panel, const std::string& digits) {
    for (const char c : digits)
        EXPECT_TRUE(panel.Press(kNum0 + (c - '0')));
}

TEST(Keys, FollowThePageLinks) {
    struct Case {
        std::vector<int> Keys;
        uint16_t Page;
    };
    const Case cases[] = {
        {{}, 1},
        {{kDown}, 2},
        {{kUp}, 3},
        {{kDown, kDown}, 3},  // page 2 goes on to 3 by default
        {{kDown, kHome}, 1},
        {{kDown, kUp}, 1},
    };
    for (const Case& c : cases) {
        VirtualPanel panel = StartPanel(ThreePages());
        for (const int key : c.Keys)
            EXPECT_TRUE(panel.Press(key));
        EXPECT_EQ(panel.CurrentPage(), c.Page);
    }
}

TEST(Keys, ALinkToAMissingPageOrAKeyOffTheKeypadChangesNothing) {
    Project project = ThreePages();
    project.Pages().front().NxtPageNo = 9;
    VirtualPanel panel = StartPanel(project);
    EXPECT_TRUE(panel.Press(kDown));
    EXPECT_EQ(panel.CurrentPage(), 1);
    EXPECT_FALSE(panel.Press(kF1 + 5));  // the QX220 has no F6
}

TEST(FunctionKeys, JumpToTheirPage) {
    Project project = ThreePages();
    FuncKeyFields& key = AddKey(project, kNum0 + 7, KeyAction::kPageJump);
    key.Action.PageNo = 2;
    VirtualPanel panel = StartPanel(project);
    EXPECT_TRUE(panel.Press(kNum0 + 7));
    EXPECT_EQ(panel.CurrentPage(), 2);
    // On page 2 the key has no function key: it does nothing.
    EXPECT_TRUE(panel.Press(kNum0 + 7));
    EXPECT_EQ(panel.CurrentPage(), 2);
}

TEST(FunctionKeys, SetTheirCoil) {
    struct Case {
        uint8_t CoilAction;
        bool Before;
        bool WhileHeld;
        bool After;
    };
    const Case cases[] = {
        {0, false, true, true}, {0, true, true, true},   {1, true, false, false},
        {2, false, true, true}, {2, true, false, false}, {3, false, true, false},
    };
    for (const Case& c : cases) {
        Project project = ThreePages();
        AddKey(project, kNum0 + 1, KeyAction::kSetCoil).Action.CoilAction = c.CoilAction;
        VirtualPanel panel = StartPanel(project);
        panel.SetCoil(kCoil, c.Before);
        EXPECT_TRUE(panel.KeyDown(kNum0 + 1));
        EXPECT_EQ(panel.Plc().Coil(kCoil), c.WhileHeld) << int{c.CoilAction};
        panel.KeyUp(kNum0 + 1);
        EXPECT_EQ(panel.Plc().Coil(kCoil), c.After) << int{c.CoilAction};
    }
}

TEST(FunctionKeys, WriteTheirSetValue) {
    for (const int32_t count : {1, 2}) {
        Project project = ThreePages();
        FuncKeyFields& key = AddKey(project, kNum0 + 2, KeyAction::kSetData);
        key.Action.SetValue = 0x12345;
        key.Action.RegNum = count;
        VirtualPanel panel = StartPanel(project);
        EXPECT_TRUE(panel.Press(kNum0 + 2));
        EXPECT_EQ(panel.Plc().Value(kReg, 2 * count), count == 1 ? 0x2345u : 0x12345u);
        EXPECT_EQ(panel.Plc().Word(Advanced(kReg, 1)), count == 1 ? 0 : 1);
    }
}

TEST(FunctionKeys, ProtectedOnesAskForThePasswordFirst) {
    Project project = ThreePages();
    project.Settings.Password = 1234;
    FuncKeyFields& key = AddKey(project, kNum0 + 3, KeyAction::kSetCoil);
    key.Action.Encrypt = 1;
    VirtualPanel panel = StartPanel(project);

    EXPECT_TRUE(panel.Press(kNum0 + 3));
    EXPECT_EQ(panel.View(), PanelView::Password);
    EXPECT_FALSE(panel.Plc().Coil(kCoil));
    Type(panel, "4321");
    EXPECT_TRUE(panel.Press(kEnt));
    EXPECT_EQ(panel.View(), PanelView::Password) << "a wrong password is refused";
    EXPECT_FALSE(panel.Plc().Coil(kCoil));
    Type(panel, "00001234");
    EXPECT_TRUE(panel.Press(kEnt));
    EXPECT_EQ(panel.View(), PanelView::Page);
    EXPECT_TRUE(panel.Plc().Coil(kCoil)) << "the key runs once the password is given";

    // CLR on the password page drops the key.
    VirtualPanel other = StartPanel(project);
    other.Press(kNum0 + 3);
    other.Press(kClr);
    EXPECT_EQ(other.View(), PanelView::Page);
    EXPECT_FALSE(other.Plc().Coil(kCoil));
}

Project SettableRegister(bool limit, bool protect) {
    Project project = ThreePages();
    Page& page = project.Pages().front();
    AddElement<RegFields>(page, ElementKind::Reg, kModel, 0, 0).Address = PlcAddress{1, 0, 40};  // not settable
    RegFields& reg = AddElement<RegFields>(page, ElementKind::Reg, kModel, 0, 16);
    reg.Address = PlcAddress{1, 0, 50};
    reg.NeedSet = 1;
    reg.Unsigned = 0;
    reg.Limit = limit;
    reg.LowLimit = -20;
    reg.UpLimit = 300;
    reg.Encrypt = protect;
    RegFields& second = AddElement<RegFields>(page, ElementKind::Reg, kModel, 0, 32);
    second.Address = PlcAddress{1, 0, 60};
    second.NeedSet = 1;
    project.Settings.Password = 7;
    return project;
}

TEST(RegisterEntry, WritesWithinTheLimitsAndRefusesOutside) {
    struct Case {
        bool Limit;
        std::vector<int> Keys;
        int16_t Written;
    };
    const Case cases[] = {
        {true, {kSet, kNum0 + 2, kNum0 + 5, kEnt}, 25},
        {true, {kSet, kNum0 + 1, kNum0 + 5, kPlusMinus, kEnt}, -15},
        {true, {kSet, kNum0 + 3, kNum0 + 0, kNum0 + 1, kEnt}, 0},        // above 300: refused
        {true, {kSet, kNum0 + 2, kNum0 + 1, kPlusMinus, kEnt}, 0},       // below -20: refused
        {false, {kSet, kNum0 + 3, kNum0 + 0, kNum0 + 1, kEnt}, 301},     // no limits
        {true, {kSet, kNum0 + 2, kClr, kEnt}, 0},                        // CLR cancels
        {true, {kSet, kSet, kNum0 + 9, kEnt}, 0},                        // the second SET moves on
        {false, {kSet, kNum0 + 9, kNum0 + 9, kNum0 + 9, kNum0 + 9, kNum0 + 9, kNum0 + 9, kEnt}, 0},  // beyond 16 bits
    };
    for (const Case& c : cases) {
        VirtualPanel panel = StartPanel(SettableRegister(c.Limit, false));
        for (const int key : c.Keys)
            panel.Press(key);
        EXPECT_EQ(static_cast<int16_t>(panel.Plc().Word(kReg)), c.Written);
    }
}

TEST(RegisterEntry, ShowsWhatIsTypedAndEndsAfterTheLastRegister) {
    VirtualPanel panel = StartPanel(SettableRegister(true, false));
    const MonoBitmap before = panel.Screen();
    panel.Press(kSet);
    ASSERT_TRUE(panel.EntryElement());
    EXPECT_NE(panel.Screen(), before);
    panel.Press(kSet);
    panel.Press(kNum0 + 4);
    panel.Press(kEnt);
    EXPECT_EQ(panel.Plc().Word(ImageOperand{1, 0, 60}), 4);
    panel.Press(kSet);
    panel.Press(kSet);
    panel.Press(kSet);
    EXPECT_FALSE(panel.EntryElement()) << "SET after the last settable register ends the entry";
    // A refused value keeps the entry open for another try.
    VirtualPanel limited = StartPanel(SettableRegister(true, false));
    for (const int key : {kSet, kNum0 + 9, kNum0 + 9, kNum0 + 9, kEnt})
        limited.Press(key);
    EXPECT_TRUE(limited.EntryElement());
    EXPECT_EQ(limited.Plc().Word(kReg), 0);
}

TEST(RegisterEntry, TakesNoMoreDigitsThanTheRegisterShows) {
    Project project = ThreePages();
    RegFields& reg = AddElement<RegFields>(project.Pages().front(), ElementKind::Reg, kModel, 0, 0);
    reg.Address = PlcAddress{1, 0, 50};
    reg.NeedSet = 1;
    reg.Num = 2;
    reg.Digits = 10;
    VirtualPanel panel = StartPanel(project);
    panel.Press(kSet);
    Type(panel, "123456789012");
    panel.Press(kEnt);
    EXPECT_EQ(panel.Plc().Value(kReg, 4), 1234567890u);
}

TEST(RegisterEntry, OfAProtectedRegisterAsksForThePassword) {
    VirtualPanel panel = StartPanel(SettableRegister(false, true));
    panel.Press(kSet);
    EXPECT_EQ(panel.View(), PanelView::Password);
    panel.Press(kNum0 + 7);
    panel.Press(kEnt);
    ASSERT_EQ(panel.View(), PanelView::Page);
    for (const int key : {kNum0 + 8, kEnt})
        panel.Press(key);
    EXPECT_EQ(panel.Plc().Word(kReg), 8);
}

TEST(AlarmList, ShowsExactlyTheTextsOfTheCoilsThatAreOn) {
    Project project = ThreePages();
    project.Settings.AlarmCount = 4;
    project.Settings.AlarmCoil = PlcAddress{1, 1, 100};
    project.AlarmTexts[0] = "A1";
    project.AlarmTexts[1] = "B2";
    project.AlarmTexts[2] = "\xB0\xA1";
    project.AlarmTexts[3] = "D4";
    VirtualPanel panel = StartPanel(project);
    panel.SetCoil(ImageOperand{1, 1, 101}, true);
    panel.SetCoil(ImageOperand{1, 1, 102}, true);
    panel.SetCoil(ImageOperand{1, 1, 104}, true);  // beyond the list
    EXPECT_TRUE(panel.Press(kAlarm));
    ASSERT_EQ(panel.View(), PanelView::AlarmList);

    const std::vector<uint8_t> bytes = BuildImage(project);
    const DecodedImage& image = panel.Image();
    const PanelFont font = GeneratedFont();
    RenderInput input{bytes, &image, &font, &panel.Plc(), nullptr, std::nullopt, {}};
    MonoBitmap expected(panel.ScreenWidth(), panel.ScreenHeight());
    DrawImageText(expected, input, image.Alarms[1].Text, 0, 0, 1, false);
    DrawImageText(expected, input, image.Alarms[2].Text, 0, 16, 1, false);
    EXPECT_EQ(panel.Screen(), expected);

    panel.Press(kClr);
    EXPECT_EQ(panel.View(), PanelView::Page);
}

TEST(ControlRegisters, ReportThePageAndFollowTheAutomaticPageChange) {
    Project project = ThreePages();
    project.Settings.CtrlFlags = ProjectSettings::kAutoPageNo | ProjectSettings::kReportPageNo;
    project.Settings.CtrlReg = PlcAddress{1, 0, 900};
    VirtualPanel panel = StartPanel(project);
    const ImageOperand automatic{1, 0, 900}, report{1, 0, 901};
    EXPECT_EQ(panel.Plc().Word(report), 1);
    panel.Press(kDown);
    EXPECT_EQ(panel.Plc().Word(report), 2);
    panel.SetRegister(automatic, 3);
    EXPECT_EQ(panel.CurrentPage(), 3);
    EXPECT_EQ(panel.Plc().Word(report), 3);
    // The keys still turn pages while the register stays.
    panel.Press(kHome);
    EXPECT_EQ(panel.CurrentPage(), 1);
    panel.SetRegister(automatic, 9);  // no such page
    EXPECT_EQ(panel.CurrentPage(), 1);
}

TEST(ScreenSaver, SetsInAfterItsDelayAndTheFirstKeyOnlyWakes) {
    struct Case {
        int32_t Index;  // delay list index
        int64_t Delay;  // ms
        uint8_t TurnOffLight;
    };
    for (const Case c : {Case{1, 60000, 1}, Case{4, 300000, 0}}) {
        Project project = ThreePages();
        project.Settings.ScreenSaveTime = c.Index;
        project.Settings.ScreenSaveTurnOffLight = c.TurnOffLight;
        project.Settings.ScreenSavePageNo = 3;
        AddElement<TextFields>(project.Pages().back(), ElementKind::Text, kModel, 0, 0).Content = "S";
        AddElement<TextFields>(project.Pages().front(), ElementKind::Text, kModel, 0, 0).Content = "H";
        VirtualPanel panel = StartPanel(project);
        const MonoBitmap home = panel.Screen();
        panel.Advance(c.Delay - 1);
        EXPECT_FALSE(panel.ScreenSaverOn());
        panel.Press(kDown);  // a key starts the delay again
        panel.Press(kUp);
        panel.Advance(c.Delay - 1);
        EXPECT_FALSE(panel.ScreenSaverOn());
        panel.Advance(1);
        EXPECT_TRUE(panel.ScreenSaverOn());
        EXPECT_EQ(panel.BacklightOn(), c.TurnOffLight == 0);
        if (c.TurnOffLight != 0) {
            EXPECT_EQ(CountSet(panel.Screen()), 0);
        } else {
            EXPECT_NE(panel.Screen(), home);
        }
        EXPECT_TRUE(panel.Press(kDown));
        EXPECT_FALSE(panel.ScreenSaverOn());
        EXPECT_EQ(panel.CurrentPage(), 1) << "the waking key does nothing else";
        EXPECT_EQ(panel.Screen(), home);
    }
}

TEST(GlobalKeys, RunOnEveryPage) {
    const int model = 4;  // QX222: F1..F8
    Project project = SmallProject(model);
    project.AddPage(2, "");
    project.GlobalKeyCount = 8;
    KeyAction& f3 = project.GlobalKeys[2];
    f3.Function = KeyAction::kSetCoil;
    f3.Coil = PlcAddress{1, 1, 20};
    f3.CoilAction = 2;
    KeyAction& f1 = project.GlobalKeys[0];
    f1.Function = KeyAction::kPageJump;
    f1.PageNo = 2;
    VirtualPanel panel = StartPanel(project);
    EXPECT_TRUE(panel.Press(kF1));
    EXPECT_EQ(panel.CurrentPage(), 2);
    EXPECT_TRUE(panel.Press(kF1 + 2));
    EXPECT_TRUE(panel.Plc().Coil(kCoil));
}

TEST(TouchKeys, RunTheirActionOnAPressInsideTheirFrame) {
    const int model = 6;
    Project project = SmallProject(model);
    TouchKeyFields& key = AddElement<TouchKeyFields>(project.Pages().front(), ElementKind::TouchKey, model, 40, 8);
    key.Content = "On";
    key.Font = SampleFont("宋体", 9, 0);
    key.Action.Function = KeyAction::kSetCoil;
    key.Action.CoilAction = 3;
    key.Action.Coil = PlcAddress{1, 1, 20};
    key.Action.Disappear = 1;  // invisible keys take presses too
    VirtualPanel panel = StartPanel(project);
    const Rect r = TouchKeyRect(panel.Image().Elements.front());
    EXPECT_FALSE(panel.Touch(r.Left - 1, r.Top));
    EXPECT_FALSE(panel.Touch(r.Right, r.Bottom - 1));
    EXPECT_TRUE(panel.TouchDown(r.Right - 1, r.Bottom - 1));
    EXPECT_TRUE(panel.Plc().Coil(kCoil));
    panel.TouchUp();
    EXPECT_FALSE(panel.Plc().Coil(kCoil));
}

TEST(Clock, WritesTheDateAndTimeRegistersAsBcd) {
    Project project = ThreePages();
    project.Settings.CtrlFlags = ProjectSettings::kDateTime;
    project.Settings.CtrlReg = PlcAddress{1, 0, 10};
    VirtualPanel panel = StartPanel(project);
    // 2024-02-29 23:59:58: 8825 days and 86398 seconds after 2000-01-01.
    panel.SetDateTimeStart(int64_t{8825} * 86400 + 86398);
    EXPECT_EQ(panel.Plc().Word(ImageOperand{1, 0, 12}), 0x5958) << "a new start shows at once";
    panel.Advance(3000);
    EXPECT_EQ(panel.Plc().Word(ImageOperand{1, 0, 10}), 0x2403);
    EXPECT_EQ(panel.Plc().Word(ImageOperand{1, 0, 11}), 0x0100);
    EXPECT_EQ(panel.Plc().Word(ImageOperand{1, 0, 12}), 0x0001);
}

}  // namespace
}  // namespace qxed
