#include "image/text_bitmap.h"

#include "gfx/canvas.h"
#include "gfx/color.h"
#include "gfx/raster_image.h"
#include "gfx/text_render.h"

namespace qxed {

namespace {

constexpr int kCanvasWidth = 320;
constexpr int kCanvasHeight = 240;

}  // namespace

MonoBitmap TextBitmap(const FontDesc& font, std::string_view bytes, CodePage codePage, bool inverse) {
    Canvas canvas(kCanvasWidth, kCanvasHeight);
    FontDesc drawn = font;
    drawn.Color = inverse ? kWhite : kBlack;
    canvas.SetFont(drawn, codePage);
    canvas.SetBrushColor(inverse ? kBlack : kWhite);
    const Size extent = canvas.TextExtent(bytes);
    canvas.TextOut(0, 0, bytes);
    MonoBitmap bitmap(extent.Width, extent.Height);
    for (int y = 0; y < bitmap.Height; ++y) {
        for (int x = 0; x < bitmap.Width; ++x)
            bitmap.Set(x, y, canvas.Pixel(x, y) != kWhite);
    }
    return bitmap;
}

Size TextBitmapSize(const FontDesc& font, std::string_view bytes, CodePage codePage) {
    return MeasureText(font, bytes, codePage);
}

MonoBitmap PictureBitmap(std::span<const uint8_t> bmpFile, int width, int height) {
    MonoBitmap bitmap(width, height);
    const std::optional<RasterImage> picture = DecodeBmp(bmpFile);
    if (!picture) return bitmap;
    for (int y = 0; y < bitmap.Height; ++y) {
        for (int x = 0; x < bitmap.Width; ++x)
            bitmap.Set(x, y, picture->At(x, y) != kWhite);
    }
    return bitmap;
}

}  // namespace qxed
