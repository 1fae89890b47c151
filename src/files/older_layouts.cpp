#include "files/older_layouts.h"

#include "model/element.h"

namespace qxed::records {

namespace {

constexpr LayoutField F(const char* name) {
    return {FieldForm::Stored, name, 0};
}
constexpr LayoutField Gap(std::size_t bytes) {
    return {FieldForm::Gap, "", bytes};
}
constexpr LayoutField InOldSlot(const char* name) {
    return {FieldForm::OldTextSlot, name, 0};
}
constexpr LayoutField AlarmListByte(const char* name) {
    return {FieldForm::AlarmListByte, name, 0};
}
constexpr LayoutField ToolkitFont(const char* name) {
    return {FieldForm::ToolkitFont, name, 0};
}

// clang-format off
constexpr LayoutField kSettings1[] = {
    F("HomePageNo"), F("Password"), F("PlcType"),
};
constexpr LayoutField kSettings2[] = {
    F("HomePageNo"), F("Password"), F("PlcType"),
    F("BaudCode"), F("Parity"), F("SevenDataBits"), F("OneStopBit"), F("CtrlFlags"), Gap(3),
    F("CtrlReg.TypeIndex"), F("CtrlReg.Number"), F("ReservedByte"), Gap(19),
};
constexpr LayoutField kSettings3[] = {
    F("HomePageNo"), F("Password"), F("PlcType"),
    F("BaudCode"), F("Parity"), F("SevenDataBits"), F("OneStopBit"), F("CtrlFlags"),
    F("CtrlReg"), F("ReservedByte"),
};
constexpr LayoutField kSettings5[] = {
    F("PlcType"), F("HomePageNo"), F("Password"), F("AlarmCount"), F("AlarmCoil"),
    F("BaudCode"), F("Parity"), F("SevenDataBits"), F("OneStopBit"), F("CtrlFlags"),
    F("CtrlReg"), F("ReservedByte"),
    F("ScreenSaveTime"),
};
constexpr LayoutField kSettings6[] = {
    F("PlcType"), F("PanelStation"), F("HomePageNo"), F("Password"), F("AlarmCount"), F("AlarmCoil"),
    F("BaudCode"), F("Parity"), F("SevenDataBits"), F("OneStopBit"), F("CtrlFlags"),
    F("CtrlReg"), F("ReservedByte"),
    F("ScreenSaveTime"),
};
constexpr LayoutField kSettings9[] = {
    F("PlcType"), F("PanelStation"), F("HomePageNo"), F("Password"), F("AlarmCount"), F("AlarmCoil"),
    F("BaudCode"), F("Parity"), F("SevenDataBits"), F("OneStopBit"), F("CtrlFlags"),
    F("CtrlReg"), F("ReservedByte"),
    F("ScreenSaveTime"), F("ScreenSaveTurnOffLight"), F("ScreenSavePageNo"),
};
constexpr LayoutField kSettings10[] = {
    F("PlcType"), F("PanelStation"), F("HomePageNo"), F("Password"), F("AlarmCount"), F("AlarmCoil"),
    F("BaudCode"), F("Parity"), F("SevenDataBits"), F("OneStopBit"), F("CtrlFlags"),
    F("CtrlReg"), F("ReservedByte"), F("ModuleNum"),
    F("ScreenSaveTime"), F("ScreenSaveTurnOffLight"), F("ScreenSavePageNo"),
};
constexpr LayoutField kSettings12[] = {
    F("PlcType"), F("CurrentModel"), F("PanelStation"), F("HomePageNo"), F("Password"), F("AlarmCount"),
    F("AlarmCoil"), F("BaudCode"), F("Parity"), F("SevenDataBits"), F("OneStopBit"), F("CtrlFlags"),
    F("CtrlReg"), F("ReservedByte"), F("ModuleNum"),
    F("ScreenSaveTime"), F("ScreenSaveTurnOffLight"), F("ScreenSavePageNo"),
};
constexpr LayoutField kSettings13[] = {
    F("PlcType"), F("CurrentModel"), F("PanelStation"), F("HomePageNo"), F("Password"), F("AlarmCount"),
    F("AlarmCoil"), F("BaudCode"), F("Parity"), F("SevenDataBits"), F("OneStopBit"), F("CtrlFlags"),
    F("CtrlReg"), F("ReservedByte"), F("ModuleNum"), F("PanelStatusLedNum"),
    F("ScreenSaveTime"), F("ScreenSaveTurnOffLight"), F("ScreenSavePageNo"),
};
constexpr LayoutField kSettings14[] = {
    F("PlcType"), F("CurrentModel"), F("PanelStation"), F("HomePageNo"), F("Password"), F("AlarmCount"),
    F("AlarmCoil"), F("BaudCode"), F("Parity"), F("SevenDataBits"), F("OneStopBit"), F("CtrlFlags"),
    F("CtrlReg"), F("ReservedByte"), F("ModuleNum"), F("PanelStatusLedNum"),
    F("ScreenSaveTime"), F("ScreenSaveTurnOffLight"), F("ScreenSavePageNo"),
    F("BlueGroundWhiteText"),
};
constexpr LayoutField kSettings22[] = {
    F("PlcType"), F("CurrentModel"), F("PanelStation"), F("HomePageNo"), F("Password"), F("AlarmCount"),
    F("AlarmCoil"), F("BaudCode"), F("Parity"), F("SevenDataBits"), F("OneStopBit"), F("CtrlFlags"),
    F("CtrlReg"), F("ReservedByte"), F("ModuleNum"), F("PanelStatusLedNum"),
    F("ScreenSaveTime"), F("ScreenSaveTurnOffLight"), F("ScreenSavePageNo"),
    F("BlueGroundWhiteText"), F("PowerBeep"),
};
constexpr LayoutField kSettings26[] = {
    F("PlcType"), F("CurrentModel"), F("PanelStation"), F("HomePageNo"), F("Password"), F("AlarmCount"),
    F("AlarmCoil"), F("BaudCode"), F("Parity"), F("SevenDataBits"), F("OneStopBit"), F("CtrlFlags"),
    F("CtrlReg"), F("ReservedByte"), F("ModuleNum"), F("PanelStatusLedNum"),
    F("ScreenSaveTime"), F("ScreenSaveTurnOffLight"), F("ScreenSavePageNo"),
    F("BlueGroundWhiteText"), F("PowerBeep"), F("ExchangeWord"),
};
constexpr LayoutField kSettings27[] = {
    F("PlcType"), F("CurrentModel"), F("PanelStation"), F("HomePageNo"), F("Password"), F("AlarmCount"),
    F("AlarmCoil"), F("BaudCode"), F("Parity"), F("SevenDataBits"), F("OneStopBit"), F("CtrlFlags"),
    F("CtrlReg"), F("ReservedByte"), F("ModuleNum"), F("PanelStatusLedNum"),
    F("ScreenSaveTime"), F("ScreenSaveTurnOffLight"), F("ScreenSavePageNo"),
    F("BlueGroundWhiteText"), F("PowerBeep"), F("ExchangeWord"), F("WriteNWords"),
};

struct SettingsRow {
    int32_t First;
    int32_t Last;
    Layout Fields;
};
constexpr SettingsRow kSettingsLayouts[] = {
    {1,   1, kSettings1},
    {2,   2, kSettings2},
    {3,   4, kSettings3},
    {5,   5, kSettings5},
    {6,   8, kSettings6},
    {9,   9, kSettings9},
    {10, 11, kSettings10},
    {12, 12, kSettings12},
    {13, 13, kSettings13},
    {14, 21, kSettings14},
    {22, 25, kSettings22},
    {26, 26, kSettings26},
    {27, 27, kSettings27},
};

struct KindRow {
    ElementKind Kind;
    int32_t FirstVersion;
};
constexpr KindRow kFirstVersions[] = {
    {ElementKind::Text,         1},
    {ElementKind::Reg,          1},
    {ElementKind::Lamp,         1},
    {ElementKind::FuncKey,      1},
    {ElementKind::Trend,        8},
    {ElementKind::Bar,          8},
    {ElementKind::Pic,          9},
    {ElementKind::VarText,     11},
    {ElementKind::FontText,    19},
    {ElementKind::TouchKey,    21},
    {ElementKind::VarFontText, 21},
    {ElementKind::ASCIIText,   25},
};

constexpr LayoutField kText1[] = {
    InOldSlot("Content"),
};
constexpr LayoutField kReg1[] = {
    F("Address.TypeIndex"), F("Address.Number"), F("Num"), F("Digits"), F("DecimalDigits"),
    F("DecDisp"), F("Unsigned"), F("NeedSet"), F("Encrypt"), F("Limit"), Gap(3),
    F("UpLimit"), F("LowLimit"),
};
constexpr LayoutField kReg3[] = {
    F("Address"), F("Num"), F("Digits"), F("DecimalDigits"),
    F("DecDisp"), F("Unsigned"), F("NeedSet"), F("Encrypt"), F("Limit"),
    F("UpLimit"), F("LowLimit"),
};
constexpr LayoutField kReg16[] = {
    F("Address"), F("Num"), F("Digits"), F("DecimalDigits"), F("Pre0"),
    F("DecDisp"), F("Unsigned"), F("NeedSet"), F("Encrypt"), F("Limit"),
    F("UpLimit"), F("LowLimit"),
};
constexpr LayoutField kReg23[] = {
    F("Address"), F("Num"), F("Digits"), F("DecimalDigits"), F("Pre0"), F("Float"),
    F("DecDisp"), F("Unsigned"), F("NeedSet"), F("Encrypt"), F("Limit"),
    F("UpLimit"), F("LowLimit"),
};
constexpr LayoutField kLamp1[] = {
    F("LampType"), F("Coil.TypeIndex"), F("Coil.Number"), F("PosLogic"), Gap(3),
};
// Function keys: paths inside the key action.
constexpr LayoutField kFuncKey1[] = {
    F("Key"), F("WithHand"), F("Encrypt"), F("Function"), Gap(1),
    F("Coil.TypeIndex"), F("Coil.Number"), F("CoilAction"), Gap(3),
    F("PageNo"), F("PlcStop"), Gap(3),
};
constexpr LayoutField kFuncKey3[] = {
    F("Key"), F("WithHand"), F("Encrypt"), F("Function"),
    F("Coil"), F("CoilAction"),
    F("PageNo"), F("PlcStop"),
};
constexpr LayoutField kFuncKey4[] = {
    F("Key"), F("Disappear"), F("WithHand"), F("Encrypt"), F("Function"),
    F("Coil"), F("CoilAction"),
    F("PageNo"), F("PlcStop"),
};
constexpr LayoutField kFuncKey7[] = {
    F("Key"), F("Disappear"), F("WithHand"), F("Encrypt"), F("Function"),
    F("Coil"), F("CoilAction"), AlarmListByte("Jump"),
    F("PageNo"), F("PlcStop"),
};
constexpr LayoutField kKeyAction27[] = {
    F("Key"), F("Disappear"), F("WithHand"), F("Encrypt"), F("Function"),
    F("Coil"), F("CoilAction"), F("Jump"),
    F("PageNo"), F("PlcStop"),
};
constexpr LayoutField kTrend8[] = {
    F("Address"), F("Num"), F("DecDisp"), F("Unsigned"),
    F("Width"), F("Height"), F("ZeroValue"), F("FullValue"),
    F("SamplePoints"), F("SamplePeriod"),
};
constexpr LayoutField kBar8[] = {
    F("Address"), F("Num"), F("DecDisp"), F("Unsigned"),
    F("Width"), F("Height"), F("ZeroValue"), F("FullValue"),
    F("Direct"),
};
constexpr LayoutField kVarText11[] = {
    F("Address"), F("DecDisp"), InOldSlot("Count"), F("MaxLen"),
};
constexpr LayoutField kFontText19[] = {
    F("Content"), Gap(4), ToolkitFont("Font"),
};

struct ElementRow {
    ElementKind Kind;
    int32_t First;
    int32_t Last;
    ElementLayout Layout;
};
// From the version after a kind's last row on, the kind is stored in its current layout.
constexpr ElementRow kElementLayouts[] = {
    {ElementKind::Text,      1, 14, {"",       kText1}},
    {ElementKind::Reg,       1,  2, {"",       kReg1}},
    {ElementKind::Reg,       3, 15, {"",       kReg3}},
    {ElementKind::Reg,      16, 22, {"",       kReg16}},
    {ElementKind::Reg,      23, 27, {"",       kReg23}},
    {ElementKind::Lamp,      1,  2, {"",       kLamp1}},
    {ElementKind::FuncKey,   1,  2, {"Action", kFuncKey1}},
    {ElementKind::FuncKey,   3,  3, {"Action", kFuncKey3}},
    {ElementKind::FuncKey,   4,  6, {"Action", kFuncKey4}},
    {ElementKind::FuncKey,   7, 10, {"Action", kFuncKey7}},
    {ElementKind::FuncKey,  11, 17, {"Action", kKeyAction27}},
    {ElementKind::Trend,     8, 23, {"",       kTrend8}},
    {ElementKind::Bar,       8, 23, {"",       kBar8}},
    {ElementKind::VarText,  11, 14, {"",       kVarText11}},
    {ElementKind::FontText, 19, 19, {"",       kFontText19}},
};

struct TailRow {
    int32_t First;
    int32_t Last;
    TailLayout Tail;
};
constexpr TailRow kTails[] = {
    {1,   4, {0,  GlobalKeyForm::None}},
    {5,  14, {25, GlobalKeyForm::None}},
    {15, 16, {41, GlobalKeyForm::Uncounted}},
    {17, 17, {41, GlobalKeyForm::Counted27}},
    {18, 27, {41, GlobalKeyForm::Current}},
};
// clang-format on

template <class Row>
const Row* RowOf(std::span<const Row> rows, int32_t version) {
    for (const Row& row : rows) {
        if (version >= row.First && version <= row.Last) return &row;
    }
    return nullptr;
}

}  // namespace

Layout SettingsLayoutOf(int32_t version) {
    const SettingsRow* row = RowOf<SettingsRow>(kSettingsLayouts, version);
    return row ? row->Fields : Layout{};
}

int32_t FirstVersionOfKind(int32_t kind) {
    for (const KindRow& row : kFirstVersions) {
        if (static_cast<int32_t>(row.Kind) == kind) return row.FirstVersion;
    }
    return 0;
}

const ElementLayout* ElementLayoutOf(int32_t kind, int32_t version) {
    for (const ElementRow& row : kElementLayouts) {
        if (static_cast<int32_t>(row.Kind) == kind && version >= row.First && version <= row.Last)
            return &row.Layout;
    }
    return nullptr;
}

TailLayout TailLayoutOf(int32_t version) {
    const TailRow* row = RowOf<TailRow>(kTails, version);
    return row ? row->Tail : TailLayout{};
}

Layout KeyAction27Layout() {
    return kKeyAction27;
}

}  // namespace qxed::records
