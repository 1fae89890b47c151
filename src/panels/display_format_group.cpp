#include "panels/display_format_group.h"

namespace qxed {

void FillDisplayFormat(const DisplayFormatNames& names, const DisplayFormat& format, bool isFloat,
                       PanelState& state) {
    const bool decimal = format.DecDisp != 0;
    state.Check(names.Decimal, decimal, !isFloat);
    state.Check(names.Hex, !decimal, !isFloat);
    if (!names.Signed.empty())
        state.Check(names.Signed, decimal && format.Unsigned == 0, decimal && !isFloat);
}

std::optional<DisplayFormat> ChooseDecimal(const DisplayFormat& format) {
    if (format.DecDisp == 1) return std::nullopt;
    DisplayFormat changed = format;
    changed.DecDisp = 1;
    return changed;
}

std::optional<DisplayFormat> ChooseHex(const DisplayFormat& format) {
    const DisplayFormat changed{0, 1};
    if (changed == format) return std::nullopt;
    return changed;
}

std::optional<DisplayFormat> SetSigned(const DisplayFormat& format, bool checked) {
    if (format.DecDisp == 0) return std::nullopt;
    DisplayFormat changed = format;
    changed.Unsigned = checked ? 0 : 1;
    if (changed == format) return std::nullopt;
    return changed;
}

}  // namespace qxed
