#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "text/text_key.h"

namespace qxed {

// The group boxes a property panel is made of.
enum PanelGroup : unsigned {
    CoordinatesGroupBox = 1u << 0,  // X, Y
    SpecialGroupBox = 1u << 1,      // double size, inverse
    RangeGroupBox = 1u << 2,        // width, height
    RegisterGroupBox = 1u << 3,     // a register operand
    CoilGroupBox = 1u << 4,         // a coil operand with its bit part
    DisplayGroupBox = 1u << 5,      // decimal or HEX/BCD, signed, float
    TextGroupBox = 1u << 6,         // a text entry
    FontGroupBox = 1u << 7,         // the font button
    KeyActionGroupBox = 1u << 8,    // what a key does
    StateTableGroupBox = 1u << 9,   // the 255 state texts
};

// One row per panel: the element kind it edits (0 for the page attributes), its group box, the prefix of
// its control names, its caption, the groups it shows and which of the common flags it offers.
struct PanelRow {
    int32_t Kind;
    std::string_view GroupBox;
    std::string_view Prefix;  // "Reg" for RegCoordXSpinEdit, ...
    const TextKey* Caption;
    unsigned Groups;
    bool Double;
    bool Inverse;
    bool XFieldFollowsModel;  // the large panels disable this kind's X field
    int32_t MinSizeDots;      // width and height at least; 0: shown only
};

std::span<const PanelRow> PanelRows();
// The row of an element kind; the page attributes' row (kind 0) for any other code.
const PanelRow& PanelRowOf(int32_t kind);

}  // namespace qxed
