#include "workbench/preview_painter.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>
#include <variant>

#include "gfx/mono_bitmap.h"
#include "model/editor_units.h"
#include "model/overloaded.h"
#include "workbench/element_picture_names.h"
#include "workbench/preview_graphs.h"

namespace qxed {

namespace {

// Font texts and touch key labels draw at most this many bytes, as they are measured.
constexpr std::size_t kFontTextBytes = 120;
// A touch key's label sits inside its raised frame.
constexpr int kTouchKeyLabelOffset = 7;

const PanelModel& ModelOrFirst(int model) {
    const PanelModel* found = FindPanelModel(model);
    return found ? *found : *FindPanelModel(0);
}

// The rectangle r moved so that its top left is `at`, its size kept.
Rect MovedTo(const Rect& r, Point at) {
    return Rect{at.X, at.Y, ClampToInt32(int64_t{at.X} + (int64_t{r.Right} - r.Left)),
                ClampToInt32(int64_t{at.Y} + (int64_t{r.Bottom} - r.Top))};
}

// Text output in the canvas font on the brush; inverse video swaps the two for this output only. A text
// drawn before in the same font and colours comes from the cache, pixel for pixel as drawn then.
void DrawText(Canvas& canvas, int x, int y, std::string_view bytes, bool inverse,
              const ElementPainter& painter) {
    const Color ink = inverse ? canvas.BrushColor() : canvas.Font().Color;
    const Color ground = inverse ? canvas.Font().Color : canvas.BrushColor();
    if (const RasterImage* text =
            painter.Cache.Text(canvas.Font(), painter.Geometry.TextCodePage, bytes, ink, ground)) {
        canvas.Draw(x, y, *text);
        return;
    }
    const Color font = canvas.Font().Color;
    const Color brush = canvas.BrushColor();
    canvas.SetFontColor(ink);
    canvas.SetBrushColor(ground);
    canvas.TextOut(x, y, bytes);
    canvas.SetFontColor(font);
    canvas.SetBrushColor(brush);
}

// How many of `count` characters c drawn from x can reach into the image; the others would be cut off
// at its right edge, so drawing only these gives the same pixels however large the count. The estimate
// takes half a character's width per character, so that rounded advances never fall short.
int64_t VisibleRepeats(const Canvas& canvas, int x, char c, int64_t count, const ElementPainter& painter) {
    if (count <= 0) return 0;
    const std::string_view one(&c, 1);
    const RasterImage* drawn = painter.Cache.Text(canvas.Font(), painter.Geometry.TextCodePage, one,
                                                  canvas.Font().Color, canvas.BrushColor());
    const int width = drawn ? drawn->Width : canvas.TextWidth(one);
    const int64_t perCharacter = std::max(width / 2, 1);
    const int64_t reach = std::max<int64_t>(int64_t{canvas.Width()} - x, 0);
    return std::min(count, reach / perCharacter + 2);
}

// The element's font at its preview size: the stored point size scaled by Z.
void UseScaledFont(Canvas& canvas, const FontDesc& font, const ElementPainter& painter) {
    FontDesc scaled = font;
    scaled.SetSize(ClampToInt32((int64_t{font.Size} * painter.Geometry.PreviewScale + 8) / 16));
    canvas.SetFont(scaled, painter.Geometry.TextCodePage);
}

void DrawFontText(Canvas& canvas, int x, int y, const FontDesc& font, const std::string& text, bool inverse,
                  const ElementPainter& painter) {
    UseScaledFont(canvas, font, painter);
    DrawText(canvas, x, y, std::string_view(text).substr(0, kFontTextBytes), inverse, painter);
}

// The picture itself drawn from its bitmap, as the panel shows it: every pixel that is not white is a dot.
void DrawPicture(Canvas& canvas, const PicFields& pic, Point at, PreviewCache& cache) {
    const RasterImage* dots = cache.Picture(pic.Bitmap);
    if (!dots) return;
    const Rect dest{at.X, at.Y, ClampToInt32(int64_t{at.X} + pic.Width),
                    ClampToInt32(int64_t{at.Y} + pic.Height)};
    canvas.StretchDraw(dest, *dots);
}

// Draws a lamp, hand or key picture, or the fallback picture when it cannot be loaded. False when the
// fallback cannot be loaded either.
bool DrawElementPicture(Canvas& canvas, const ElementPainter& painter, const std::string& name, int x, int y,
                        bool transparent, PaintOutcome& outcome) {
    const RasterImage* picture = painter.Cache.ElementPictures().Find(name);
    if (!picture) {
        picture = painter.Cache.ElementPictures().Find(kFallbackPictureName);
        if (!picture) {
            outcome.Complete = false;
            outcome.MissingFile = painter.Cache.ElementPictures().PathOf(kFallbackPictureName);
            return false;
        }
    }
    if (transparent)
        canvas.DrawTransparent(x, y, *picture);
    else
        canvas.Draw(x, y, *picture);
    return true;
}

}  // namespace

ElementPainter ElementPainterOf(const PreviewInput& input) {
    const PanelModel& model = ModelOrFirst(input.Model);
    return ElementPainter{RectContextOf(model.Index, input.TextCodePage), model.LampLetter,
                          model.KeypadLetter, input.Cache};
}

FontDesc PreviewCanvasFont(CodePage codePage, int previewScale) {
    FontDesc font;
    // The face name is stored in the project's code page; one without Chinese characters names the same
    // face by its Latin name, which the graphics maps to the same installed font.
    const Conversion chinese = FromUtf8("宋体", codePage);
    font.Name = chinese.Ok ? chinese.Text : "SimSun";
    font.Color = kBlack;
    font.SetHeight(previewScale);
    return font;
}

PaintOutcome DrawElementAt(Canvas& canvas, const Element& element, Point at, const ElementPainter& painter) {
    const FontDesc remembered = canvas.Font();
    const CodePage codePage = painter.Geometry.TextCodePage;
    const int z = painter.Geometry.PreviewScale;
    const int a = element.Double != 0 ? 2 * z : z;
    const int size = element.Double != 0 ? 2 : 1;
    const bool inverse = element.Inverse != 0;
    FontDesc rowFont = remembered;
    rowFont.SetHeight(a);
    canvas.SetFont(rowFont, codePage);

    PaintOutcome outcome;
    auto rect = [&] { return MovedTo(ElementRect(element, painter.Geometry), at); };
    std::visit(
        Overloaded{
            [](const std::monostate&) {},
            [&](const TextFields& f) { DrawText(canvas, at.X, at.Y, f.Content, inverse, painter); },
            [&](const RegFields& f) {
                DrawText(canvas, at.X, at.Y, SampleRegisterText(f), inverse, painter);
            },
            [&](const VarTextFields& f) {
                std::string text = f.Texts[0];
                const int64_t padded = VisibleRepeats(canvas, at.X, ' ', f.MaxLen, painter);
                if (padded > static_cast<int64_t>(text.size()))
                    text.append(static_cast<std::size_t>(padded) - text.size(), ' ');
                DrawText(canvas, at.X, at.Y, text, inverse, painter);
            },
            [&](const ASCIITextFields& f) {
                const int64_t count = VisibleRepeats(canvas, at.X, 'A', f.CharNum, painter);
                DrawText(canvas, at.X, at.Y, std::string(static_cast<std::size_t>(count), 'A'), inverse,
                         painter);
            },
            [&](const LampFields& f) {
                DrawElementPicture(canvas, painter,
                                   LampPictureName(painter.LampLetter, size, f.LampType, f.PosLogic != 0),
                                   at.X, at.Y, false, outcome);
            },
            [&](const FuncKeyFields& f) {
                const KeyAction& key = f.Action;
                int64_t keyX = at.X;
                if (key.WithHand != 0) {
                    if (!DrawElementPicture(canvas, painter,
                                            HandPictureName(painter.LampLetter, size, inverse), at.X, at.Y,
                                            false, outcome))
                        return;
                    keyX += a;
                }
                const bool invisible = key.Disappear != 0;
                DrawElementPicture(canvas, painter,
                                   KeyPictureName(painter.KeypadLetter, size, key.Key, inverse, invisible),
                                   ClampToInt32(keyX), at.Y, invisible, outcome);
            },
            [&](const TrendFields& f) { DrawTrendGraph(canvas, at.X, at.Y, f.Width, f.Height); },
            [&](const BarFields& f) { DrawBarGraph(canvas, at.X, at.Y, f.Width, f.Height, f.Direct); },
            [&](const PicFields& f) { DrawPicture(canvas, f, at, painter.Cache); },
            [&](const FontTextFields& f) {
                DrawFontText(canvas, at.X, at.Y, f.Font, f.Content, inverse, painter);
            },
            [&](const TouchKeyFields& f) {
                const bool invisible = f.Action.Disappear != 0;
                DrawTouchKeyFrame(canvas, rect(), invisible ? kSilver : kBlack);
                if (!invisible) {
                    DrawFontText(canvas, ClampToInt32(int64_t{at.X} + kTouchKeyLabelOffset),
                                 ClampToInt32(int64_t{at.Y} + kTouchKeyLabelOffset), f.Font, f.Content,
                                 inverse, painter);
                }
            },
            [&](const VarFontTextFields& f) {
                const Rect r = rect();
                canvas.SetBrushColor(kWhite);
                canvas.FillRect(r.Left, r.Top, r.Right, r.Bottom);
                DrawFontText(canvas, at.X, at.Y, f.Font, f.Texts[0], inverse, painter);
            },
        },
        element.Fields);
    canvas.SetFont(remembered, codePage);
    return outcome;
}

PaintOutcome DrawElement(Canvas& canvas, const Element& element, const ElementPainter& painter) {
    return DrawElementAt(canvas, element, Point{element.X, element.Y}, painter);
}

namespace {

// Grid dots two steps apart: single pixels on the larger panels, 2 x 2 blocks on the 64-row ones.
void DrawGridDots(Canvas& canvas, const PanelModel& model) {
    const int pitch = 2 * model.GridStep;
    const int block = model.ScreenHeight == 64 ? 2 : 1;
    for (int r = 1; r <= (canvas.Height() - 1) / pitch; ++r) {
        for (int c = 1; c <= (canvas.Width() - 1) / pitch; ++c) {
            for (int dy = 0; dy < block; ++dy)
                for (int dx = 0; dx < block; ++dx)
                    canvas.SetPixel(pitch * c - dx, pitch * r - dy, kGray);
        }
    }
}

}  // namespace

PaintOutcome RedrawPage(Canvas& canvas, const PreviewInput& input) {
    const PanelModel& model = ModelOrFirst(input.Model);
    const Size image = PreviewImageSize(model.Index);
    if (canvas.Width() != image.Width || canvas.Height() != image.Height)
        canvas.Resize(image.Width, image.Height);
    canvas.SetFont(PreviewCanvasFont(input.TextCodePage, model.PreviewScale), input.TextCodePage);
    canvas.SetPenColor(kBlack);
    canvas.SetBrushColor(kWhite);
    canvas.Fill();
    if (input.GridShown) DrawGridDots(canvas, model);

    const ElementPainter painter = ElementPainterOf(input);
    input.Cache.BeginRedraw();
    const std::vector<Element>& elements = input.PageToDraw.Elements;
    auto drawnAt = [&](const Element& element) {
        const PulledBack position = PullBackPosition(element, painter.Geometry, image);
        return Point{position.X, position.Y};
    };
    for (std::size_t i = elements.size(); i-- > 0;) {
        const PaintOutcome outcome = DrawElementAt(canvas, elements[i], drawnAt(elements[i]), painter);
        if (!outcome.Complete) {
            input.Cache.EndRedraw();
            return outcome;
        }
    }
    if (input.Selected && !elements.empty()) {
        const Element& selected = elements.front();
        ToggleFocusRect(canvas, MovedTo(ElementRect(selected, painter.Geometry), drawnAt(selected)));
    }
    input.Cache.EndRedraw();
    return PaintOutcome{};
}

}  // namespace qxed
