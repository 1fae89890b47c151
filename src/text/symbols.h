#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace qxed {

// The two-byte characters that stand for lamps, the hand and the panel keys.
enum class SymbolId {
    CircleLampOn,
    CircleLampOff,
    SquareLampOn,
    SquareLampOff,
    Hand,
    LeftKey,
    RightKey,
    UpKey,
    DownKey,
    ClrKey,
    PlusMinusKey,
    Num0Key,
    Num1Key,
    Num2Key,
    Num3Key,
    Num4Key,
    Num5Key,
    Num6Key,
    Num7Key,
    Num8Key,
    Num9Key,
    PrevKey,
    NextKey,
    F1Key,
    F2Key,
    F3Key,
    F4Key,
    F5Key,
    F6Key,
    F7Key,
    F8Key,
    F9Key,
    F10Key,
    K1Key,
    K2Key,
    K3Key,
    K4Key,
    K5Key,
    K6Key,
    K7Key,
    K8Key,
    K9Key,
    K10Key,
    SetKey,
    HomeKey,
    AlarmKey,
    EntKey,
};

constexpr int SymbolCount = static_cast<int>(SymbolId::EntKey) + 1;

// A symbol's name (its language file keys are the name + "StrHi" / "StrLo")
// and its built-in bytes.
struct SymbolInfo {
    SymbolId Id;
    std::string_view Name;
    std::uint8_t DefaultHi;
    std::uint8_t DefaultLo;
};

// All symbols in SymbolId order.
std::span<const SymbolInfo> Symbols();

const SymbolInfo& SymbolOf(SymbolId id);
std::string_view SymbolName(SymbolId id);

}  // namespace qxed
