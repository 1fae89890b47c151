#include "model/element.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace qxed {

namespace {

// Indexed by kind code; the names are those of the files' kind table.
constexpr std::array<std::string_view, kLastElementKind + 1> kKindNames = {
    "",    "Text",    "Reg",      "Lamp",     "FuncKey",     "Trend",     "Bar",
    "Pic", "VarText", "FontText", "TouchKey", "VarFontText", "ASCIIText",
};

}  // namespace

std::string_view KindName(int32_t code) {
    return IsKnownKind(code) ? kKindNames[code] : std::string_view{};
}

std::optional<int32_t> KindOfName(std::string_view name) {
    for (int32_t code = kFirstElementKind; code <= kLastElementKind; ++code)
        if (kKindNames[code] == name) return code;
    return std::nullopt;
}

const std::string& VarTextTable::operator[](size_t index) const {
    static const std::string empty;
    return index < held_.size() ? held_[index] : empty;
}

std::string& VarTextTable::operator[](size_t index) {
    if (index >= size()) throw std::out_of_range("variable text entry beyond 255");
    if (index >= held_.size()) held_.resize(index + 1);
    return held_[index];
}

bool VarTextTable::operator==(const VarTextTable& other) const {
    const size_t common = std::min(held_.size(), other.held_.size());
    for (size_t i = 0; i < common; ++i)
        if (held_[i] != other.held_[i]) return false;
    const auto& longer = held_.size() > other.held_.size() ? held_ : other.held_;
    for (size_t i = common; i < longer.size(); ++i)
        if (!longer[i].empty()) return false;
    return true;
}

KeyAction* ActionOf(Element& element) {
    return const_cast<KeyAction*>(ActionOf(static_cast<const Element&>(element)));
}

const KeyAction* ActionOf(const Element& element) {
    if (const auto* key = element.If<FuncKeyFields>()) return &key->Action;
    if (const auto* touch = element.If<TouchKeyFields>()) return &touch->Action;
    return nullptr;
}

FontDesc* FontOf(Element& element) {
    return const_cast<FontDesc*>(FontOf(static_cast<const Element&>(element)));
}

const FontDesc* FontOf(const Element& element) {
    if (const auto* text = element.If<FontTextFields>()) return &text->Font;
    if (const auto* touch = element.If<TouchKeyFields>()) return &touch->Font;
    if (const auto* var = element.If<VarFontTextFields>()) return &var->Font;
    return nullptr;
}

}  // namespace qxed
