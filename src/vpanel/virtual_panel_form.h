#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/raster_image.h"
#include "vpanel/virtual_panel.h"

namespace qxed {

// One key of the panel window's keypad: the panel key and its caption (UTF-8).
struct PanelButton {
    int Code = 0;
    std::string Caption;
};

// One row of the PLC table: the operand's name, its value as shown, and whether it is a coil.
struct OperandRow {
    std::string Name;
    std::string Value;
    bool Coil = false;
};

// What the panel window shows; the widget implements it.
class VirtualPanelView {
  public:
    virtual ~VirtualPanelView() = default;
    // The screen in the panel's colours, every dot `scale` x `scale` pixels.
    virtual void ShowScreen(const RasterImage& screen) = 0;
    // The PLC table, one row per operand in the order of Operands().
    virtual void ShowOperands(const std::vector<OperandRow>& rows) = 0;
    // The line under the screen: page, what the panel shows, PLC run or stop.
    virtual void ShowStatus(const std::string& text) = 0;
};

// The words of the window's status line (UTF-8); the window takes them from the language file.
struct PanelStatusTexts {
    std::string Page = "page";
    std::string Password = "password";
    std::string AlarmList = "alarm list";
    std::string DateTime = "date/time";
    std::string ScreenSaver = "screen saver";
    std::string PlcRun = "PLC run";
    std::string PlcStop = "PLC stop";
};

// The panel window's logic: the running panel, its keypad as buttons, the desktop keys mapped onto it,
// touches on the enlarged screen and the table of the PLC operands the image uses. Every change redraws
// the view at once.
class VirtualPanelForm {
  public:
    VirtualPanelForm(VirtualPanel panel, VirtualPanelView& view, PanelStatusTexts texts = {});

    const VirtualPanel& Panel() const { return panel_; }
    // Dots per panel dot on the window: 3 on the 64-row panels, 2 on the larger ones.
    int Scale() const;
    // The model's keypad in its key list order.
    const std::vector<PanelButton>& Buttons() const { return buttons_; }
    const std::vector<UsedOperand>& Operands() const { return operands_; }

    // The handlers of the window.
    void KeyButtonPress(int code);
    void KeyButtonRelease(int code);
    // A desktop key by name ("0".."9", "Up", "Down", "Left", "Right", "Return", "Enter", "Escape",
    // "F1".."F10", and "Home", "S" for SET, "A" for ALARM, "PageUp", "PageDown", "+", "-", "Backspace",
    // "Delete"); true when it is a key of this panel.
    bool FormKeyDown(std::string_view key);
    void FormKeyUp(std::string_view key);
    // A mouse press and release on the enlarged screen at window pixel (x, y).
    void ScreenMouseDown(int x, int y);
    void ScreenMouseUp();
    // An edit of the PLC table's value cell of a row; a text that is no value for the operand is refused
    // (false) and the row shows its value again.
    bool OperandGridSetEditText(std::size_t row, const std::string& text);
    // The window's timer: the panel's clock moves on by the milliseconds passed.
    void TimerTick(int64_t milliseconds);

    // The keypad key a desktop key name plays, nullopt when none.
    static std::optional<int> KeyOfDesktopKey(std::string_view key);

  private:
    void Redraw();

    VirtualPanel panel_;
    VirtualPanelView& view_;
    PanelStatusTexts texts_;
    std::vector<PanelButton> buttons_;
    std::vector<UsedOperand> operands_;
    std::optional<int> heldKey_;
};

}  // namespace qxed
