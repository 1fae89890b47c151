#include "vpanel/screen_picture.h"

#include <algorithm>

#include "vpanel/virtual_panel.h"

namespace qxed {

ScreenColours ScreenColoursOf(const VirtualPanel& panel) {
    if (!panel.BacklightOn()) return {Rgb(0x3A, 0x40, 0x36), Rgb(0x3A, 0x40, 0x36)};
    if (panel.BlueScreen()) return {Rgb(0x1C, 0x3C, 0xB4), Rgb(0xFF, 0xFF, 0xFF)};
    return {Rgb(0xB8, 0xC8, 0x9C), Rgb(0x1E, 0x26, 0x1C)};
}

RasterImage ScreenPicture(const VirtualPanel& panel, int scale) {
    scale = std::clamp(scale, 1, 16);
    const MonoBitmap screen = panel.Screen();
    const ScreenColours colours = ScreenColoursOf(panel);
    RasterImage picture;
    picture.Width = screen.Width * scale;
    picture.Height = screen.Height * scale;
    picture.Pixels.resize(static_cast<std::size_t>(picture.Width) * static_cast<std::size_t>(picture.Height));
    for (int y = 0; y < picture.Height; ++y)
        for (int x = 0; x < picture.Width; ++x)
            picture.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.Width) +
                           static_cast<std::size_t>(x)] =
                screen.IsSet(x / scale, y / scale) ? colours.Dots : colours.Background;
    return picture;
}

}  // namespace qxed
