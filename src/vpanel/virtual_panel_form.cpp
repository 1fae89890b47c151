#include "vpanel/virtual_panel_form.h"

#include <algorithm>
#include <charconv>

#include "model/panel_model.h"
#include "vpanel/panel_keys.h"
#include "vpanel/screen_picture.h"

namespace qxed {

using namespace panel_keys;

namespace {

struct DesktopKey {
    std::string_view Name;
    int Code;
};

// clang-format off
constexpr DesktopKey kDesktopKeys[] = {
    {"Up", kUp}, {"Down", kDown}, {"Left", kLeft}, {"Right", kRight}, {"Return", kEnt}, {"Enter", kEnt},
    {"Escape", kClr}, {"Backspace", kClr}, {"Delete", kClr}, {"Home", kHome}, {"S", kSet}, {"A", kAlarm},
    {"PageUp", kPrev}, {"PageDown", kNext}, {"+", kPlusMinus}, {"-", kPlusMinus},
};
// clang-format on

// The captions of the keys as the panel's key caps show them.
std::string Caption(int code) {
    switch (code) {
        case kHome:
            return "↑";
        case kLeft:
            return "<";
        case kRight:
            return ">";
        case kDown:
            return "∨";
        case kUp:
            return "∧";
        case kPlusMinus:
            return "±";
        default:
            return KeyName(code);
    }
}

}  // namespace

VirtualPanelForm::VirtualPanelForm(VirtualPanel panel, VirtualPanelView& view, PanelStatusTexts texts)
    : panel_(std::move(panel)), view_(view), texts_(std::move(texts)), operands_(panel_.UsedOperands()) {
    for (const int code : panel_.Keys())
        buttons_.push_back(PanelButton{code, Caption(code)});
    Redraw();
}

int VirtualPanelForm::Scale() const {
    return panel_.ScreenHeight() <= 64 ? 3 : 2;
}

std::optional<int> VirtualPanelForm::KeyOfDesktopKey(std::string_view key) {
    if (key.size() == 1 && key[0] >= '0' && key[0] <= '9') return kNum0 + (key[0] - '0');
    if (key.size() >= 2 && key[0] == 'F') {
        int number = 0;
        const auto [end, error] = std::from_chars(key.data() + 1, key.data() + key.size(), number);
        if (error == std::errc() && end == key.data() + key.size() && number >= 1 && number <= 10)
            return kF1 + number - 1;
    }
    for (const DesktopKey& mapped : kDesktopKeys)
        if (mapped.Name == key) return mapped.Code;
    return std::nullopt;
}

void VirtualPanelForm::KeyButtonPress(int code) {
    panel_.KeyDown(code);
    Redraw();
}

void VirtualPanelForm::KeyButtonRelease(int code) {
    panel_.KeyUp(code);
    Redraw();
}

bool VirtualPanelForm::FormKeyDown(std::string_view key) {
    const std::optional<int> code = KeyOfDesktopKey(key);
    if (!code || heldKey_ == code) return code.has_value();  // auto-repeat presses once
    if (!panel_.KeyDown(*code)) return false;
    heldKey_ = code;
    Redraw();
    return true;
}

void VirtualPanelForm::FormKeyUp(std::string_view key) {
    const std::optional<int> code = KeyOfDesktopKey(key);
    if (!code || heldKey_ != code) return;
    heldKey_.reset();
    panel_.KeyUp(*code);
    Redraw();
}

void VirtualPanelForm::ScreenMouseDown(int x, int y) {
    if (x < 0 || y < 0) return;
    panel_.TouchDown(x / Scale(), y / Scale());
    Redraw();
}

void VirtualPanelForm::ScreenMouseUp() {
    panel_.TouchUp();
    Redraw();
}

bool VirtualPanelForm::OperandGridSetEditText(std::size_t row, const std::string& text) {
    if (row >= operands_.size()) return false;
    const UsedOperand& operand = operands_[row];
    std::string trimmed = text;
    trimmed.erase(0, trimmed.find_first_not_of(' '));
    trimmed.erase(trimmed.find_last_not_of(' ') + 1);
    int64_t value = 0;
    const auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    const bool number = error == std::errc() && end == trimmed.data() + trimmed.size() && !trimmed.empty();
    const bool fits = operand.Coil ? number && (value == 0 || value == 1) : number && value >= -32768 && value <= 65535;
    if (fits) {
        if (operand.Coil)
            panel_.SetCoil(operand.Operand, value == 1);
        else
            panel_.SetRegister(operand.Operand, static_cast<uint16_t>(value));
    }
    Redraw();
    return fits;
}

void VirtualPanelForm::TimerTick(int64_t milliseconds) {
    const uint64_t revision = panel_.Plc().Revision();
    const MonoBitmap before = panel_.Screen();
    const bool saver = panel_.ScreenSaverOn();
    panel_.Advance(milliseconds);
    // Most ticks change nothing: the view is only redrawn when the panel did.
    if (panel_.Plc().Revision() != revision || panel_.ScreenSaverOn() != saver || panel_.Screen() != before)
        Redraw();
}

void VirtualPanelForm::Redraw() {
    view_.ShowScreen(ScreenPicture(panel_, Scale()));
    std::vector<OperandRow> rows;
    for (const UsedOperand& operand : operands_) {
        const int value = operand.Coil ? panel_.Plc().Coil(operand.Operand) : panel_.Plc().Word(operand.Operand);
        rows.push_back(OperandRow{OperandName(operand.Operand, operand.Coil), std::to_string(value), operand.Coil});
    }
    view_.ShowOperands(rows);
    std::string status = texts_.Page + " " + std::to_string(panel_.CurrentPage());
    switch (panel_.View()) {
        case PanelView::Password:
            status += ", " + texts_.Password;
            break;
        case PanelView::AlarmList:
            status += ", " + texts_.AlarmList;
            break;
        case PanelView::DateTime:
            status += ", " + texts_.DateTime;
            break;
        case PanelView::Page:
            break;
    }
    if (panel_.ScreenSaverOn()) status += ", " + texts_.ScreenSaver;
    if (const std::optional<bool> run = panel_.PlcRunRequest()) status += ", " + (*run ? texts_.PlcRun : texts_.PlcStop);
    view_.ShowStatus(status);
}

}  // namespace qxed
