#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/mono_bitmap.h"
#include "model/element_defaults.h"
#include "model/project.h"
#include "text/code_page.h"

namespace qxed::testing {

// A 3 x 2 picture of 24 bits per pixel whose row padding holds junk: a picture whose bytes must be kept as
// they are, since encoding it again would give other bytes.
inline std::vector<uint8_t> SampleColourBmp() {
    // clang-format off
    std::vector<uint8_t> bmp = {
        'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,            // file header: 78 bytes, pixels at 54
        40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0,          // info header: 3 x 2, 24 bits
        0, 0, 0, 0, 24, 0, 0, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0xAB, 0xCD, 0xEF,  // bottom row, junk
        0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 0x80, 0x80, 0x12, 0x34, 0x56,  // top row, junk
    };
    // clang-format on
    return bmp;
}

// A 1-bit picture with a frame and a diagonal.
inline std::vector<uint8_t> SampleMonoBmp(int width = 21, int height = 10) {
    MonoBitmap bitmap(width, height);
    for (int x = 0; x < width; ++x) {
        bitmap.Set(x, 0, true);
        bitmap.Set(x, height - 1, true);
    }
    for (int y = 0; y < height; ++y) {
        bitmap.Set(0, y, true);
        bitmap.Set(width - 1, y, true);
        bitmap.Set(y * width / height, y, true);
    }
    return EncodeMonoBmp(bitmap);
}

inline FontDesc SampleFont(const std::string& utf8Name, int32_t points, uint8_t style) {
    FontDesc font;
    font.Charset = 134;
    font.Color = 0x00123456;
    font.Name = GbkFromUtf8(utf8Name);
    font.Pitch = FontDesc::kVariablePitch;
    // Through the size, so that height and size agree as a stored font gives them back.
    font.SetSize(points);
    font.Style = style;
    return font;
}

inline KeyAction SampleKeyAction(int32_t seed) {
    KeyAction action;
    action.Key = 20 + seed % 20;
    action.Disappear = 1;
    action.WithHand = 0;
    action.Encrypt = 1;
    action.Function = static_cast<uint8_t>(seed % 5);
    action.Coil = {seed, 1, 100 + seed};
    action.CoilAction = static_cast<uint8_t>(seed % 4);
    action.Jump = static_cast<uint8_t>((seed + 1) % 4);
    action.PageNo = 65535 - seed;
    action.PlcStop = 1;
    action.RegAddress = {2, 3, -seed};
    action.RegNum = 2;
    action.SetValue = -123456 + seed;
    return action;
}

// A project that uses every element kind and every stored field with values other than the defaults:
// PLC type 21 on the QX420 (256 alarm texts, 20 global keys), four pages (one empty, one numbered 65535),
// two pictures (a 1-bit one and a colour one with junk padding), fonts, variable text tables (empty, with a
// gap, full), texts at their slot capacities, GBK texts and one text that is no valid GBK, 200 alarm texts
// and 20 global keys.
inline Project SampleProject() {
    Project project;
    project.Settings.PlcType = 21;
    ResetProject(project);
    ProjectSettings& s = project.Settings;
    s.CurrentModel = 2;
    s.PanelStation = 7;
    s.HomePageNo = 2;
    s.Password = 4321;
    s.AlarmCount = 200;
    s.AlarmCoil = {1, 2, 300};
    s.BaudCode = 9;
    s.Parity = 1;
    s.SevenDataBits = 1;
    s.OneStopBit = 0;
    s.CtrlFlags = 0x73;
    s.CtrlReg = {3, 1, 1000};
    s.ReservedByte = 0x5A;
    s.ModuleNum = 2;
    s.PanelStatusLedNum = 2;
    s.ScreenSaveTime = 5;
    s.ScreenSaveTurnOffLight = 0;
    s.ScreenSavePageNo = 300;
    s.BlueGroundWhiteText = 1;
    s.PowerBeep = 1;
    s.ExchangeWord = 1;
    s.WriteNWords = 1;

    project.ClearPages();
    Page& first = project.AddPage(1, GbkFromUtf8("主画面"));
    first.PrvPageNo = 300;
    first.NxtPageNo = 2;

    Element text = NewElement(project, static_cast<int32_t>(ElementKind::Text));
    text.X = 4;
    text.Y = 2;
    text.Double = 1;
    text.Inverse = 1;
    text.As<TextFields>().Content = std::string(40, 'T');  // a full slot
    first.Elements.push_back(text);

    Element reg = NewElement(project, static_cast<int32_t>(ElementKind::Reg));
    reg.X = 100;
    reg.Y = 20;
    RegFields& r = reg.As<RegFields>();
    r.Address = {1, 2, 4096};
    r.Num = 2;
    r.Digits = 8;
    r.DecimalDigits = 2;
    r.Pre0 = 1;
    r.Float = 0;
    r.DecDisp = 0;
    r.Unsigned = 0;
    r.NeedSet = 1;
    r.Encrypt = 1;
    r.Limit = 1;
    r.Convert = 1;
    r.UpLimit = 99999;
    r.LowLimit = -99999;
    r.ValUpLimit = 1000;
    r.ValLowLimit = -1000;
    first.Elements.push_back(reg);

    Element lamp = NewElement(project, static_cast<int32_t>(ElementKind::Lamp));
    lamp.X = 200;
    lamp.Y = 40;
    lamp.Double = 1;
    LampFields& l = lamp.As<LampFields>();
    l.LampType = 1;
    l.Coil = {2, 1, 17};
    l.PosLogic = 0;
    first.Elements.push_back(lamp);

    Element funcKey = NewElement(project, static_cast<int32_t>(ElementKind::FuncKey));
    funcKey.X = 10;
    funcKey.Y = 150;
    funcKey.As<FuncKeyFields>().Action = SampleKeyAction(3);
    first.Elements.push_back(funcKey);

    Element trend = NewElement(project, static_cast<int32_t>(ElementKind::Trend));
    trend.X = 30;
    trend.Y = 60;
    TrendFields& t = trend.As<TrendFields>();
    t.Address = {1, 0, 200};
    t.Num = 2;
    t.DecDisp = 0;
    t.Unsigned = 0;
    t.Float = 1;
    t.DecimalDigits = 3;
    t.Width = 120;
    t.Height = 80;
    t.ZeroValue = -500;
    t.FullValue = 500;
    t.SamplePoints = 50;
    t.SamplePeriod = 60000;
    first.Elements.push_back(trend);

    Element bar = NewElement(project, static_cast<int32_t>(ElementKind::Bar));
    bar.X = 250;
    bar.Y = 100;
    BarFields& b = bar.As<BarFields>();
    b.Address = {1, 1, 201};
    b.Width = 60;
    b.Height = 20;
    b.ZeroValue = 10;
    b.FullValue = 20;
    b.Float = 1;
    b.DecimalDigits = 1;
    b.Direct = BarFields::kLeft;
    first.Elements.push_back(bar);

    Page& second = project.AddPage(2, std::string(40, 'P'));

    Element mono = NewElement(project, static_cast<int32_t>(ElementKind::Pic));
    mono.X = 8;
    mono.Y = 8;
    PicFields& monoPic = mono.As<PicFields>();
    monoPic.Bitmap = SampleMonoBmp();
    monoPic.Width = 26;
    monoPic.Height = 13;
    second.Elements.push_back(mono);

    Element colour = NewElement(project, static_cast<int32_t>(ElementKind::Pic));
    colour.X = 300;
    colour.Y = 200;
    PicFields& colourPic = colour.As<PicFields>();
    colourPic.Bitmap = SampleColourBmp();
    colourPic.Width = 4;
    colourPic.Height = 3;
    second.Elements.push_back(colour);

    Element varText = NewElement(project, static_cast<int32_t>(ElementKind::VarText));
    varText.X = 20;
    varText.Y = 90;
    varText.Inverse = 1;
    VarTextFields& vt = varText.As<VarTextFields>();
    vt.Address = {1, 0, 33};
    vt.DecDisp = 0;
    vt.Count = 3;
    vt.Texts[0] = GbkFromUtf8("停止");
    vt.Texts[1] = "";  // an empty entry between used ones
    vt.Texts[2] = GbkFromUtf8("运行中");
    vt.MaxLen = 6;
    second.Elements.push_back(varText);

    Element emptyVarText = NewElement(project, static_cast<int32_t>(ElementKind::VarText));
    emptyVarText.X = 20;
    emptyVarText.Y = 110;
    VarTextFields& evt = emptyVarText.As<VarTextFields>();
    evt.Count = 0;
    evt.Texts[0].clear();
    evt.MaxLen = 0;
    second.Elements.push_back(emptyVarText);

    Element fontText = NewElement(project, static_cast<int32_t>(ElementKind::FontText));
    fontText.X = 40;
    fontText.Y = 130;
    FontTextFields& ft = fontText.As<FontTextFields>();
    ft.Content = std::string(120, 'F');  // a full slot
    ft.Font = SampleFont("宋体", 12, FontDesc::kBold | FontDesc::kUnderline);
    second.Elements.push_back(fontText);

    Element touchKey = NewElement(project, static_cast<int32_t>(ElementKind::TouchKey));
    touchKey.X = 60;
    touchKey.Y = 160;
    TouchKeyFields& tk = touchKey.As<TouchKeyFields>();
    tk.Content = GbkFromUtf8("启动");
    tk.Font = SampleFont("黑体", 20, FontDesc::kItalic);
    tk.Font.Name = std::string(128, 'N');  // a full font name slot
    tk.Action = SampleKeyAction(7);
    tk.Indicate = 1;
    second.Elements.push_back(touchKey);

    Element varFontText = NewElement(project, static_cast<int32_t>(ElementKind::VarFontText));
    varFontText.X = 80;
    varFontText.Y = 180;
    VarFontTextFields& vft = varFontText.As<VarFontTextFields>();
    vft.Address = {4, 1, 77};
    vft.DecDisp = 0;
    vft.Count = kVarTextEntries;  // a full table
    for (int i = 0; i < kVarTextEntries; ++i)
        vft.Texts[i] = "V" + std::to_string(i);
    vft.Texts[7] = std::string(120, 'W');
    vft.Font = SampleFont("宋体", 9, FontDesc::kStrikeOut);
    vft.MaxWidth = 543;
    vft.MaxHeight = 21;
    second.Elements.push_back(varFontText);

    Element ascii = NewElement(project, static_cast<int32_t>(ElementKind::ASCIIText));
    ascii.X = 5;
    ascii.Y = 220;
    ascii.Double = 1;
    ASCIITextFields& at = ascii.As<ASCIITextFields>();
    at.Address = {1, 2, 500};
    at.Num = 16;
    at.CharNum = 32;
    second.Elements.push_back(ascii);

    project.AddPage(300, GbkFromUtf8("空画面"));
    Page& last = project.AddPage(65535, "Last");
    last.PrvPageNo = 300;

    for (int i = 0; i < s.AlarmCount; ++i)
        project.AlarmTexts[i] = GbkFromUtf8("报警") + std::to_string(i + 1);
    project.AlarmTexts[1] = "\xFF\xFF";  // not GBK: kept as bytes
    project.AlarmTexts[199] = std::string(40, 'A');

    project.GlobalKeyCount = kGlobalKeySlots;
    for (int i = 0; i < kGlobalKeySlots; ++i)
        project.GlobalKeys[i] = SampleKeyAction(i);

    return project;
}

}  // namespace qxed::testing
