#include "gfx/canvas.h"

#include <algorithm>
#include <fstream>

#include "gfx/line_raster.h"
#include "gfx/mono_bitmap.h"
#include "gfx/text_render.h"

namespace qxed {

namespace {

// A rectangle in 64 bits, so that positions plus sizes near the int limits cannot overflow.
struct Span2D {
    int64_t Left, Top, Right, Bottom;
    bool Empty() const { return Left >= Right || Top >= Bottom; }
};

Span2D Intersect(const Span2D& a, const Span2D& b) {
    return Span2D{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                  std::min(a.Bottom, b.Bottom)};
}

RasterImage WhiteImage(int width, int height) {
    RasterImage image;
    image.Width = std::max(width, 0);
    image.Height = std::max(height, 0);
    image.Pixels.assign(static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height),
                        kWhite);
    return image;
}

}  // namespace

Canvas::Canvas(int width, int height) : image_(WhiteImage(width, height)) {}

void Canvas::Resize(int width, int height) {
    image_ = WhiteImage(width, height);
}

void Canvas::Plot(int x, int y, Color resolved) {
    if (x < 0 || y < 0 || x >= image_.Width || y >= image_.Height) return;
    image_.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(image_.Width) + x] = resolved;
}

void Canvas::Fill() {
    std::fill(image_.Pixels.begin(), image_.Pixels.end(), ResolveColor(brush_));
}

void Canvas::FillRect(int left, int top, int right, int bottom) {
    const Span2D area =
        Intersect(Span2D{left, top, right, bottom}, Span2D{0, 0, image_.Width, image_.Height});
    if (area.Empty()) return;
    const Color color = ResolveColor(brush_);
    for (auto y = static_cast<int>(area.Top); y < area.Bottom; ++y) {
        for (auto x = static_cast<int>(area.Left); x < area.Right; ++x)
            Plot(x, y, color);
    }
}

Color Canvas::Pixel(int x, int y) const {
    return image_.At(x, y);
}

void Canvas::SetPixel(int x, int y, Color color) {
    Plot(x, y, ResolveColor(color));
}

void Canvas::LineTo(int x, int y) {
    const Color color = ResolveColor(pen_);
    for (const Point& p : LinePixels(position_, Point{x, y}, Rect{0, 0, image_.Width, image_.Height})) {
        Plot(p.X, p.Y, color);
    }
    position_ = Point{x, y};
}

void Canvas::Line(int x1, int y1, int x2, int y2) {
    MoveTo(x1, y1);
    LineTo(x2, y2);
}

void Canvas::Polyline(std::span<const Point> points) {
    const Color color = ResolveColor(pen_);
    const Rect clip{0, 0, image_.Width, image_.Height};
    for (std::size_t i = 1; i < points.size(); ++i) {
        for (const Point& p : LinePixels(points[i - 1], points[i], clip))
            Plot(p.X, p.Y, color);
    }
}

void Canvas::TextOut(int x, int y, std::string_view bytes) {
    const Size extent = MeasureText(font_, bytes, codePage_);
    const Span2D area = Intersect(Span2D{x, y, int64_t{x} + extent.Width, int64_t{y} + extent.Height},
                                  Span2D{0, 0, image_.Width, image_.Height});
    if (area.Empty()) return;
    // Only the visible part of the text is rendered, however long the text or large the font.
    const Rect part{static_cast<int>(area.Left - x), static_cast<int>(area.Top - y),
                    static_cast<int>(area.Right - x), static_cast<int>(area.Bottom - y)};
    const MonoBitmap ink = RenderTextInk(font_, bytes, codePage_, part);
    const Color background = ResolveColor(brush_);
    const Color foreground = ResolveColor(font_.Color);
    for (int row = 0; row < part.Bottom - part.Top; ++row) {
        for (int column = 0; column < part.Right - part.Left; ++column) {
            Plot(static_cast<int>(area.Left) + column, static_cast<int>(area.Top) + row,
                 ink.IsSet(column, row) ? foreground : background);
        }
    }
}

int Canvas::TextWidth(std::string_view bytes) const {
    return MeasureText(font_, bytes, codePage_).Width;
}

int Canvas::TextHeight(std::string_view bytes) const {
    return MeasureText(font_, bytes, codePage_).Height;
}

Size Canvas::TextExtent(std::string_view bytes) const {
    return MeasureText(font_, bytes, codePage_);
}

void Canvas::DrawFocusRect(const Rect& rect) {
    const Span2D r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    if (r.Empty()) return;
    const Span2D visible = Intersect(r, Span2D{0, 0, image_.Width, image_.Height});
    if (visible.Empty()) return;
    // Every border pixel exactly once (the corners belong to the rows), on a checkerboard that
    // lines up across rectangles.
    auto invert = [this](int64_t x, int64_t y) {
        if (((x + y) & 1) != 0) return;
        const auto px = static_cast<int>(x);
        const auto py = static_cast<int>(y);
        Plot(px, py, image_.At(px, py) ^ 0x00FFFFFF);
    };
    const int64_t bottomRow = r.Bottom - 1;
    const int64_t rightColumn = r.Right - 1;
    for (int64_t x = visible.Left; x < visible.Right; ++x) {
        if (r.Top >= visible.Top) invert(x, r.Top);
        if (bottomRow != r.Top && bottomRow < visible.Bottom) invert(x, bottomRow);
    }
    for (int64_t y = std::max(visible.Top, r.Top + 1); y < std::min(visible.Bottom, bottomRow); ++y) {
        if (r.Left >= visible.Left) invert(r.Left, y);
        if (rightColumn != r.Left && rightColumn < visible.Right) invert(rightColumn, y);
    }
}

void Canvas::DrawPicture(int x, int y, const RasterImage& image, bool transparent) {
    const Span2D area = Intersect(Span2D{x, y, int64_t{x} + image.Width, int64_t{y} + image.Height},
                                  Span2D{0, 0, image_.Width, image_.Height});
    if (area.Empty()) return;
    const Color key = image.At(0, image.Height - 1);
    // The visible part is read and written row by row (the preview draws every text and picture through
    // here on each redraw); a picture with fewer pixels than its size reads white where they are missing.
    const bool complete = image.Pixels.size() >= static_cast<std::size_t>(image.Width) * image.Height;
    for (int64_t py = area.Top; py < area.Bottom; ++py) {
        Color* target = image_.Pixels.data() + py * image_.Width;
        const std::size_t sourceRow =
            static_cast<std::size_t>(py - y) * static_cast<std::size_t>(image.Width);
        for (int64_t px = area.Left; px < area.Right; ++px) {
            const Color c = complete ? image.Pixels[sourceRow + static_cast<std::size_t>(px - x)]
                                     : image.At(static_cast<int>(px - x), static_cast<int>(py - y));
            if (transparent && c == key) continue;
            target[px] = c & 0x00FFFFFF;
        }
    }
}

void Canvas::Draw(int x, int y, const RasterImage& image) {
    DrawPicture(x, y, image, false);
}

void Canvas::DrawTransparent(int x, int y, const RasterImage& image) {
    DrawPicture(x, y, image, true);
}

void Canvas::StretchDraw(const Rect& dest, const RasterImage& image) {
    const Span2D target{dest.Left, dest.Top, dest.Right, dest.Bottom};
    if (target.Empty() || image.Width <= 0 || image.Height <= 0) return;
    const Span2D area = Intersect(target, Span2D{0, 0, image_.Width, image_.Height});
    if (area.Empty()) return;
    const int64_t destWidth = target.Right - target.Left;
    const int64_t destHeight = target.Bottom - target.Top;
    for (int64_t py = area.Top; py < area.Bottom; ++py) {
        const auto sy = static_cast<int>((py - target.Top) * image.Height / destHeight);
        for (int64_t px = area.Left; px < area.Right; ++px) {
            const auto sx = static_cast<int>((px - target.Left) * image.Width / destWidth);
            Plot(static_cast<int>(px), static_cast<int>(py), image.At(sx, sy) & 0x00FFFFFF);
        }
    }
}

std::vector<uint8_t> Canvas::EncodePng() const {
    return qxed::EncodePng(image_);
}

bool Canvas::SavePng(const std::string& path) const {
    const std::vector<uint8_t> png = EncodePng();
    if (png.empty()) return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace qxed
