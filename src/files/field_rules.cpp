#include "files/field_rules.h"

#include <limits>

namespace qxed::fields {

namespace {

constexpr int64_t kI32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kI32Max = std::numeric_limits<int32_t>::max();
constexpr int64_t kU32Max = std::numeric_limits<uint32_t>::max();

using enum RangeScope;

constexpr FieldCode kFlag[] = {{0, "no"}, {1, "yes"}};
constexpr FieldCode kFunction[] = {{0, "set coil"},
                                   {1, "page jump"},
                                   {2, "advanced function (PLC run or stop)"},
                                   {3, "no function (global function keys only)"},
                                   {4, "set data"}};
constexpr FieldCode kCoilAction[] = {{0, "set ON"}, {1, "set OFF"}, {2, "invert"}, {3, "momentary ON"}};
constexpr FieldCode kJump[] = {
    {0, "the page PageNo"}, {1, "the password page"}, {2, "the alarm list"}, {3, "the date/time page"}};
constexpr FieldCode kPlcStop[] = {{0, "PLC run"}, {1, "PLC stop"}};
constexpr FieldCode kLampType[] = {{0, "round"}, {1, "square"}};
constexpr FieldCode kPosLogic[] = {{0, "negative logic: lit while the coil is OFF"},
                                   {1, "positive logic: lit while the coil is ON"}};
constexpr FieldCode kDirect[] = {{0, "up"}, {1, "down"}, {2, "right"}, {3, "left"}};
constexpr FieldCode kDecDisp[] = {{0, "HEX/BCD"}, {1, "decimal"}};
constexpr FieldCode kUnsigned[] = {{0, "signed"}, {1, "unsigned"}};
constexpr FieldCode kRegCount[] = {{1, "one register"}, {2, "two registers as one value"}};
constexpr FieldCode kBaudCode[] = {{3, "2400 baud"},  {4, "4800 baud"},  {5, "9600 baud"},
                                   {6, "19200 baud"}, {9, "38400 baud"}, {10, "115200 baud"}};
constexpr FieldCode kParity[] = {{0, "none"}, {1, "odd"}, {2, "even"}};
constexpr FieldCode kDataBits[] = {{0, "8 data bits"}, {1, "7 data bits"}};
constexpr FieldCode kStopBits[] = {{0, "two stop bits"}, {1, "one stop bit"}};
constexpr FieldCode kScreenSaveTime[] = {{0, "never"},
                                         {1, "after 1 minute"},
                                         {2, "after 2 minutes"},
                                         {3, "after 3 minutes"},
                                         {4, "after 5 minutes"},
                                         {5, "after 10 minutes"},
                                         {6, "after 15 minutes"},
                                         {7, "after 20 minutes"},
                                         {8, "after 30 minutes"},
                                         {9, "after 45 minutes"},
                                         {10, "after 1 hour"}};
constexpr FieldCode kScreenSaveLight[] = {{0, "show the page ScreenSavePageNo"},
                                          {1, "turn the backlight off"}};
constexpr FieldCode kLedCount[] = {{1, "16 status lamps"}, {2, "32 status lamps"}};
constexpr FieldCode kPitch[] = {{0, "default"}, {1, "variable"}, {2, "fixed"}};

// clang-format off
constexpr FieldRule kRules[] = {
    // An operand of the PLC.
    {"PlcAddress", "Station", kI32Min, kI32Max, {}, Fixed, "station number of the PLC the operand is on"},
    {"PlcAddress", "TypeIndex", 0, 13, {}, PlcType,
     "position of the operand type in the PLC type's register-type list (register operands) or coil-type list "
     "(coil operands), from 0; `qxed-cli list operands --plc T` shows the lists"},
    {"PlcAddress", "Number", kI32Min, kI32Max, {}, PlcType,
     "operand number in stored form: as entered, but x 8 for PLC type 2; a coil of a type with a bit field "
     "holds word and bit together"},

    // The action of a function key, a touch key or a global function key.
    {"KeyAction", "Key", 0, 41, {}, Model,
     "code of the panel key that triggers the action; only the keys of the model's keypad "
     "(`qxed-cli list keys --model M`); touch keys do not use it"},
    {"KeyAction", "Disappear", 0, 1, kFlag, Fixed, "the key is invisible on the panel"},
    {"KeyAction", "WithHand", 0, 1, kFlag, Fixed, "a hand symbol is shown"},
    {"KeyAction", "Encrypt", 0, 1, kFlag, Fixed, "the action asks for the panel password"},
    {"KeyAction", "Function", 0, 4, kFunction, Fixed, "what the key does"},
    {"KeyAction", "Coil", 0, 0, {}, PlcType, "the coil the set-coil function writes"},
    {"KeyAction", "CoilAction", 0, 3, kCoilAction, Fixed, "how the set-coil function writes the coil"},
    {"KeyAction", "Jump", 0, 3, kJump, Fixed, "the target of the page-jump function"},
    {"KeyAction", "PageNo", 0, 65535, {}, Fixed, "the page the page-jump function shows when Jump is 0"},
    {"KeyAction", "PlcStop", 0, 1, kPlcStop, Fixed, "what the advanced function does"},
    {"KeyAction", "RegAddress", 0, 0, {}, PlcType, "the register the set-data function writes"},
    {"KeyAction", "RegNum", 1, 2, kRegCount, Fixed, "registers the set-data function writes"},
    {"KeyAction", "SetValue", kI32Min, kI32Max, {}, Fixed, "the value the set-data function writes"},

    // A desktop font.
    {"Font", "Charset", 0, 255, {}, Fixed, "the character set of the face (0 western, 134 Chinese, 129 Korean, 204 Cyrillic, ...)"},
    {"Font", "Color", kI32Min, kU32Max, {}, Fixed,
     "a colour value; 4278190088 (0xFF000008, also written -16777208) is the window-text colour"},
    {"Font", "Height", kI32Min, kI32Max, {}, Fixed,
     "height in pixels, negative for the character height; follows Size when only Size is given"},
    {"Font", "Name", 0, 128, {}, Fixed, "face name, at most 128 bytes"},
    {"Font", "Pitch", 0, 2, kPitch, Fixed, "the face's pitch"},
    {"Font", "Size", kI32Min, kI32Max, {}, Fixed, "size in points; decides Height when only Size is given"},
    {"Font", "Style", 0, 15, {}, Fixed, "bit set: 1 bold, 2 italic, 4 underline, 8 strike-out"},

    // The project's settings.
    {"settings", "PlcType", 0, 39, {}, Fixed, "the PLC type (`qxed-cli list plc`)"},
    {"settings", "CurrentModel", 0, 12, {}, Fixed, "the panel model's index (`qxed-cli list models`)"},
    {"settings", "PanelStation", 1, 255, {}, Fixed, "the panel's own station number"},
    {"settings", "HomePageNo", 1, 65535, {}, Fixed, "the master page"},
    {"settings", "Password", 0, 99999999, {}, Fixed, "the panel password"},
    {"settings", "AlarmCount", 0, 256, {}, Model,
     "alarm texts in use; at most the model's alarm capacity (128 or 256); absent: the length of AlarmTexts"},
    {"settings", "AlarmCoil", 0, 0, {}, PlcType, "the first alarm coil"},
    {"settings", "BaudCode", 0, 255, kBaudCode, Fixed, "line speed to the PLC"},
    {"settings", "Parity", 0, 2, kParity, Fixed, "parity of the PLC line"},
    {"settings", "SevenDataBits", 0, 1, kDataBits, Fixed, "data bits of the PLC line"},
    {"settings", "OneStopBit", 0, 1, kStopBits, Fixed, "stop bits of the PLC line"},
    {"settings", "CtrlFlags", 0, 0x73, {}, Fixed,
     "bit set: 1 the PLC selects the page, 2 the panel reports its page, 16 analog input/output, 32 clock "
     "module, 64 status lamps"},
    {"settings", "CtrlReg", 0, 0, {}, PlcType, "the first register of the control block"},
    {"settings", "ReservedByte", 0, 255, {}, Fixed, "kept as it is, not edited"},
    {"settings", "ModuleNum", 1, 3, {}, Fixed, "number of analog modules"},
    {"settings", "PanelStatusLedNum", 1, 2, kLedCount, Fixed, "number of status lamps"},
    {"settings", "ScreenSaveTime", 0, 10, kScreenSaveTime, Fixed, "the screen saver's delay"},
    {"settings", "ScreenSaveTurnOffLight", 0, 1, kScreenSaveLight, Fixed, "what the screen saver does"},
    {"settings", "ScreenSavePageNo", 1, 65535, {}, Fixed, "the page the screen saver shows"},
    {"settings", "BlueGroundWhiteText", 0, 1, kFlag, Fixed, "white text on blue"},
    {"settings", "PowerBeep", 0, 1, kFlag, Fixed, "the panel has an active buzzer"},
    {"settings", "ExchangeWord", 0, 1, kFlag, Fixed, "swap the two words of a double word"},
    {"settings", "WriteNWords", 0, 1, kFlag, Fixed, "write several words in one request"},

    // A page.
    {"page", "Number", 1, 65535, {}, Fixed, "the page number, unique in the project"},
    {"page", "Title", 0, 40, {}, Fixed, "the description in the page list, at most 40 bytes"},
    {"page", "PrvPageNo", 0, 65535, {}, Fixed, "the page the up key shows; default the page before"},
    {"page", "NxtPageNo", 0, 65535, {}, Fixed, "the page the down key shows; default the page after"},

    // Every element.
    {"element", "X", kI32Min, kI32Max, {}, EditorUnits, "left edge in editor units"},
    {"element", "Y", kI32Min, kI32Max, {}, EditorUnits, "top edge in editor units"},
    {"element", "Double", 0, 1, kFlag, Fixed, "double-size characters"},
    {"element", "Inverse", 0, 1, kFlag, Fixed, "inverse video"},

    {"Text", "Content", 0, 40, {}, Model, "the text, at most 40 bytes and the model's characters per line"},

    {"Reg", "Address", 0, 0, {}, PlcType, "the first register"},
    {"Reg", "Num", 1, 2, kRegCount, Fixed, "registers read as one value"},
    {"Reg", "Digits", 1, 10, {}, Fixed, "digits shown"},
    {"Reg", "DecimalDigits", 0, 10, {}, Fixed, "digits after the decimal point, at most Digits"},
    {"Reg", "Pre0", 0, 1, kFlag, Fixed, "leading zeros"},
    {"Reg", "Float", 0, 1, kFlag, Fixed, "the registers hold a floating-point value; excludes Convert"},
    {"Reg", "DecDisp", 0, 1, kDecDisp, Fixed, "how the value is shown"},
    {"Reg", "Unsigned", 0, 1, kUnsigned, Fixed, "whether the value has a sign"},
    {"Reg", "NeedSet", 0, 1, kFlag, Fixed, "the value can be entered on the panel"},
    {"Reg", "Encrypt", 0, 1, kFlag, Fixed, "entry asks for the panel password; with NeedSet"},
    {"Reg", "Limit", 0, 1, kFlag, Fixed, "entry is checked against LowLimit..UpLimit; with NeedSet"},
    {"Reg", "Convert", 0, 1, kFlag, Fixed, "linear conversion through ValLowLimit..ValUpLimit; excludes Float"},
    {"Reg", "UpLimit", kI32Min, kI32Max, {}, Fixed, "upper entry limit"},
    {"Reg", "LowLimit", kI32Min, kI32Max, {}, Fixed, "lower entry limit"},
    {"Reg", "ValUpLimit", kI32Min, kI32Max, {}, Fixed, "upper value of the conversion"},
    {"Reg", "ValLowLimit", kI32Min, kI32Max, {}, Fixed, "lower value of the conversion"},

    {"Lamp", "LampType", 0, 1, kLampType, Fixed, "the lamp's shape"},
    {"Lamp", "Coil", 0, 0, {}, PlcType, "the coil shown"},
    {"Lamp", "PosLogic", 0, 1, kPosLogic, Fixed, "when the lamp is lit"},

    {"FuncKey", "Action", 0, 0, {}, Fixed, "what the key does"},

    {"graph", "Address", 0, 0, {}, PlcType, "the register shown"},
    {"graph", "Num", 1, 2, kRegCount, Fixed, "registers per value"},
    {"graph", "DecDisp", 0, 1, kDecDisp, Fixed, "how the register value is read"},
    {"graph", "Unsigned", 0, 1, kUnsigned, Fixed, "whether the value has a sign"},
    {"graph", "Float", 0, 1, kFlag, Fixed, "floating-point value"},
    {"graph", "DecimalDigits", 0, 10, {}, Fixed, "digits after the decimal point"},
    {"graph", "Width", 0, kI32Max, {}, EditorUnits,
     "width in editor units: at least 16 dots for a trend, 8 for a bar, and inside the screen"},
    {"graph", "Height", 0, kI32Max, {}, EditorUnits,
     "height in editor units: at least 16 dots for a trend, 8 for a bar, and inside the screen"},
    {"graph", "ZeroValue", kI32Min, kI32Max, {}, Fixed, "the value at the zero position, below FullValue"},
    {"graph", "FullValue", kI32Min, kI32Max, {}, Fixed, "the value at full scale, above ZeroValue"},
    {"Trend", "SamplePoints", 2, kI32Max, {}, EditorUnits, "samples across the graph: 2 up to its width in dots minus 2"},
    {"Trend", "SamplePeriod", 1, 60000, {}, Fixed, "seconds between samples"},
    {"Bar", "Direct", 0, 3, kDirect, Fixed, "the direction the bar grows in"},

    {"Pic", "Width", 0, kI32Max, {}, EditorUnits, "width in editor units; absent: the bitmap's width, scaled"},
    {"Pic", "Height", 0, kI32Max, {}, EditorUnits, "height in editor units; absent: the bitmap's height, scaled"},
    {"Pic", "Bitmap", 0, 0, {}, Fixed, "base64 of a monochrome BMP file, one pixel per panel dot"},

    {"VarText", "Address", 0, 0, {}, PlcType, "the register whose value selects the entry"},
    {"VarText", "DecDisp", 0, 1, kDecDisp, Fixed, "how the register value is read"},
    {"VarText", "Count", 0, 255, {}, Fixed, "entries in use; absent: the length of Texts"},
    {"VarText", "Texts", 0, 40, {}, Model, "entry i shows while the register holds i; at most 40 bytes each"},
    {"VarText", "MaxLen", 0, 40, {}, Model, "bytes of the longest entry, at most the model's characters per line; absent: worked out"},

    {"FontText", "Content", 0, 120, {}, Fixed, "the text, at most 120 bytes"},
    {"FontText", "Font", 0, 0, {}, Fixed, "the font the text is drawn in"},

    {"TouchKey", "Content", 0, 120, {}, Fixed, "the label, at most 120 bytes"},
    {"TouchKey", "Font", 0, 0, {}, Fixed, "the label's font"},
    {"TouchKey", "Action", 0, 0, {}, Fixed, "what the key does; Key is not used"},
    {"TouchKey", "Indicate", 0, 1, kFlag, Fixed, "the indicator of the set-coil function; only with Function 0"},

    {"VarFontText", "Address", 0, 0, {}, PlcType, "the register whose value selects the entry"},
    {"VarFontText", "DecDisp", 0, 1, kDecDisp, Fixed, "how the register value is read"},
    {"VarFontText", "Count", 0, 255, {}, Fixed, "entries in use; absent: the length of Texts"},
    {"VarFontText", "Texts", 0, 120, {}, Fixed, "entry i shows while the register holds i; at most 120 bytes each"},
    {"VarFontText", "Font", 0, 0, {}, Fixed, "the font of all entries"},
    {"VarFontText", "MaxWidth", 0, kI32Max, {}, EditorUnits, "width of the widest entry in editor units; absent: measured"},
    {"VarFontText", "MaxHeight", 0, kI32Max, {}, EditorUnits, "height of that entry in editor units; absent: measured"},

    {"ASCIIText", "Address", 0, 0, {}, PlcType, "the first register of the string"},
    {"ASCIIText", "Num", 1, 32, {}, Model,
     "registers holding the string: up to 16 bytes (models with 128 alarm texts) or 32 bytes (256) divided by "
     "the register's byte width"},
    {"ASCIIText", "CharNum", 1, 65535, {}, Fixed, "characters shown"},
};
// clang-format on

}  // namespace

const FieldRule* FindFieldRule(std::string_view record, std::string_view name) {
    for (const FieldRule& rule : kRules)
        if (rule.Record == record && rule.Name == name) return &rule;
    if (record == "Trend" || record == "Bar") return FindFieldRule(kGraphRecord, name);
    return nullptr;
}

std::span<const FieldRule> AllFieldRules() {
    return kRules;
}

std::optional<std::string_view> CodeMeaning(const FieldRule& rule, int value) {
    for (const FieldCode& code : rule.Codes)
        if (code.Value == value) return code.Meaning;
    return std::nullopt;
}

}  // namespace qxed::fields
