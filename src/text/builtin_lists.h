#pragma once

#include <span>
#include <string_view>

namespace qxed {

// Lists the program carries for when the language file does not supply them.
// Texts are UTF-8.

constexpr int ScreenSaveDelayCount = 11;
constexpr int PlcTypeListLength = 40;

// The screen-saver delays, indexed by the stored delay (0..10).
std::span<const std::string_view> BuiltinScreenSaveList();

// The PLC type names in the order of the PLC selection list (positions 0..39).
std::span<const std::string_view> BuiltinPlcTypeNames();

}  // namespace qxed
