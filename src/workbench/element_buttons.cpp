#include "workbench/element_buttons.h"

#include <array>

#include "text/texts.h"

namespace qxed {

namespace {

namespace t = texts;

// clang-format off
constexpr std::array<ElementButton, 12> kButtons{{
    {"SpeedButton1",         1,  &t::SpeedButton1Hint,         8,  8,   "element-text"},
    {"SpeedButton2",         2,  &t::SpeedButton2Hint,         8,  86,  "element-reg"},
    {"SpeedButton3",         3,  &t::SpeedButton3Hint,         8,  60,  "element-lamp"},
    {"SFuncKeySpeedButton",  4,  &t::SFuncKeySpeedButtonHint,  8,  112, "element-funckey"},
    {"TrendSpeedButton",     5,  &t::SpeedButton5Hint,         35, 112, "element-trend"},
    {"BarSpeedButton",       6,  &t::SpeedButton6Hint,         35, 86,  "element-bar"},
    {"SpeedButton7",         7,  &t::SpeedButton7Hint,         35, 60,  "element-pic"},
    {"SpeedButton8",         8,  &t::SpeedButton8Hint,         8,  34,  "element-vartext"},
    {"SpeedButton9",         9,  &t::SpeedButton9Hint,         35, 8,   "element-fonttext"},
    {"TouchKeySpeedButton",  10, &t::TouchKeySpeedButtonHint,  8,  138, "element-touchkey"},
    {"SpeedButton10",        11, &t::SpeedButton10Hint,        35, 34,  "element-varfonttext"},
    {"ASCIITextSpeedButton", 12, &t::ASCIITextSpeedButtonHint, 35, 138, "element-asciitext"},
}};
// clang-format on

}  // namespace

std::span<const ElementButton> ElementButtons() {
    return kButtons;
}

const ElementButton* ElementButtonOf(int32_t kind) {
    for (const ElementButton& button : kButtons)
        if (button.Kind == kind) return &button;
    return nullptr;
}

}  // namespace qxed
