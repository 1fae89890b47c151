#include "plc/plc_catalogue.h"

namespace qxed {
namespace {

constexpr bool Yes = true;
constexpr bool No = false;

constexpr BitField B8 = BitField::Bits8;
constexpr BitField Hex16 = BitField::Bits16Hex;
constexpr BitField Dec16 = BitField::Bits16Dec;

constexpr unsigned A = PlcOptionAdvancedFunctions;
constexpr unsigned L = PlcOptionAlarmList;
constexpr unsigned C = PlcOptionClockModule;
constexpr int MNone = 0;  // no analog module bound defined

constexpr int DefaultPlcType = 21;

// Columns: type, identifier, list position, register types, coil types, bit field, station
// shown, register count selectable, register range, coil range, options, analog module
// maximum, register type offered alone.
constexpr PlcTypeRow Catalogue[PlcTypeCount] = {
    // clang-format off
    {0,  "Mitsubishi",       5,  {"D", "T", "C16", "C32"}, {"M", "X", "Y", "S", "T", "C"},
         {},                No,  Yes, {}, {}, L | C, MNone},
    {1,  "Koyo",             8,  {"R"}, {"M"},
         {},                No,  Yes, {}, {}, A | L | C, 3},
    {2,  "Siemens",          9,  {"VB", "VW", "VD"}, {"M", "V"},
         {B8},              No,  No,  {}, {}, L | C, 3, "VW"},
    {3,  "Omron",            10, {"DM", "IR", "SR", "HR", "AR", "LR", "PV"}, {"IR", "SR", "HR", "AR", "LR", "PV"},
         {Dec16},           Yes, Yes, {}, {}, L | C, 3},
    {4,  "Schneider",        12, {"MW"}, {"M", "MX"},
         {B8, "M", "."},    Yes, Yes, {}, {}, L | C, 3},
    {5,  "Sharp",            16, {}, {},
         {},                No,  No,  {}, {}, 0, MNone},
    {6,  "Matsushita",       13, {"DT"}, {"R"},
         {Hex16},           Yes, Yes, {}, {}, L | C, 3},
    {7,  "Delta",            18, {"D"}, {"M"},
         {},                Yes, Yes, {}, {}, L | C, 2},
    {8,  "YongHong",         19, {"R", "D"}, {"M"},
         {},                Yes, Yes, {}, {}, L | C, 3},
    {9,  "AB",               17, {}, {},
         {},                No,  No,  {}, {}, 0, MNone},
    {10, "LG Modbus",        21, {"D"}, {"M"},
         {Hex16},           Yes, Yes, {}, {}, L | C, 3},
    {11, "Free",             39, {"MW"}, {"MW"},
         {Dec16},           No,  Yes, {0, 159}, {0, 159}, L | C, 3},
    {12, "LG Program",       20, {"D"}, {"M"},
         {Hex16},           No,  Yes, {}, {}, L | C, 3},
    {13, "Halden_K",         4,  {"W", "FW", "TW", "CW", "SW"}, {"M"},
         {},                No,  Yes, {}, {}, A | L | C, 3},
    {14, "Toshiba",          15, {"D"}, {"R"},
         {},                No,  No,  {}, {}, L | C, 3},
    {15, "Keyence",          23, {"DM"}, {"R"},
         {Dec16},           No,  No,  {}, {}, 0, MNone},
    {16, "Vigor",            24, {"D"}, {"M"},
         {},                No,  Yes, {}, {}, L | C, MNone},
    {17, "Adam",             26, {"W"}, {"M"},
         {},                Yes, Yes, {}, {}, 0, MNone},
    {18, "ModbusRTU",        0,  {"4x", "3x"}, {"0x", "1x"},
         {},                Yes, Yes, {}, {}, L | C, 3},
    {19, "Saia",             27, {"R", "T", "C"}, {"F", "I", "O"},
         {},                Yes, No,  {}, {}, L | C, MNone},
    {20, "Opto22",           28, {"I"}, {"DI", "DO"},
         {},                Yes, No,  {}, {}, 0, MNone},
    {21, "Halden_M",         2,  {"D", "FD", "TD", "CD", "ED", "ID", "QD"}, {"M", "X", "Y", "T", "C", "S"},
         {},                Yes, Yes, {}, {}, L | C, 3},
    {22, "Emerson",          29, {"D", "Z", "T", "C", "SD"}, {"M", "X", "Y", "T", "C", "S", "SM"},
         {},                Yes, Yes, {}, {}, L | C, 3},
    {23, "Hitachi",          14, {"WR", "WM"}, {"R", "M"},
         {},                No,  Yes, {}, {}, L | C, MNone},
    {24, "Crouzet",          30, {"D"}, {"D"},
         {Hex16},           No,  Yes, {1, 48}, {1, 48}, C, 24},
    {25, "Holip",            31, {"D"}, {"M"},
         {},                No,  No,  {}, {}, L, MNone},
    {26, "TAIAN",            32, {"D", "TD", "CD", "TP", "CP"}, {"M", "X", "Y", "T", "C", "S"},
         {},                Yes, Yes, {}, {}, L | C, MNone},
    {27, "Compax3",          33, {"C3"}, {"C3"},
         {Dec16},           Yes, Yes, {}, {}, 0, MNone},
    {28, "Omron_CP1H",       11, {"CIO", "D", "H", "W", "A", "T", "C"}, {"CIO", "D", "H", "W", "A", "T", "C"},
         {Dec16},           Yes, Yes, {}, {}, L | C, 3},
    {29, "ModbusSlave",      1,  {"4x"}, {"0x"},
         {},                No,  Yes, {0, 159}, {0, 2559}, L | C, 3},
    {30, "HOLLiAS",          34, {"MW"}, {"MX"},
         {B8},              Yes, Yes, {}, {}, L | C, MNone},
    {31, "IDEC",             35, {"D", "TPV", "CPV", "TSV", "CSV"}, {"M", "X", "Y"},
         {B8},              Yes, Yes, {}, {}, L | C, MNone},
    {32, "LG CNet",          22, {"D"}, {"M"},
         {Hex16},           Yes, Yes, {}, {}, L | C, 3},
    {33, "OEMax",            36, {"R", "L", "M", "K", "F", "W"}, {"R", "L", "M", "K", "F", "W"},
         {Dec16},           Yes, Yes, {}, {}, L | C, MNone},
    {34, "Delixi",           37, {"状态", "参数", "功能(不)", "功能"}, {"命令"},
         {},                Yes, No,  {}, {}, C, MNone},
    {35, "IMSServo",         38, {"DB", "DW", "DD"}, {},
         {},                Yes, No,  {}, {}, C, MNone},
    {36, "Mitsubishi_FX3",   6,  {"D", "T", "C16", "C32", "SD", "R"}, {"M", "X", "Y", "S", "T", "C", "SM"},
         {},                No,  Yes, {}, {}, L | C, MNone},
    {37, "Mitsubishi_FX_BD", 7,  {"D", "T", "C16", "C32"}, {"M", "X", "Y", "S", "T", "C"},
         {},                Yes, Yes, {}, {}, L | C, MNone},
    {38, "Halden_XD",        3,  {"D", "HD", "FD", "ID", "QD", "TD", "HTD", "ETD", "CD", "HCD", "HSCD", "SD", "HSD", "SFD"},
                                 {"M", "HM", "X", "Y", "T", "HT", "ET", "C", "HC", "HSC", "S", "HS", "SM"},
         {},                Yes, Yes, {}, {}, L | C, 3},
    {39, "Vigor_S",          25, {"D", "SD", "T", "R", "C16", "C32"},
                                 {"M", "X", "Y", "S", "T0", "T1", "C0", "C1", "SM", "D.b", "R.b"},
         {},                Yes, Yes, {}, {}, L | C, MNone},
    // clang-format on
};

// Rows are looked up by index, and the selection list must show every type exactly once.
constexpr bool CatalogueIsConsistent() {
    bool positionTaken[PlcTypeCount] = {};
    for (int type = 0; type < PlcTypeCount; ++type) {
        const PlcTypeRow& row = Catalogue[type];
        if (row.Type != type) return false;
        if (row.ListPosition < 0 || row.ListPosition >= PlcTypeCount) return false;
        if (positionTaken[row.ListPosition]) return false;
        positionTaken[row.ListPosition] = true;
    }
    return true;
}
static_assert(CatalogueIsConsistent());

}  // namespace

const PlcTypeRow* FindPlcType(int plcType) {
    if (plcType < 0 || plcType >= PlcTypeCount) return nullptr;
    return &Catalogue[plcType];
}

std::string_view PlcIdentifier(int plcType) {
    const PlcTypeRow* row = FindPlcType(plcType);
    return row ? row->Identifier : std::string_view{};
}

std::optional<int> PlcTypeOfIdentifier(std::string_view identifier) {
    for (const PlcTypeRow& row : Catalogue)
        if (row.Identifier == identifier) return row.Type;
    return std::nullopt;
}

int PlcTypeAtListPosition(int position) {
    for (const PlcTypeRow& row : Catalogue)
        if (row.ListPosition == position) return row.Type;
    return DefaultPlcType;
}

int ListPositionOfPlcType(int plcType) {
    const PlcTypeRow* row = FindPlcType(plcType);
    return row ? row->ListPosition : Catalogue[DefaultPlcType].ListPosition;
}

}  // namespace qxed
