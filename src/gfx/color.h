#pragma once

#include <cstdint>

namespace qxed {

// A colour as the desktop stores it: 0x00BBGGRR. A high byte of 0xFF marks a system colour whose low
// byte is the system colour index; fonts keep such values (window text) in project files.
using Color = uint32_t;

constexpr Color Rgb(uint8_t r, uint8_t g, uint8_t b) {
    return Color{r} | (Color{g} << 8) | (Color{b} << 16);
}

constexpr Color kBlack = Rgb(0, 0, 0);
constexpr Color kWhite = Rgb(255, 255, 255);
constexpr Color kGray = Rgb(128, 128, 128);
constexpr Color kSilver = Rgb(192, 192, 192);

constexpr Color kAppWorkspace = 0xFF00000C;
constexpr Color kButtonFace = 0xFF00000F;
constexpr Color kWindow = 0xFF000005;
constexpr Color kWindowText = 0xFF000008;

constexpr uint8_t RedOf(Color c) {
    return static_cast<uint8_t>(c & 0xFF);
}
constexpr uint8_t GreenOf(Color c) {
    return static_cast<uint8_t>((c >> 8) & 0xFF);
}
constexpr uint8_t BlueOf(Color c) {
    return static_cast<uint8_t>((c >> 16) & 0xFF);
}

// The RGB value a colour is drawn with: system colours map to the fixed black-on-white scheme of the
// preview (unknown ones to black); other colours keep their RGB part.
Color ResolveColor(Color c);

}  // namespace qxed
