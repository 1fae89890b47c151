#include "vpanel/panel_keys.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "image/operand_encoding.h"
#include "model/key_codes.h"
#include "model/panel_model.h"

namespace qxed::panel_keys {

namespace {

constexpr std::array<const char*, 10> kControlNames = {"HOME", "LEFT", "RIGHT", "DOWN", "UP",
                                                       "SET",  "ENT",  "ALARM", "CLR",  "+-"};

}  // namespace

std::string KeyName(int code) {
    if (code >= 0 && code < 10) return kControlNames[static_cast<std::size_t>(code)];
    if (code >= kNum0 && code < kNum0 + 10) return std::string(1, static_cast<char>('0' + code - kNum0));
    if (code == kPrev) return "PREV";
    if (code == kNext) return "NEXT";
    if (code >= kF1 && code < kF1 + 10) return "F" + std::to_string(code - kF1 + 1);
    if (code >= kK1 && code < kK1 + 10) return "K" + std::to_string(code - kK1 + 1);
    return {};
}

std::optional<int> KeyOfName(std::string_view name) {
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    for (int code = 0; code < KeyCodeCount; ++code)
        if (KeyName(code) == upper) return code;
    return std::nullopt;
}

std::optional<int> KeyOfPosition(int position) {
    for (int code = 0; code < KeyCodeCount; ++code)
        if (KeyPosition(code) == position) return code;
    return std::nullopt;
}

int GlobalKeyCode(int index, int count) {
    if (count >= 20) return index < 10 ? kK1 + index : kF1 + index - 10;
    return kF1 + index;
}

std::vector<int> ModelKeys(int modelIndex) {
    const PanelModel* model = FindPanelModel(modelIndex);
    if (model == nullptr) return {};
    const std::span<const int> codes = KeypadKeyCodes(model->KeypadLayout);
    return std::vector<int>(codes.begin(), codes.end());
}

}  // namespace qxed::panel_keys
