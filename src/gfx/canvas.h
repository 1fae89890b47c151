#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/color.h"
#include "gfx/font_desc.h"
#include "gfx/geometry.h"
#include "gfx/raster_image.h"
#include "text/code_page.h"

namespace qxed {

// An offscreen drawing surface with the drawing state of a desktop canvas: pen, brush, font and a
// current position. Every operation is clipped to the canvas; coordinates may lie anywhere.
class Canvas {
  public:
    // Filled white; negative sizes count as 0.
    Canvas(int width, int height);
    Canvas(Canvas&&) noexcept = default;
    Canvas& operator=(Canvas&&) noexcept = default;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas() = default;

    int Width() const { return image_.Width; }
    int Height() const { return image_.Height; }
    // New size, filled white.
    void Resize(int width, int height);

    void SetPenColor(Color color) { pen_ = color; }
    Color PenColor() const { return pen_; }
    void SetBrushColor(Color color) { brush_ = color; }
    Color BrushColor() const { return brush_; }
    // The font, and the code page of its face name and of the texts drawn with it (the project's).
    void SetFont(const FontDesc& font, CodePage codePage) {
        font_ = font;
        codePage_ = codePage;
    }
    const FontDesc& Font() const { return font_; }
    void SetFontColor(Color color) { font_.Color = color; }

    // The whole canvas, or left/top to right/bottom (exclusive), in the brush colour.
    void Fill();
    void FillRect(int left, int top, int right, int bottom);

    // Outside the canvas: white; writes there are ignored.
    Color Pixel(int x, int y) const;
    void SetPixel(int x, int y, Color color);

    // Lines in the pen colour; a line's end point is not drawn.
    void MoveTo(int x, int y) { position_ = Point{x, y}; }
    void LineTo(int x, int y);
    void Line(int x1, int y1, int x2, int y2);
    // Joined segments through the points; the last point is not drawn. The current position stays.
    void Polyline(std::span<const Point> points);

    // Opaque text: the extent (TextExtent) at (x, y) is filled with the brush and the glyphs are drawn
    // in the font colour. The bytes are in the code page given with the font.
    void TextOut(int x, int y, std::string_view bytes);
    int TextWidth(std::string_view bytes) const;
    int TextHeight(std::string_view bytes) const;
    Size TextExtent(std::string_view bytes) const;

    // A dotted rectangle outline XORed onto the pixels: drawing it again removes it exactly.
    void DrawFocusRect(const Rect& rect);

    // Pictures with their top-left at (x, y); stretched ones scale to `dest` by nearest neighbour;
    // transparent drawing skips the pixels of the picture's bottom-left pixel colour.
    void Draw(int x, int y, const RasterImage& image);
    void StretchDraw(const Rect& dest, const RasterImage& image);
    void DrawTransparent(int x, int y, const RasterImage& image);

    RasterImage ToImage() const { return image_; }
    std::vector<uint8_t> EncodePng() const;
    bool SavePng(const std::string& path) const;

  private:
    void Plot(int x, int y, Color resolved);
    void DrawPicture(int x, int y, const RasterImage& image, bool transparent);

    RasterImage image_;
    Color pen_ = kBlack;
    Color brush_ = kWhite;
    FontDesc font_;
    CodePage codePage_ = CodePage::Gbk;
    Point position_;
};

}  // namespace qxed
