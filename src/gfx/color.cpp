#include "gfx/color.h"

#include <array>

namespace qxed {

namespace {

struct SystemColor {
    uint8_t Index;
    Color Value;
};

// The scheme the preview is drawn in, independent of the desktop theme.
constexpr std::array<SystemColor, 4> kSystemColors{{
    {0x05, kWhite},   // window background
    {0x08, kBlack},   // window text
    {0x0C, kGray},    // application workspace
    {0x0F, kSilver},  // button face
}};

}  // namespace

Color ResolveColor(Color c) {
    if ((c >> 24) != 0xFF) return c & 0x00FFFFFF;
    const auto index = static_cast<uint8_t>(c & 0xFF);
    for (const SystemColor& entry : kSystemColors) {
        if (entry.Index == index) return entry.Value;
    }
    return kBlack;
}

}  // namespace qxed
