#include "model/key_codes.h"

#include <array>

namespace qxed {
namespace {

using enum SymbolId;

// clang-format off
constexpr std::array<SymbolId, KeyCodeCount> kKeySymbols{
    HomeKey, LeftKey, RightKey, DownKey, UpKey, SetKey, EntKey, AlarmKey, ClrKey, PlusMinusKey,   //  0.. 9
    Num0Key, Num1Key, Num2Key, Num3Key, Num4Key, Num5Key, Num6Key, Num7Key, Num8Key, Num9Key,     // 10..19
    PrevKey, NextKey,                                                                             // 20..21
    F1Key, F2Key, F3Key, F4Key, F5Key, F6Key, F7Key, F8Key, F9Key, F10Key,                        // 22..31
    K1Key, K2Key, K3Key, K4Key, K5Key, K6Key, K7Key, K8Key, K9Key, K10Key,                        // 32..41
};

// Key codes of each keypad in the order of its function key list.
constexpr int kQx210Keys[] = {0, 1, 2, 3, 4, 5, 6};
constexpr int kQx22Keys[] = {0, 7, 3, 4, 1, 2, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
constexpr int kQx222Keys[] = {22, 23, 24, 25, 26, 27, 28, 29, 0, 7, 3, 4, 5, 6, 8, 9,
                              10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
constexpr int kQx325Keys[] = {22, 23, 24, 25, 0, 3, 4, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
constexpr int kQx420Keys[] = {22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41,
                              0, 7, 6, 4, 3, 1, 2, 5, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21};
// clang-format on

struct KeypadRow {
    Keypad Layout;
    std::string_view Section;
    std::span<const int> Codes;
};

constexpr KeypadRow kKeypads[] = {
    {Keypad::None, "", {}},
    {Keypad::Qx210Key, "Qx210Key", kQx210Keys},
    {Keypad::Qx22Key, "Qx22Key", kQx22Keys},
    {Keypad::Qx222Key, "Qx222Key", kQx222Keys},
    {Keypad::Qx325Key, "Qx325Key", kQx325Keys},
    {Keypad::Qx420Key, "Qx420Key", kQx420Keys},
};

const KeypadRow& RowOf(Keypad keypad) {
    for (const KeypadRow& row : kKeypads) {
        if (row.Layout == keypad) return row;
    }
    return kKeypads[0];
}

std::span<const int> CodesOfModel(int modelIndex) {
    const PanelModel* model = FindPanelModel(modelIndex);
    return model ? RowOf(model->KeypadLayout).Codes : std::span<const int>{};
}

}  // namespace

std::optional<SymbolId> KeySymbolOf(int keyCode) {
    if (keyCode < 0 || keyCode >= KeyCodeCount) return std::nullopt;
    return kKeySymbols[static_cast<std::size_t>(keyCode)];
}

std::string_view KeypadSection(Keypad keypad) {
    return RowOf(keypad).Section;
}

std::span<const int> KeypadKeyCodes(Keypad keypad) {
    return RowOf(keypad).Codes;
}

int KeyCodeAt(int modelIndex, int position, int currentCode) {
    std::span<const int> codes = CodesOfModel(modelIndex);
    if (position < 0 || static_cast<std::size_t>(position) >= codes.size()) return currentCode;
    return codes[static_cast<std::size_t>(position)];
}

int ListPositionOf(int modelIndex, int keyCode) {
    std::span<const int> codes = CodesOfModel(modelIndex);
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (codes[i] == keyCode) return static_cast<int>(i);
    }
    return static_cast<int>(codes.size());
}

}  // namespace qxed
