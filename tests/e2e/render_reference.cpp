#include "render_reference.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>

#include "gfx/text_render.h"
#include "model/panel_model.h"

namespace qxed::testing {

namespace {

using I = int64_t;

// ceil(a / b) for b > 0.
I CeilDiv(I a, I b) {
    return a >= 0 ? (a + b - 1) / b : -((-a) / b);
}

// The integer nearest to num / den (den > 0); a half goes to the smaller one.
I NearestLow(I num, I den) {
    return CeilDiv(2 * num - den, 2 * den);
}

class Sheet {
  public:
    Sheet(int width, int height) {
        result_.Width = width;
        result_.Height = height;
        result_.Pixels.assign(static_cast<std::size_t>(width * height), kWhite);
    }

    bool Inside(I x, I y) const { return x >= 0 && y >= 0 && x < result_.Width && y < result_.Height; }
    std::optional<Color>& At(I x, I y) {
        return result_.Pixels[static_cast<std::size_t>(y * result_.Width + x)];
    }

    void Set(I x, I y, std::optional<Color> c) {
        if (Inside(x, y)) At(x, y) = c;
    }
    void Area(I left, I top, I right, I bottom, std::optional<Color> c) {
        for (I y = std::max<I>(top, 0); y < std::min<I>(bottom, result_.Height); ++y)
            for (I x = std::max<I>(left, 0); x < std::min<I>(right, result_.Width); ++x)
                At(x, y) = c;
    }
    void Open(I left, I top, I right, I bottom) { Area(left, top, right, bottom, std::nullopt); }

    // From (x0, y0) towards (x1, y1), the end left out.
    void Segment(I x0, I y0, I x1, I y1, Color c) {
        const I dx = x1 - x0, dy = y1 - y0;
        if (std::llabs(dx) >= std::llabs(dy)) {
            const I n = std::llabs(dx), step = dx > 0 ? 1 : -1;
            for (I i = 0; i < n; ++i)
                Set(x0 + i * step, y0 + NearestLow(i * dy, n), c);
        } else {
            const I n = std::llabs(dy), step = dy > 0 ? 1 : -1;
            for (I i = 0; i < n; ++i)
                Set(x0 + NearestLow(i * dx, n), y0 + i * step, c);
        }
    }
    void Path(std::initializer_list<std::pair<I, I>> points, Color c) {
        const std::pair<I, I>* previous = nullptr;
        for (const auto& p : points) {
            if (previous) Segment(previous->first, previous->second, p.first, p.second, c);
            previous = &p;
        }
    }

    // Dotted XOR outline: the border pixels whose x + y is even are inverted; an open pixel stays open.
    void Focus(const Rect& r) {
        auto flip = [&](I x, I y) {
            if (!Inside(x, y) || (x + y) % 2 != 0) return;
            if (At(x, y)) At(x, y) = *At(x, y) ^ 0x00FFFFFF;
        };
        if (r.Left >= r.Right || r.Top >= r.Bottom) return;
        for (I x = r.Left; x < r.Right; ++x) {
            flip(x, r.Top);
            if (r.Bottom - 1 != r.Top) flip(x, r.Bottom - 1);
        }
        for (I y = r.Top + 1; y < r.Bottom - 1; ++y) {
            flip(r.Left, y);
            if (r.Right - 1 != r.Left) flip(r.Right - 1, y);
        }
    }

    ExpectedPreview Result() && { return std::move(result_); }

  private:
    ExpectedPreview result_;
};

struct Frame {
    I X, Y, W, H;
};

// "-123.45" and the like: sign, whole digits (at least "0"), point and decimals, counting 1..9, 0, 1, ...
std::string RegisterText(const RegFields& r) {
    std::string digits;
    for (int i = 0; i < 30; ++i)
        digits += r.Pre0 ? '0' : static_cast<char>('0' + (i + 1) % 10);
    const I whole = I{r.Digits} - r.DecimalDigits;
    std::string text = (r.Unsigned == 0 || r.Float != 0) ? "-" : "";
    text += whole > 0 ? digits.substr(0, static_cast<std::size_t>(whole)) : "0";
    const std::size_t used = whole > 0 ? static_cast<std::size_t>(whole) : 0;
    if (r.DecimalDigits > 0) text += "." + digits.substr(used, static_cast<std::size_t>(r.DecimalDigits));
    return text;
}

FontDesc Scaled(const FontDesc& font, int z) {
    FontDesc scaled = font;
    scaled.SetSize((font.Size * z + 8) / 16);
    return scaled;
}

FontDesc RowFont(int a) {
    FontDesc font;
    font.Name = GbkFromUtf8("宋体");
    font.Height = a;
    return font;
}

class Reference {
  public:
    Reference(const PanelModel& model, CodePage codePage)
        : model_(model),
          codePage_(codePage),
          width_((model.ScreenWidth * model.PreviewScale + 8) / 16),
          height_((model.ScreenHeight * model.PreviewScale + 8) / 16),
          sheet_(width_, height_) {}

    void Grid() {
        const int pitch = 2 * model_.GridStep;
        const int block = model_.ScreenHeight == 64 ? 2 : 1;
        for (int y = pitch; y <= height_ - 1; y += pitch)
            for (int x = pitch; x <= width_ - 1; x += pitch)
                sheet_.Area(x - block + 1, y - block + 1, x + 1, y + 1, kGray);
    }

    // The rectangle the rules give, at the stored position.
    Frame Size(const Element& e) const {
        const int z = model_.PreviewScale;
        const I a = e.Double ? 2 * z : z;
        auto cells = [&](I count) { return Frame{e.X, e.Y, count * a / 2, a}; };
        auto measured = [&](const FontDesc& font, const std::string& text, I frame) {
            const qxed::Size s = MeasureText(font, text.substr(0, 120), codePage_);
            return Frame{e.X, e.Y, (I{s.Width} * z + 8) / 16 + frame, (I{s.Height} * z + 8) / 16 + frame};
        };
        switch (static_cast<ElementKind>(e.Kind)) {
            case ElementKind::Text:
                return cells(static_cast<I>(e.As<TextFields>().Content.size()));
            case ElementKind::Reg:
                return cells(static_cast<I>(RegisterText(e.As<RegFields>()).size()));
            case ElementKind::Lamp:
                return cells(2);
            case ElementKind::FuncKey:
                return cells(e.As<FuncKeyFields>().Action.WithHand ? 4 : 2);
            case ElementKind::Trend:
                return {e.X, e.Y, e.As<TrendFields>().Width, e.As<TrendFields>().Height};
            case ElementKind::Bar:
                return {e.X, e.Y, e.As<BarFields>().Width, e.As<BarFields>().Height};
            case ElementKind::Pic:
                return {e.X, e.Y, e.As<PicFields>().Width, e.As<PicFields>().Height};
            case ElementKind::VarText:
                return cells(e.As<VarTextFields>().MaxLen);
            case ElementKind::FontText:
                return measured(e.As<FontTextFields>().Font, e.As<FontTextFields>().Content, 0);
            case ElementKind::TouchKey:
                return measured(e.As<TouchKeyFields>().Font, e.As<TouchKeyFields>().Content, 14);
            case ElementKind::VarFontText:
                return {e.X, e.Y, e.As<VarFontTextFields>().MaxWidth, e.As<VarFontTextFields>().MaxHeight};
            case ElementKind::ASCIIText:
                return cells(e.As<ASCIITextFields>().CharNum);
        }
        return {e.X, e.Y, 0, 0};
    }

    // Where the element is drawn: back at 0 on an axis where it lies off the image.
    Frame Placed(const Element& e) const {
        Frame f = Size(e);
        if (f.X + f.W < 0 || f.X >= width_) f.X = 0;
        if (f.Y + f.H < 0 || f.Y >= height_) f.Y = 0;
        return f;
    }

    void Draw(const Element& e) {
        const Frame f = Placed(e);
        const int z = model_.PreviewScale;
        const I a = e.Double ? 2 * z : z;
        // A text drawn at (x, y): open over the text's rectangle and the extent the rasteriser gives it.
        auto openText = [&](I x, I y, const FontDesc& font, const std::string& text, I minWidth,
                            I minHeight) {
            const qxed::Size s = MeasureText(font, text, codePage_);
            sheet_.Open(x, y, x + std::max<I>(s.Width, minWidth), y + std::max<I>(s.Height, minHeight));
        };
        switch (static_cast<ElementKind>(e.Kind)) {
            case ElementKind::Text:
                openText(f.X, f.Y, RowFont(static_cast<int>(a)), e.As<TextFields>().Content, f.W, f.H);
                break;
            case ElementKind::Reg:
                openText(f.X, f.Y, RowFont(static_cast<int>(a)), RegisterText(e.As<RegFields>()), f.W, f.H);
                break;
            case ElementKind::VarText: {
                const VarTextFields& v = e.As<VarTextFields>();
                std::string text = v.Texts[0];
                if (static_cast<I>(text.size()) < v.MaxLen)
                    text.resize(static_cast<std::size_t>(v.MaxLen), ' ');
                openText(f.X, f.Y, RowFont(static_cast<int>(a)), text, f.W, f.H);
                break;
            }
            case ElementKind::ASCIIText:
                openText(f.X, f.Y, RowFont(static_cast<int>(a)),
                         std::string(static_cast<std::size_t>(e.As<ASCIITextFields>().CharNum), 'A'), f.W,
                         f.H);
                break;
            case ElementKind::Lamp:
            case ElementKind::FuncKey:
            case ElementKind::Pic:
                sheet_.Open(f.X, f.Y, f.X + f.W, f.Y + f.H);
                break;
            case ElementKind::Trend:
                Trend(f);
                break;
            case ElementKind::Bar:
                Bar(f, e.As<BarFields>().Direct);
                break;
            case ElementKind::FontText: {
                const FontTextFields& t = e.As<FontTextFields>();
                openText(f.X, f.Y, Scaled(t.Font, z), t.Content.substr(0, 120), 0, 0);
                break;
            }
            case ElementKind::TouchKey: {
                const TouchKeyFields& t = e.As<TouchKeyFields>();
                const I l = f.X, top = f.Y, r = f.X + f.W, b = f.Y + f.H;
                const Color c = t.Action.Disappear ? kSilver : kBlack;
                sheet_.Path({{l, top},
                             {r - 3, top},
                             {r - 3, b - 3},
                             {l, b - 3},
                             {l, top + 1},
                             {r - 4, top + 1},
                             {r - 4, b - 4},
                             {l + 1, b - 4},
                             {l + 1, top + 1}},
                            c);
                sheet_.Path({{r - 1, top + 2}, {r - 1, b - 1}, {l + 1, b - 1}}, c);
                sheet_.Path({{r - 2, top + 2}, {r - 2, b - 2}, {l + 1, b - 2}}, c);
                if (!t.Action.Disappear)
                    openText(l + 7, top + 7, Scaled(t.Font, z), t.Content.substr(0, 120), 0, 0);
                break;
            }
            case ElementKind::VarFontText: {
                const VarFontTextFields& v = e.As<VarFontTextFields>();
                sheet_.Area(f.X, f.Y, f.X + f.W, f.Y + f.H, kWhite);
                openText(f.X, f.Y, Scaled(v.Font, z), v.Texts[0].substr(0, 120), 0, 0);
                break;
            }
        }
    }

    void Focus(const Element& e) {
        const Frame f = Placed(e);
        sheet_.Focus(Rect{static_cast<int>(f.X), static_cast<int>(f.Y), static_cast<int>(f.X + f.W),
                          static_cast<int>(f.Y + f.H)});
    }

    ExpectedPreview Result() && { return std::move(sheet_).Result(); }

  private:
    void Trend(const Frame& f) {
        const I x = f.X, y = f.Y, w = f.W, h = f.H;
        sheet_.Area(x, y, x + w, y + h, kWhite);
        sheet_.Segment(x, y + 5, x + 4, y + 1, kBlack);
        sheet_.Path({{x, y + 4}, {x + 4, y}, {x + 4, y + h - 4}}, kBlack);
        sheet_.Segment(x + 5, y, x + 5, y + h - 4, kBlack);
        for (const auto& [row, from] : {std::pair<I, I>{y + (h - 4) / 4, x + 2},
                                        {y + (2 * h - 8) / 4, x},
                                        {y + (h - 4) * 3 / 4, x + 2}}) {
            sheet_.Segment(from, row, x + 4, row, kBlack);
            sheet_.Segment(from, row - 1, x + 4, row - 1, kBlack);
        }
        sheet_.Segment(x, y + h - 5, x + w, y + h - 5, kBlack);
        sheet_.Segment(x, y + h - 6, x + w, y + h - 6, kBlack);
        sheet_.Segment(x + w - 5, y + h - 1, x + w - 1, y + h - 5, kBlack);
        sheet_.Segment(x + w - 6, y + h - 1, x + w - 2, y + h - 5, kBlack);
        const I c = x + 4, W = w - 4, H = h - 4, base = y + H - 1;
        const std::pair<I, I> steps[] = {{0, 4}, {2, 8}, {3, 5}, {9, 12}, {10, 10}, {15, 16}};
        for (I lower = 0; lower < 2; ++lower) {
            for (std::size_t i = 1; i < std::size(steps); ++i) {
                sheet_.Segment(c + W * steps[i - 1].first / 15, base - H * steps[i - 1].second / 20 + lower,
                               c + W * steps[i].first / 15, base - H * steps[i].second / 20 + lower, kBlack);
            }
        }
    }

    void Bar(const Frame& f, int32_t direct) {
        const I x = f.X, y = f.Y, w = f.W, h = f.H;
        sheet_.Area(x, y, x + w, y + h, kWhite);
        if (direct == 2 || direct == 3) {
            sheet_.Path({{x, y + h - 1}, {x, y}, {x + w - 1, y}, {x + w - 1, y + h}}, kBlack);
            sheet_.Path({{x + 1, y + h - 1}, {x + 1, y + 1}, {x + w - 2, y + 1}, {x + w - 2, y + h}}, kBlack);
            sheet_.Segment(x, y + h - 5, x + w, y + h - 5, kBlack);
            sheet_.Segment(x, y + h - 6, x + w, y + h - 6, kBlack);
            for (const auto& [column, end] : {std::pair<I, I>{x + w / 4, y + h - 2},
                                              {x + 2 * w / 4, y + h},
                                              {x + 3 * w / 4, y + h - 2}}) {
                sheet_.Segment(column, y + h - 4, column, end, kBlack);
                sheet_.Segment(column - 1, y + h - 4, column - 1, end, kBlack);
            }
            if (direct == 2)
                sheet_.Area(x, y, x + w / 3, y + h - 4, kBlack);
            else
                sheet_.Area(x + 2 * w / 3, y, x + w, y + h - 4, kBlack);
            return;
        }
        sheet_.Path({{x, y}, {x + w - 1, y}, {x + w - 1, y + h - 1}, {x - 1, y + h - 1}}, kBlack);
        sheet_.Path({{x, y + 1}, {x + w - 2, y + 1}, {x + w - 2, y + h - 2}, {x - 1, y + h - 2}}, kBlack);
        sheet_.Segment(x + 4, y, x + 4, y + h, kBlack);
        sheet_.Segment(x + 5, y, x + 5, y + h, kBlack);
        for (const auto& [row, from] :
             {std::pair<I, I>{y + h / 4, x + 2}, {y + 2 * h / 4, x}, {y + 3 * h / 4, x + 2}}) {
            sheet_.Segment(from, row, x + 4, row, kBlack);
            sheet_.Segment(from, row - 1, x + 4, row - 1, kBlack);
        }
        if (direct == 0) sheet_.Area(x + 4, y + 2 * h / 3, x + w, y + h, kBlack);
        if (direct == 1) sheet_.Area(x + 4, y, x + w, y + h / 3, kBlack);
    }

    const PanelModel& model_;
    CodePage codePage_;
    int width_;
    int height_;
    Sheet sheet_;
};

}  // namespace

ExpectedPreview ReferencePreview(const Page& page, int model, bool grid, bool selected, CodePage codePage) {
    Reference reference(*FindPanelModel(model), codePage);
    if (grid) reference.Grid();
    for (auto e = page.Elements.rbegin(); e != page.Elements.rend(); ++e)
        reference.Draw(*e);
    if (selected && !page.Elements.empty()) reference.Focus(page.Elements.front());
    return std::move(reference).Result();
}

}  // namespace qxed::testing
