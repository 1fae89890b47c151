#pragma once

#include <cstdint>
#include <string>

#include "gfx/color.h"

namespace qxed {

// A desktop font description as projects store it. Name holds bytes in the project's code page, like every
// text of the project; Charset only chooses the glyph repertoire a face should offer.
// Height is in pixels: negative for the character (em) height, positive for the cell height, 0 for the
// default. Size is in points at 96 dpi; setting one of the two recomputes the other.
struct FontDesc {
    static constexpr uint8_t kBold = 0x01;
    static constexpr uint8_t kItalic = 0x02;
    static constexpr uint8_t kUnderline = 0x04;
    static constexpr uint8_t kStrikeOut = 0x08;

    static constexpr uint8_t kDefaultPitch = 0;
    static constexpr uint8_t kVariablePitch = 1;
    static constexpr uint8_t kFixedPitch = 2;

    uint8_t Charset = 1;
    qxed::Color Color = kWindowText;
    int32_t Height = -12;
    std::string Name;
    uint8_t Pitch = kDefaultPitch;
    int32_t Size = 9;
    uint8_t Style = 0;

    // Sets the size in points and the matching character height -round(points x 96 / 72).
    void SetSize(int32_t points);
    // Sets the height in pixels and the matching size -round(pixels x 72 / 96).
    void SetHeight(int32_t pixels);

    bool operator==(const FontDesc&) const = default;
};

}  // namespace qxed
