#include "workbench/element_rect.h"

#include <algorithm>
#include <variant>

#include "model/editor_units.h"
#include "model/element_rules.h"
#include "model/key_codes.h"
#include "model/overloaded.h"
#include "model/panel_model.h"

namespace qxed {

namespace {

// A touch key's raised frame adds 7 preview pixels on each side of its label.
constexpr int kTouchKeyFrame = 14;

// No screen shows more than 40 characters in a row; longer placeholders only come from damaged files.
constexpr int32_t kMostRegisterCharacters = 255;

const PanelModel& ModelOrFirst(int model) {
    const PanelModel* found = FindPanelModel(model);
    return found ? *found : *FindPanelModel(0);
}

// The width of `count` character cells of the row height a, halved toward zero.
int64_t CellsWidth(int64_t count, int a) {
    return count * a / 2;
}

Rect Spanning(const Element& e, int64_t width, int64_t height) {
    return Rect{e.X, e.Y, ClampToInt32(int64_t{e.X} + width), ClampToInt32(int64_t{e.Y} + height)};
}

}  // namespace

RectContext RectContextOf(int model, CodePage textCodePage) {
    return RectContext{ModelOrFirst(model).PreviewScale, textCodePage};
}

Size PreviewImageSize(int model) {
    const PreviewSize size = PreviewSizeOf(ModelOrFirst(model));
    return Size{size.Width, size.Height};
}

std::string SampleRegisterText(const RegFields& reg) {
    const int32_t decimals = std::clamp<int32_t>(reg.DecimalDigits, -1, kMostRegisterCharacters);
    const int64_t whole = int64_t{reg.Digits} - reg.DecimalDigits;
    std::string text = (reg.Unsigned == 0 || reg.Float != 0) ? "-" : "";
    int next = 1;
    auto append = [&](int64_t count) {
        for (int64_t i = 0; i < std::min<int64_t>(count, kMostRegisterCharacters); ++i) {
            text += reg.Pre0 != 0 ? '0' : static_cast<char>('0' + next);
            next = (next + 1) % 10;
        }
    };
    if (whole > 0)
        append(whole);
    else
        text += '0';
    if (decimals > 0) {
        text += '.';
        append(decimals);
    }
    return text;
}

Rect ElementRect(const Element& e, const RectContext& context) {
    const int z = context.PreviewScale;
    const int a = e.Double != 0 ? 2 * z : z;
    auto textRow = [&](int64_t bytes) { return Spanning(e, CellsWidth(bytes, a), a); };
    auto measured = [&](const FontDesc& font, const std::string& text, int frame) {
        const Size size = MeasureFontTextUnits(font, text, context.TextCodePage, z);
        return Spanning(e, int64_t{size.Width} + frame, int64_t{size.Height} + frame);
    };
    auto length = [](const std::string& text) { return static_cast<int64_t>(text.size()); };
    // The fields' alternative follows the kind code, so the fields alone say what to measure.
    return std::visit(
        Overloaded{
            [&](const std::monostate&) {
                return Rect{e.X, e.Y, e.X, e.Y};
            },
            [&](const TextFields& f) { return textRow(length(f.Content)); },
            [&](const RegFields& f) { return textRow(length(SampleRegisterText(f))); },
            // The lamp symbol; the hand's and the key's (none for a code without a symbol).
            [&](const LampFields&) { return textRow(kSymbolBytes); },
            [&](const FuncKeyFields& f) {
                const int symbols = (f.Action.WithHand != 0 ? 1 : 0) + (KeySymbolOf(f.Action.Key) ? 1 : 0);
                return textRow(int64_t{symbols} * kSymbolBytes);
            },
            [&](const GraphFields& f) { return Spanning(e, f.Width, f.Height); },
            [&](const PicFields& f) { return Spanning(e, f.Width, f.Height); },
            [&](const VarTextFields& f) { return textRow(f.MaxLen); },
            [&](const FontTextFields& f) { return measured(f.Font, f.Content, 0); },
            [&](const TouchKeyFields& f) { return measured(f.Font, f.Content, kTouchKeyFrame); },
            [&](const VarFontTextFields& f) { return Spanning(e, f.MaxWidth, f.MaxHeight); },
            [&](const ASCIITextFields& f) { return textRow(f.CharNum); },
        },
        e.Fields);
}

PulledBack PullBackPosition(const Element& element, const RectContext& context, Size image) {
    const Rect r = ElementRect(element, context);
    const int64_t width = int64_t{r.Right} - r.Left;
    const int64_t height = int64_t{r.Bottom} - r.Top;
    PulledBack result;
    result.X = element.X;
    result.Y = element.Y;
    if (int64_t{element.X} + width < 0 || element.X >= image.Width) {
        result.MovesX = element.X != 0;
        result.X = 0;
    }
    if (int64_t{element.Y} + height < 0 || element.Y >= image.Height) {
        result.MovesY = element.Y != 0;
        result.Y = 0;
    }
    return result;
}

std::vector<PulledBack> ElementsPulledBack(const Page& page, const RectContext& context, Size image) {
    std::vector<PulledBack> moved;
    for (std::size_t i = 0; i < page.Elements.size(); ++i) {
        PulledBack position = PullBackPosition(page.Elements[i], context, image);
        if (!position.MovesX && !position.MovesY) continue;
        position.Index = i;
        moved.push_back(position);
    }
    return moved;
}

void ToggleFocusRect(Canvas& canvas, const Rect& rect) {
    canvas.DrawFocusRect(rect);
}

}  // namespace qxed
