#include "text/symbols.h"

#include <iterator>

namespace qxed {

namespace {

// In SymbolId order. The lamp symbols are the GB2312 characters ● ○ ■ □; the
// key symbols sit where the panel's font holds key pictures.
constexpr SymbolInfo kSymbols[] = {
    {SymbolId::CircleLampOn, "CircleLampOn", 0xA1, 0xF1},
    {SymbolId::CircleLampOff, "CircleLampOff", 0xA1, 0xF0},
    {SymbolId::SquareLampOn, "SquareLampOn", 0xA1, 0xF6},
    {SymbolId::SquareLampOff, "SquareLampOff", 0xA1, 0xF5},
    {SymbolId::Hand, "Hand", 0xA2, 0xAB},
    {SymbolId::LeftKey, "LeftKey", 0xA2, 0xAC},
    {SymbolId::RightKey, "RightKey", 0xA2, 0xAD},
    {SymbolId::UpKey, "UpKey", 0xA2, 0xAE},
    {SymbolId::DownKey, "DownKey", 0xA2, 0xAF},
    {SymbolId::ClrKey, "ClrKey", 0xA2, 0xFE},
    {SymbolId::PlusMinusKey, "PlusMinusKey", 0xA4, 0xF4},
    {SymbolId::Num0Key, "Num0Key", 0xA4, 0xF5},
    {SymbolId::Num1Key, "Num1Key", 0xA4, 0xF6},
    {SymbolId::Num2Key, "Num2Key", 0xA4, 0xF7},
    {SymbolId::Num3Key, "Num3Key", 0xA4, 0xF8},
    {SymbolId::Num4Key, "Num4Key", 0xA4, 0xF9},
    {SymbolId::Num5Key, "Num5Key", 0xA4, 0xFA},
    {SymbolId::Num6Key, "Num6Key", 0xA4, 0xFB},
    {SymbolId::Num7Key, "Num7Key", 0xA4, 0xFC},
    {SymbolId::Num8Key, "Num8Key", 0xA4, 0xFD},
    {SymbolId::Num9Key, "Num9Key", 0xA4, 0xFE},
    {SymbolId::PrevKey, "PrevKey", 0xA5, 0xF7},
    {SymbolId::NextKey, "NextKey", 0xA5, 0xF8},
    {SymbolId::F1Key, "F1Key", 0xA5, 0xF9},
    {SymbolId::F2Key, "F2Key", 0xA5, 0xFA},
    {SymbolId::F3Key, "F3Key", 0xA5, 0xFB},
    {SymbolId::F4Key, "F4Key", 0xA5, 0xFC},
    {SymbolId::F5Key, "F5Key", 0xA5, 0xFD},
    {SymbolId::F6Key, "F6Key", 0xA5, 0xFE},
    {SymbolId::F7Key, "F7Key", 0xA6, 0xD9},
    {SymbolId::F8Key, "F8Key", 0xA6, 0xDA},
    {SymbolId::F9Key, "F9Key", 0xA6, 0xDB},
    {SymbolId::F10Key, "F10Key", 0xA6, 0xDC},
    {SymbolId::K1Key, "K1Key", 0xA6, 0xDD},
    {SymbolId::K2Key, "K2Key", 0xA6, 0xDE},
    {SymbolId::K3Key, "K3Key", 0xA6, 0xDF},
    {SymbolId::K4Key, "K4Key", 0xA6, 0xE0},
    {SymbolId::K5Key, "K5Key", 0xA6, 0xE1},
    {SymbolId::K6Key, "K6Key", 0xA6, 0xE2},
    {SymbolId::K7Key, "K7Key", 0xA6, 0xE3},
    {SymbolId::K8Key, "K8Key", 0xA6, 0xE4},
    {SymbolId::K9Key, "K9Key", 0xA6, 0xE5},
    {SymbolId::K10Key, "K10Key", 0xA6, 0xE6},
    {SymbolId::SetKey, "SetKey", 0xA2, 0xE3},
    {SymbolId::HomeKey, "HomeKey", 0xA2, 0xE4},
    {SymbolId::AlarmKey, "AlarmKey", 0xA2, 0xEF},
    {SymbolId::EntKey, "EntKey", 0xA2, 0xB0},
};

static_assert(std::size(kSymbols) == SymbolCount, "one row per symbol");

}  // namespace

std::span<const SymbolInfo> Symbols() {
    return kSymbols;
}

const SymbolInfo& SymbolOf(SymbolId id) {
    return kSymbols[static_cast<int>(id)];
}

std::string_view SymbolName(SymbolId id) {
    return SymbolOf(id).Name;
}

}  // namespace qxed
