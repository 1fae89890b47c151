#include "model/element_rules.h"

#include <algorithm>
#include <utility>

#include "gfx/text_render.h"
#include "model/editor_units.h"
#include "model/project.h"
#include "plc/operand_numbers.h"

namespace qxed {

namespace {

bool HasDoubleByteCharacters(CodePage codePage) {
    return codePage == CodePage::Gbk || codePage == CodePage::Cp949;
}

// Length of the text without its last character.
size_t WithoutLastCharacter(std::string_view text, CodePage codePage) {
    if (text.empty()) return 0;
    if (!HasDoubleByteCharacters(codePage)) return text.size() - 1;
    size_t start = 0;
    size_t last = 0;
    while (start < text.size()) {
        last = start;
        start += static_cast<uint8_t>(text[start]) >= 0x80 ? 2 : 1;
    }
    return last;
}

// Drops characters from the end until the measured width, plus the frame, fits.
bool ShortenUntilFits(std::string& text, const FontDesc& font, CodePage codePage, int z, int frame,
                      int previewWidth) {
    bool changed = false;
    if (text.size() > static_cast<size_t>(kLongTextCapacity)) {
        text = CutAtCharacter(text, kLongTextCapacity, codePage);
        changed = true;
    }
    while (!text.empty() && MeasureFontTextUnits(font, text, codePage, z).Width + frame > previewWidth) {
        text.resize(WithoutLastCharacter(text, codePage));
        changed = true;
    }
    return changed;
}

// Number of the last non-empty entry; empty entries before it count.
int32_t UsedEntries(const VarTextTable& texts) {
    const auto held = texts.Held();
    for (size_t i = held.size(); i > 0; --i)
        if (!held[i - 1].empty()) return static_cast<int32_t>(i);
    return 0;
}

bool IsVertical(int32_t direct) {
    return direct == BarFields::kUp || direct == BarFields::kDown;
}

}  // namespace

Size MeasureFontTextUnits(const FontDesc& font, std::string_view text, CodePage codePage, int z) {
    const Size pixels = MeasureText(font, text.substr(0, kLongTextCapacity), codePage);
    return Size{ToEditorUnits(pixels.Width, z), ToEditorUnits(pixels.Height, z)};
}

std::string CutAtCharacter(std::string_view text, int capacity, CodePage codePage) {
    if (capacity <= 0) return {};
    if (text.size() <= static_cast<size_t>(capacity)) return std::string(text);
    if (!HasDoubleByteCharacters(codePage)) return std::string(text.substr(0, capacity));
    size_t end = 0;
    while (end < text.size()) {
        const size_t next = end + (static_cast<uint8_t>(text[end]) >= 0x80 ? 2 : 1);
        if (next > static_cast<size_t>(capacity)) break;
        end = next;
    }
    return std::string(text.substr(0, end));
}

bool RecountVarText(VarTextFields& fields, int charsPerLine, CodePage codePage) {
    const VarTextFields before = fields;
    const int columns = std::clamp(charsPerLine, 0, kShortTextCapacity);
    for (std::string& text : fields.Texts.Held())
        text = CutAtCharacter(text, columns, codePage);
    fields.Count = UsedEntries(fields.Texts);
    int32_t longest = 0;
    for (int32_t i = 0; i < fields.Count; ++i)
        longest = std::max(longest, static_cast<int32_t>(fields.Texts[i].size()));
    fields.MaxLen = std::min(longest, static_cast<int32_t>(columns));
    return !(fields == before);
}

bool RefitVarFontText(VarFontTextFields& fields, CodePage codePage, int z, int previewWidth) {
    const VarFontTextFields before = fields;
    for (std::string& text : fields.Texts.Held())
        ShortenUntilFits(text, fields.Font, codePage, z, 0, previewWidth);
    fields.Count = UsedEntries(fields.Texts);
    int32_t widest = -1;
    Size widestSize;
    for (int32_t i = 0; i < fields.Count; ++i) {
        const Size size = MeasureFontTextUnits(fields.Font, fields.Texts[i], codePage, z);
        if (size.Width > widest) {
            widest = size.Width;
            widestSize = size;
        }
    }
    fields.MaxWidth = widestSize.Width;
    fields.MaxHeight = widestSize.Height;
    return !(fields == before);
}

bool ShortenToFit(Element& element, CodePage codePage, int z, int previewWidth) {
    // A touch key's label sits inside a 7-unit frame on each side.
    if (auto* text = element.If<FontTextFields>())
        return ShortenUntilFits(text->Content, text->Font, codePage, z, 0, previewWidth);
    if (auto* touch = element.If<TouchKeyFields>())
        return ShortenUntilFits(touch->Content, touch->Font, codePage, z, 14, previewWidth);
    return false;
}

bool SetBarDirection(Element& element, int32_t direct, Size preview) {
    auto* bar = element.If<BarFields>();
    if (!bar || bar->Direct == direct) return false;
    if (IsVertical(bar->Direct) != IsVertical(direct)) {
        std::swap(bar->Width, bar->Height);
        if (static_cast<int64_t>(element.X) + bar->Width > preview.Width)
            element.X = std::max(0, preview.Width - bar->Width);
        if (static_cast<int64_t>(element.Y) + bar->Height > preview.Height)
            element.Y = std::max(0, preview.Height - bar->Height);
    }
    bar->Direct = direct;
    return true;
}

bool SetKeyFunction(Element& element, uint8_t function) {
    KeyAction* action = ActionOf(element);
    if (!action) return false;
    bool changed = false;
    if (action->Function != function) {
        action->Function = function;
        changed = true;
    }
    auto* touch = element.If<TouchKeyFields>();
    if (touch && function != KeyAction::kSetCoil && touch->Indicate != 0) {
        touch->Indicate = 0;
        changed = true;
    }
    return changed;
}

bool SetRegisterNumber(Project& project, PlcAddress& address, int32_t shownNumber) {
    const int32_t stored = StoredRegisterNumber(project.Settings.PlcType, shownNumber);
    if (address.Number == stored) return false;
    address.Number = stored;
    return true;
}

}  // namespace qxed
