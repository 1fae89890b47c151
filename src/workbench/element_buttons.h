#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "text/text_key.h"

namespace qxed {

// The twelve element buttons of SpeedButtonPanel: the kind each places (its tag), its hint, its place in
// the panel (23 x 22 each) and its picture.
struct ElementButton {
    std::string_view Name;
    int32_t Kind;
    const TextKey* Hint;
    int Left;
    int Top;
    std::string_view Icon;
};
constexpr int kElementButtonWidth = 23;
constexpr int kElementButtonHeight = 22;

std::span<const ElementButton> ElementButtons();
// The button of a kind; nullptr for a code outside 1..12.
const ElementButton* ElementButtonOf(int32_t kind);

}  // namespace qxed
