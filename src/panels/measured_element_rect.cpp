#include "panels/measured_element_rect.h"

#include <algorithm>
#include <cstdint>

#include "model/element_rules.h"
#include "model/panel_model.h"
#include "model/project.h"

namespace qxed {

namespace {

constexpr int kSymbolBytes = 2;  // a lamp, hand or key symbol is one double-byte character
constexpr int kTouchKeyFrame = 14;

// Characters of the register placeholder: a sign for signed or float values, the digits before the point
// (at least one) and the point with the decimals.
int RegisterCharacters(const RegFields& reg) {
    const int digits = std::clamp(reg.Digits, 1, 10);
    const int decimals = std::clamp(reg.DecimalDigits, 0, digits);
    const int sign = reg.Unsigned == 0 || reg.Float != 0 ? 1 : 0;
    return sign + std::max(digits - decimals, 1) + (decimals > 0 ? 1 + decimals : 0);
}

int Characters(const Element& element) {
    if (const auto* text = element.If<TextFields>()) return static_cast<int>(text->Content.size());
    if (const auto* reg = element.If<RegFields>()) return RegisterCharacters(*reg);
    if (element.If<LampFields>() != nullptr) return kSymbolBytes;
    if (const auto* key = element.If<FuncKeyFields>())
        return kSymbolBytes + (key->Action.WithHand != 0 && key->Action.Disappear == 0 ? kSymbolBytes : 0);
    if (const auto* var = element.If<VarTextFields>()) return std::clamp(var->MaxLen, 0, kShortTextCapacity);
    if (const auto* ascii = element.If<ASCIITextFields>()) return std::clamp(ascii->CharNum, 0, 65535);
    return 0;
}

}  // namespace

Rect MeasuredElementRect(const Element& element, const Project& project) {
    const PanelModel* model = FindPanelModel(project.Settings.CurrentModel);
    const int z = (model != nullptr ? model : FindPanelModel(0))->PreviewScale;
    const CodePage codePage = project.Defaults.TextCodePage;
    Size size;
    if (const auto* graph = element.If<TrendFields>())
        size = {graph->Width, graph->Height};
    else if (const auto* bar = element.If<BarFields>())
        size = {bar->Width, bar->Height};
    else if (const auto* pic = element.If<PicFields>())
        size = {pic->Width, pic->Height};
    else if (const auto* text = element.If<FontTextFields>())
        size = MeasureFontTextUnits(text->Font, text->Content, codePage, z);
    else if (const auto* touch = element.If<TouchKeyFields>()) {
        size = MeasureFontTextUnits(touch->Font, touch->Content, codePage, z);
        size.Width += kTouchKeyFrame;
        size.Height += kTouchKeyFrame;
    } else if (const auto* var = element.If<VarFontTextFields>())
        size = {var->MaxWidth, var->MaxHeight};
    else {
        const int scale = element.Double != 0 ? 2 : 1;
        size = {Characters(element) * z / 2 * scale, z * scale};
    }
    const auto edge = [](int64_t v) {
        return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
    };
    return Rect{element.X, element.Y, edge(int64_t{element.X} + size.Width),
                edge(int64_t{element.Y} + size.Height)};
}

}  // namespace qxed
