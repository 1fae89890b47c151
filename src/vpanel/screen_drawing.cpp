#include "vpanel/screen_drawing.h"

#include <algorithm>

#include "gfx/line_raster.h"

namespace qxed {

namespace {

Rect Clipped(const MonoBitmap& screen, const Rect& rect) {
    return Rect{std::max(rect.Left, 0), std::max(rect.Top, 0), std::min(rect.Right, screen.Width),
                std::min(rect.Bottom, screen.Height)};
}

int ShiftOf(int position) {
    const int remainder = position % 8;
    return remainder < 0 ? remainder + 8 : remainder;
}

bool Bit(std::span<const uint8_t> bytes, std::size_t index, int bit) {
    return index < bytes.size() && (bytes[index] >> bit & 1) != 0;
}

}  // namespace

void DrawLine(MonoBitmap& screen, Point from, Point to) {
    for (const Point& p : LinePixels(from, to, Rect{0, 0, screen.Width, screen.Height}))
        screen.Set(p.X, p.Y, true);
}

void FillRect(MonoBitmap& screen, const Rect& rect, bool set) {
    const Rect r = Clipped(screen, rect);
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            screen.Set(x, y, set);
}

void InvertRect(MonoBitmap& screen, const Rect& rect) {
    const Rect r = Clipped(screen, rect);
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            screen.Set(x, y, !screen.IsSet(x, y));
}

void FrameRect(MonoBitmap& screen, const Rect& rect) {
    if (rect.Right <= rect.Left || rect.Bottom <= rect.Top) return;
    FillRect(screen, {rect.Left, rect.Top, rect.Right, rect.Top + 1}, true);
    FillRect(screen, {rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom}, true);
    FillRect(screen, {rect.Left, rect.Top, rect.Left + 1, rect.Bottom}, true);
    FillRect(screen, {rect.Right - 1, rect.Top, rect.Right, rect.Bottom}, true);
}

void PutDots(MonoBitmap& screen, const MonoBitmap& dots, int x, int y, int scale, bool inverse) {
    if (scale < 1) return;
    // Only the part on the screen is visited.
    const int firstColumn = std::max(0, x < 0 ? (-x) / scale : 0);
    const int firstRow = std::max(0, y < 0 ? (-y) / scale : 0);
    const int lastColumn = std::min(dots.Width, (screen.Width - x + scale - 1) / scale);
    const int lastRow = std::min(dots.Height, (screen.Height - y + scale - 1) / scale);
    for (int row = firstRow; row < lastRow; ++row) {
        for (int column = firstColumn; column < lastColumn; ++column) {
            const bool set = dots.IsSet(column, row) != inverse;
            for (int dy = 0; dy < scale; ++dy)
                for (int dx = 0; dx < scale; ++dx)
                    screen.Set(x + column * scale + dx, y + row * scale + dy, set);
        }
    }
}

MonoBitmap UnpackBitmap(std::span<const uint8_t> packed, int width, int height, int x0, int y0,
                        bool rowLayout) {
    MonoBitmap dots(width, height);
    if (rowLayout) {
        const int shift = ShiftOf(x0);
        const std::size_t perRow = static_cast<std::size_t>((dots.Width + shift + 7) / 8);
        for (int row = 0; row < dots.Height; ++row) {
            for (int column = 0; column < dots.Width; ++column) {
                const int at = column + shift;
                dots.Set(column, row, Bit(packed, row * perRow + at / 8, 7 - at % 8));
            }
        }
        return dots;
    }
    const int shift = ShiftOf(y0);
    const std::size_t bands = static_cast<std::size_t>((dots.Height + shift + 7) / 8);
    for (int column = 0; column < dots.Width; ++column) {
        for (int row = 0; row < dots.Height; ++row) {
            const int at = row + shift;
            dots.Set(column, row, Bit(packed, column * bands + at / 8, at % 8));
        }
    }
    return dots;
}

void DrawPacked(MonoBitmap& screen, std::span<const uint8_t> packed, int width, int height, int x0, int y0,
                bool rowLayout, const Rect& clip) {
    const int64_t w = std::max(width, 0), h = std::max(height, 0);
    const int shift = ShiftOf(rowLayout ? x0 : y0);
    const int64_t perLine = ((rowLayout ? w : h) + shift + 7) / 8;
    const Rect visible = Clipped(screen, Rect{std::max(clip.Left, x0), std::max(clip.Top, y0),
                                              static_cast<int>(std::min<int64_t>(clip.Right, x0 + w)),
                                              static_cast<int>(std::min<int64_t>(clip.Bottom, y0 + h))});
    for (int y = visible.Top; y < visible.Bottom; ++y) {
        for (int x = visible.Left; x < visible.Right; ++x) {
            const int64_t column = x - x0, row = y - y0;
            bool set = false;
            if (rowLayout) {
                const int64_t at = column + shift;
                set = Bit(packed, static_cast<std::size_t>(row * perLine + at / 8), static_cast<int>(7 - at % 8));
            } else {
                const int64_t at = row + shift;
                set = Bit(packed, static_cast<std::size_t>(column * perLine + at / 8), static_cast<int>(at % 8));
            }
            screen.Set(x, y, set);
        }
    }
}

MonoBitmap GlyphDots(std::span<const uint8_t> glyph, bool rowLayout) {
    const bool wide = glyph.size() >= 32;
    MonoBitmap dots(wide ? 16 : 8, 16);
    if (rowLayout) {
        for (int half = 0; half < (wide ? 2 : 1); ++half)
            for (int row = 0; row < 16; ++row)
                for (int j = 0; j < 8; ++j)
                    dots.Set(half * 8 + j, row, Bit(glyph, static_cast<std::size_t>(half * 16 + row), 7 - j));
        return dots;
    }
    // Blocks of eight columns: left top, left bottom, then right top, right bottom for a wide glyph.
    for (int block = 0; block < (wide ? 4 : 2); ++block) {
        const int left = (block / 2) * 8;
        const int top = (block % 2) * 8;
        for (int column = 0; column < 8; ++column)
            for (int k = 0; k < 8; ++k)
                dots.Set(left + column, top + k, Bit(glyph, static_cast<std::size_t>(block * 8 + column), k));
    }
    return dots;
}

}  // namespace qxed
