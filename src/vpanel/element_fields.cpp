#include "vpanel/element_fields.h"

#include <variant>

namespace qxed::element_fields {

namespace {

template <class T>
const T* ValueOf(const ImageElement& element, std::string_view name) {
    const ImageField* field = element.Find(name);
    return field != nullptr ? std::get_if<T>(&field->Value) : nullptr;
}

}  // namespace

uint32_t Number(const ImageElement& element, std::string_view name) {
    const uint32_t* value = ValueOf<uint32_t>(element, name);
    return value != nullptr ? *value : 0;
}

bool Bit(const ImageElement& element, std::string_view name, int bit) {
    const ImageFlags* flags = ValueOf<ImageFlags>(element, name);
    return flags != nullptr && (flags->Bits >> bit & 1) != 0;
}

ImageOperand Operand(const ImageElement& element, std::string_view name) {
    const ImageOperand* operand = ValueOf<ImageOperand>(element, name);
    return operand != nullptr ? *operand : ImageOperand{};
}

ImageKeyAction KeyAction(const ImageElement& element, std::string_view name) {
    const ImageKeyAction* action = ValueOf<ImageKeyAction>(element, name);
    if (action != nullptr) return *action;
    ImageKeyAction none;
    none.Function = 3;
    return none;
}

const ImageText* Text(const ImageElement& element, std::string_view name) {
    return ValueOf<ImageText>(element, name);
}

std::span<const uint8_t> Bytes(std::span<const uint8_t> image, const ImageElement& element,
                               std::string_view name) {
    const ImageField* field = element.Find(name);
    if (field == nullptr || field->Offset > image.size() || field->Size > image.size() - field->Offset) return {};
    return image.subspan(field->Offset, field->Size);
}

}  // namespace qxed::element_fields
