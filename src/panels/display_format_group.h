#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "panels/control_state.h"

namespace qxed {

// How a register value is read: decimal or HEX/BCD, and signed or not. HEX/BCD values are always unsigned;
// the signed box shows the inverse of the stored Unsigned byte.
struct DisplayFormat {
    uint8_t DecDisp = 1;
    uint8_t Unsigned = 1;
    bool operator==(const DisplayFormat&) const = default;
};

// The decimal and HEX/BCD radios and, where the panel has one, the signed box.
struct DisplayFormatNames {
    std::string Decimal;  // RegDecDispRadioButton, TrendRegDecRadioButton, ...
    std::string Hex;
    std::string Signed;  // empty: the panel has no signed box
};

// The radios and the signed box. While the value is a float they are disabled: a float has neither base nor
// sign of its own.
void FillDisplayFormat(const DisplayFormatNames& names, const DisplayFormat& format, bool isFloat,
                       PanelState& state);

// Decimal keeps Unsigned; HEX/BCD stores Unsigned = 1; the signed box stores Unsigned = not checked and is
// refused while HEX/BCD is shown. nullopt: nothing to store.
std::optional<DisplayFormat> ChooseDecimal(const DisplayFormat& format);
std::optional<DisplayFormat> ChooseHex(const DisplayFormat& format);
std::optional<DisplayFormat> SetSigned(const DisplayFormat& format, bool checked);

}  // namespace qxed
