#include "vpanel/page_renderer.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "image/image_format.h"
#include "vpanel/element_fields.h"
#include "vpanel/register_format.h"
#include "vpanel/screen_drawing.h"

namespace qxed {

using namespace element_fields;

namespace {

constexpr int kCellHeight = 16;
constexpr Rect kWholeScreen{0, 0, 1 << 20, 1 << 20};

std::span<const uint8_t> Glyph(const RenderInput& input, bool wide, uint32_t index) {
    const DecodedImage& image = *input.Image;
    const uint32_t count = wide ? image.DoubleByteCount : image.SingleByteCount;
    if (index >= count) return {};
    const uint32_t start =
        (wide ? image.Directory.DoubleByteGlyphs : image.Directory.SingleByteGlyphs) - image_format::kImageBase;
    const std::size_t size = wide ? image_format::kDoubleByteGlyphSize : image_format::kSingleByteGlyphSize;
    const std::size_t at = start + std::size_t{index} * size;
    if (at > input.Bytes.size() || size > input.Bytes.size() - at) return {};
    return input.Bytes.subspan(at, size);
}

bool RowLayout(const RenderInput& input) {
    return image_format::UsesRowLayout(input.Image->Model);
}

int X(const ImageElement& e) {
    return static_cast<int>(Number(e, "X"));
}
int Y(const ImageElement& e) {
    return static_cast<int>(Number(e, "Y"));
}

void DrawText(MonoBitmap& screen, const RenderInput& input, const ImageElement& e, const char* field) {
    const ImageText* text = Text(e, field);
    if (text != nullptr) DrawImageText(screen, input, *text, X(e), Y(e), Scale(e), Inverse(e));
}

void DrawRegister(MonoBitmap& screen, const RenderInput& input, const ImageElement& e, std::size_t index) {
    const RegisterFormat format = RegisterFormatOf(e);
    const bool entering = input.EntryElement == index;
    std::string text;
    if (entering) {
        // The typed digits, right-aligned in the register's field and shown the other way round.
        const std::size_t width = static_cast<std::size_t>(FieldWidth(format));
        text = input.EntryText.size() >= width ? input.EntryText
                                               : std::string(width - input.EntryText.size(), ' ') + input.EntryText;
    } else {
        text = FormatRegister(format, input.Plc->Value(Operand(e, "Address"), static_cast<int>(Number(e, "Length"))));
    }
    DrawPanelText(screen, *input.Font, text, X(e), Y(e), Scale(e), Inverse(e) != entering);
}

// Which entry a register value selects: the value itself, or its BCD reading for HEX/BCD.
std::optional<uint32_t> EntryIndex(const ImageElement& e, uint16_t value) {
    if (Bit(e, "Attribute", 5)) return value;
    uint32_t index = 0;
    for (int shift = 12; shift >= 0; shift -= 4) {
        const uint32_t digit = value >> shift & 0xF;
        if (digit > 9) return std::nullopt;
        index = index * 10 + digit;
    }
    return index;
}

void DrawVarText(MonoBitmap& screen, const RenderInput& input, const ImageElement& e) {
    const int scale = Scale(e);
    const int width = static_cast<int>(Number(e, "MaxLen")) * 8 * scale;
    const Rect field{X(e), Y(e), X(e) + width, Y(e) + kCellHeight * scale};
    FillRect(screen, field, Inverse(e));
    const std::optional<uint32_t> index = EntryIndex(e, input.Plc->Word(Operand(e, "Address")));
    if (!index || *index >= Number(e, "Count")) return;
    const ImageText* text = Text(e, "Texts[" + std::to_string(*index) + "]");
    if (text != nullptr) DrawImageText(screen, input, *text, X(e), Y(e), scale, Inverse(e));
}

void DrawASCIIText(MonoBitmap& screen, const RenderInput& input, const ImageElement& e) {
    const ImageOperand address = Operand(e, "Address");
    const uint32_t count = Number(e, "CharNum");
    std::string text;
    for (uint32_t i = 0; i < count; ++i) {
        const uint16_t word = input.Plc->Word(Advanced(address, static_cast<int>(i / 2)));
        const char c = static_cast<char>(i % 2 == 0 ? word & 0xFF : word >> 8);
        text += static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F ? c : ' ';
    }
    DrawPanelText(screen, *input.Font, text, X(e), Y(e), Scale(e), Inverse(e));
}

void DrawLamp(MonoBitmap& screen, const RenderInput& input, const ImageElement& e) {
    // The first symbol shows while the coil is on: the lit one for positive logic, the dark one otherwise.
    DrawText(screen, input, e, input.Plc->Coil(Operand(e, "Coil")) ? "Symbol" : "OtherSymbol");
}

void DrawFuncKey(MonoBitmap& screen, const RenderInput& input, const ImageElement& e) {
    if (!Bit(e, "Attribute", 2)) DrawText(screen, input, e, "Label");
}

double GraphValue(const ImageElement& e, uint32_t raw) {
    const int length = std::clamp(static_cast<int>(Number(e, "Length")), 0, 4);
    if (Bit(e, "Attribute", 7)) {
        const float value = std::bit_cast<float>(raw);
        return std::isfinite(value) ? value : 0.0;
    }
    if (length == 0) return 0;
    const uint64_t mask = length == 4 ? 0xFFFFFFFFull : (1ull << (8 * length)) - 1;
    const uint64_t value = raw & mask;
    if (Bit(e, "Attribute", 4) && (value >> (8 * length - 1) & 1) != 0)
        return static_cast<double>(static_cast<int64_t>(value) - static_cast<int64_t>(mask) - 1);
    return static_cast<double>(value);
}

// Zero and full value: four-byte fields, read as the register's own kind of value.
double GraphLimit(const ImageElement& e, const char* field) {
    const uint32_t raw = Number(e, field);
    if (Bit(e, "Attribute", 7)) {
        const float value = std::bit_cast<float>(raw);
        return std::isfinite(value) ? value : 0.0;
    }
    return Bit(e, "Attribute", 4) ? static_cast<double>(static_cast<int32_t>(raw)) : static_cast<double>(raw);
}

void Lines(MonoBitmap& screen, std::initializer_list<Point> points) {
    for (auto p = points.begin(); p + 1 < points.end(); ++p)
        DrawLine(screen, *p, *(p + 1));
}

void DrawTrend(MonoBitmap& screen, const RenderInput& input, const ImageElement& e, std::size_t index) {
    const int x = X(e), y = Y(e);
    const int w = static_cast<int>(Number(e, "Width"));
    const int h = static_cast<int>(Number(e, "Height"));
    FillRect(screen, {x, y, x + w, y + h}, false);
    // The axes as the editor's preview draws them.
    Lines(screen, {{x, y + 5}, {x + 4, y + 1}});
    Lines(screen, {{x, y + 4}, {x + 4, y}, {x + 4, y + h - 4}});
    Lines(screen, {{x + 5, y}, {x + 5, y + h - 4}});
    const int y1 = y + (h - 4) / 4, y2 = y + (2 * h - 8) / 4, y3 = y + (h - 4) * 3 / 4;
    for (const int row : {y1, y1 - 1, y3, y3 - 1})
        Lines(screen, {{x + 2, row}, {x + 4, row}});
    for (const int row : {y2, y2 - 1})
        Lines(screen, {{x, row}, {x + 4, row}});
    Lines(screen, {{x, y + h - 5}, {x + w, y + h - 5}});
    Lines(screen, {{x, y + h - 6}, {x + w, y + h - 6}});
    Lines(screen, {{x + w - 5, y + h - 1}, {x + w - 1, y + h - 5}});
    Lines(screen, {{x + w - 6, y + h - 1}, {x + w - 2, y + h - 5}});

    if (input.TrendSamples == nullptr) return;
    const auto found = input.TrendSamples->find(index);
    if (found == input.TrendSamples->end() || found->second.empty()) return;
    const std::deque<uint32_t>& samples = found->second;
    const int points = std::max<int>(static_cast<int>(Number(e, "SamplePoints")), 1);
    const int c = x + 4, width = w - 4, height = h - 4, base = y + height - 1;
    auto at = [&](std::size_t k) {
        const int px = points <= 1 ? c : c + (width - 1) * static_cast<int>(k) / (points - 1);
        const int py = base - static_cast<int>(std::lround(GraphFraction(e, samples[k]) * (height - 1)));
        return Point{px, py};
    };
    for (int lower = 0; lower < 2; ++lower) {
        Point previous = at(0);
        previous.Y += lower;
        screen.Set(previous.X, previous.Y, true);
        for (std::size_t k = 1; k < samples.size(); ++k) {
            Point next = at(k);
            next.Y += lower;
            DrawLine(screen, previous, next);
            screen.Set(next.X, next.Y, true);
            previous = next;
        }
    }
}

void DrawBar(MonoBitmap& screen, const RenderInput& input, const ImageElement& e) {
    const int x = X(e), y = Y(e);
    const int w = static_cast<int>(Number(e, "Width"));
    const int h = static_cast<int>(Number(e, "Height"));
    const uint32_t direct = Number(e, "Direct");
    FillRect(screen, {x, y, x + w, y + h}, false);
    const double fraction =
        GraphFraction(e, input.Plc->Value(Operand(e, "Address"), static_cast<int>(Number(e, "Length"))));
    if (direct >= 2) {
        Lines(screen, {{x, y + h - 1}, {x, y}, {x + w - 1, y}, {x + w - 1, y + h}});
        Lines(screen, {{x + 1, y + h - 1}, {x + 1, y + 1}, {x + w - 2, y + 1}, {x + w - 2, y + h}});
        Lines(screen, {{x, y + h - 5}, {x + w, y + h - 5}});
        Lines(screen, {{x, y + h - 6}, {x + w, y + h - 6}});
        const Rect inner{x + 2, y + 2, x + w - 2, y + h - 6};
        const int length = static_cast<int>(std::lround(fraction * std::max(inner.Right - inner.Left, 0)));
        FillRect(screen,
                 direct == 2 ? Rect{inner.Left, inner.Top, inner.Left + length, inner.Bottom}
                             : Rect{inner.Right - length, inner.Top, inner.Right, inner.Bottom},
                 true);
        return;
    }
    Lines(screen, {{x, y}, {x + w - 1, y}, {x + w - 1, y + h - 1}, {x - 1, y + h - 1}});
    Lines(screen, {{x, y + 1}, {x + w - 2, y + 1}, {x + w - 2, y + h - 2}, {x - 1, y + h - 2}});
    Lines(screen, {{x + 4, y}, {x + 4, y + h}});
    Lines(screen, {{x + 5, y}, {x + 5, y + h}});
    const Rect inner{x + 6, y + 2, x + w - 2, y + h - 2};
    const int length = static_cast<int>(std::lround(fraction * std::max(inner.Bottom - inner.Top, 0)));
    FillRect(screen,
             direct == 0 ? Rect{inner.Left, inner.Bottom - length, inner.Right, inner.Bottom}
                         : Rect{inner.Left, inner.Top, inner.Right, inner.Top + length},
             true);
}

void DrawPicture(MonoBitmap& screen, const RenderInput& input, const ImageElement& e) {
    const int w = static_cast<int>(Number(e, "Width"));
    const int h = static_cast<int>(Number(e, "Height"));
    DrawPacked(screen, Bytes(input.Bytes, e, "Bitmap"), w, h, X(e), Y(e), RowLayout(input), kWholeScreen);
}

void DrawTouchKey(MonoBitmap& screen, const RenderInput& input, const ImageElement& e) {
    if (Bit(e, "Attribute", 2)) return;  // invisible: it only takes presses
    const Rect r = TouchKeyRect(e);
    FillRect(screen, r, false);
    FrameRect(screen, r);
    FrameRect(screen, {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1});
    const int w = static_cast<int>(Number(e, "Width"));
    const int h = static_cast<int>(Number(e, "Height"));
    DrawPacked(screen, Bytes(input.Bytes, e, "Bitmap"), w, h, X(e) + 3, Y(e) + 3, RowLayout(input), kWholeScreen);
    // A key with the indicator shows its coil: inside the frame the other way round while it is on.
    const ImageKeyAction action = KeyAction(e, "Action");
    if (Bit(e, "Attribute", 3) && action.Function == 0 && input.Plc->Coil(action.Operand))
        InvertRect(screen, {r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2});
}

void DrawVarFontText(MonoBitmap& screen, const RenderInput& input, const ImageElement& e) {
    const int maxWidth = static_cast<int>(Number(e, "MaxWidth"));
    const int maxHeight = static_cast<int>(Number(e, "MaxHeight"));
    FillRect(screen, {X(e), Y(e), X(e) + maxWidth, Y(e) + maxHeight}, false);
    const std::optional<uint32_t> index = EntryIndex(e, input.Plc->Word(Operand(e, "Address")));
    if (!index || *index >= Number(e, "Count")) return;
    const std::string entry = "Texts[" + std::to_string(*index) + "]";
    const int w = static_cast<int>(Number(e, entry + ".Width"));
    const std::span<const uint8_t> packed = Bytes(input.Bytes, e, entry + ".Bitmap");
    if (w <= 0 || packed.empty()) return;
    // The record gives the byte count only; the height follows from it, cut to the element's height.
    const bool rows = RowLayout(input);
    const int shift = (rows ? X(e) : Y(e)) % 8;
    const int height = rows ? static_cast<int>(packed.size()) / ((w + shift + 7) / 8)
                            : static_cast<int>(packed.size()) / w * 8 - shift;
    // Drawn with the packed width, so that the bytes line up, and cut to the element's size.
    DrawPacked(screen, packed, w, std::max(height, 0), X(e), Y(e), rows,
               Rect{X(e), Y(e), X(e) + maxWidth, Y(e) + maxHeight});
}

}  // namespace

int DrawImageText(MonoBitmap& screen, const RenderInput& input, const ImageText& text, int x, int y, int scale,
                  bool inverse) {
    const bool hasWide = input.Image->DoubleByteCount > 0;
    const bool rows = RowLayout(input);
    int advance = 0;
    for (std::size_t i = 0; i < text.Indexes.size(); ++i) {
        const uint8_t byte = text.Indexes[i];
        const bool wide = hasWide && byte >= 0x80 && i + 1 < text.Indexes.size();
        uint32_t index = byte;
        if (wide) index = uint32_t{byte & 0x7Fu} << 8 | text.Indexes[++i];
        const std::span<const uint8_t> glyph = Glyph(input, wide, index);
        const MonoBitmap dots = glyph.empty() ? MonoBitmap(wide ? 16 : 8, kCellHeight) : GlyphDots(glyph, rows);
        PutDots(screen, dots, x + advance, y, scale, inverse);
        advance += dots.Width * scale;
    }
    return advance;
}

Rect TouchKeyRect(const ImageElement& e) {
    const int w = static_cast<int>(Number(e, "Width"));
    const int h = static_cast<int>(Number(e, "Height"));
    return Rect{X(e), Y(e), X(e) + w + 6, Y(e) + h + 6};
}

double GraphFraction(const ImageElement& e, uint32_t raw) {
    const double zero = GraphLimit(e, "ZeroValue");
    const double full = GraphLimit(e, "FullValue");
    if (full == zero) return 0;
    return std::clamp((GraphValue(e, raw) - zero) / (full - zero), 0.0, 1.0);
}

void DrawElement(MonoBitmap& screen, const RenderInput& input, std::size_t index) {
    const ImageElement& e = input.Image->Elements.at(index);
    switch (e.KindCode) {
        case 1:
            DrawText(screen, input, e, "Content");
            break;
        case 2:
            DrawRegister(screen, input, e, index);
            break;
        case 3:
            DrawLamp(screen, input, e);
            break;
        case 4:
            DrawFuncKey(screen, input, e);
            break;
        case 5:
            DrawTrend(screen, input, e, index);
            break;
        case 6:
            DrawBar(screen, input, e);
            break;
        case 7:
            DrawPicture(screen, input, e);
            break;
        case 8:
            DrawVarText(screen, input, e);
            break;
        case 10:
            DrawTouchKey(screen, input, e);
            break;
        case 11:
            DrawVarFontText(screen, input, e);
            break;
        case 12:
            DrawASCIIText(screen, input, e);
            break;
        default:
            break;
    }
}

void DrawPage(MonoBitmap& screen, const RenderInput& input, std::size_t pageIndex) {
    const std::vector<ImageElement>& elements = input.Image->Elements;
    for (std::size_t i = elements.size(); i-- > 0;)
        if (elements[i].Page == pageIndex) DrawElement(screen, input, i);
}

}  // namespace qxed
