#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "gfx/mono_bitmap.h"
#include "image/image_reader.h"
#include "vpanel/panel_font.h"
#include "vpanel/simulated_plc.h"

namespace qxed {

// What the panel shows besides the project's pages.
enum class PanelView { Page, Password, AlarmList, DateTime };

// An operand the image reads or writes, for the PLC table of the panel window and the state a script gets.
struct UsedOperand {
    ImageOperand Operand;
    bool Coil = false;
    bool operator==(const UsedOperand&) const = default;
};

struct PanelStartResult;

// A compiled image run as the panel would run it, without hardware: the pages from the home page on, a
// simulated PLC, the keypad of the model, touch keys, register entry, the password, the alarm list, the
// control registers and the screen saver. Time is an input: Advance moves the panel's clock, nothing reads
// the wall clock.
class VirtualPanel {
  public:
    // Decodes the image for the model; the error says why an image is refused.
    static PanelStartResult Start(std::vector<uint8_t> image, int modelIndex, PanelFont font);

    const DecodedImage& Image() const { return image_; }
    int Model() const { return image_.Model; }
    int ScreenWidth() const { return width_; }
    int ScreenHeight() const { return height_; }
    // White on blue instead of dark on the screen's grey-green.
    bool BlueScreen() const;

    // The current page's number; at the start the home page, which shows nothing when the image lacks it.
    uint16_t CurrentPage() const { return currentPage_; }
    PanelView View() const { return view_; }
    bool BacklightOn() const { return !(saverOn_ && image_.Settings.ScreenSaveTurnOffLight != 0); }
    bool ScreenSaverOn() const { return saverOn_; }
    // The register being entered (element index) and what has been typed.
    std::optional<std::size_t> EntryElement() const;
    // The last PLC run (true) or stop (false) a key asked for.
    std::optional<bool> PlcRunRequest() const { return plcRun_; }

    // Shows a page of the image as a jump would; false when the image has no such page.
    bool ShowPage(uint16_t number);

    const SimulatedPlc& Plc() const { return plc_; }
    // Changes the PLC state from outside (a script, the panel window's table); the panel then follows the
    // control registers as it would after a PLC scan.
    void SetRegister(const ImageOperand& operand, uint16_t value);
    void SetCoil(const ImageOperand& operand, bool on);

    // The keys of the model's keypad.
    const std::vector<int>& Keys() const { return keys_; }
    // Presses a key; false for a key the model's keypad does not have. A momentary coil stays on until
    // KeyUp. Press is KeyDown then KeyUp.
    bool KeyDown(int code);
    void KeyUp(int code);
    bool Press(int code);
    // A touch at a screen position: the topmost visible or invisible touch key there runs its action.
    // False when no touch key takes it.
    bool TouchDown(int x, int y);
    void TouchUp();
    bool Touch(int x, int y);

    // Moves the panel's clock on: trend samples, the screen saver, the date/time registers.
    void Advance(int64_t milliseconds);
    int64_t Clock() const { return clock_; }
    // The seconds since 2000-01-01 00:00:00 the clock module shows at clock 0.
    void SetDateTimeStart(int64_t seconds);
    int64_t DateTimeSeconds() const { return dateStart_ + clock_ / 1000; }

    // The screen as it is now, ScreenWidth x ScreenHeight dots.
    MonoBitmap Screen() const;

    // Every operand the image refers to, registers as their single words, sorted, without repeats.
    std::vector<UsedOperand> UsedOperands() const;

  private:
    // What runs once the password is given: a key action, or the entry of a register.
    struct PendingAction {
        std::optional<ImageKeyAction> Action;
        int Key = -1;
        std::optional<std::size_t> EntryElement;
    };
    struct Entry {
        std::size_t Element = 0;
        std::string Digits;
        bool Negative = false;
    };

    VirtualPanel() = default;
    const ImageElement* ElementOnPage(std::size_t index) const;
    std::optional<std::size_t> PageIndex(uint16_t number) const;
    bool GoToPage(uint16_t number);
    void ShowView(PanelView view);
    void RunAction(const ImageKeyAction& action, bool protectedAction, int key);
    void Perform(const ImageKeyAction& action, int key);
    bool PageKey(int code);
    bool EntryKey(int code);
    bool PasswordKey(int code);
    bool ListKey(int code);
    void StartEntry();
    void FinishEntry();
    void Follow();  // the control registers after every change
    void SampleTrends(int64_t from, int64_t to);
    void DrawPassword(MonoBitmap& screen) const;
    void DrawAlarmList(MonoBitmap& screen) const;
    void DrawDateTime(MonoBitmap& screen) const;

    std::vector<uint8_t> bytes_;
    DecodedImage image_;
    std::shared_ptr<const PanelFont> font_;
    int width_ = 0;
    int height_ = 0;
    std::vector<int> keys_;
    SimulatedPlc plc_;

    uint16_t currentPage_ = 0;
    PanelView view_ = PanelView::Page;
    std::optional<Entry> entry_;
    bool unlocked_ = false;
    std::string password_;
    bool passwordRefused_ = false;
    std::optional<PendingAction> pending_;
    std::map<int, ImageOperand> momentary_;  // coils held on, by key (-1 for a touch)
    int listTop_ = 0;
    std::optional<bool> plcRun_;

    int64_t clock_ = 0;
    int64_t idleSince_ = 0;
    bool saverOn_ = false;
    int64_t dateStart_ = 0;
    std::map<std::size_t, std::deque<uint32_t>> trendSamples_;
    std::map<std::size_t, int64_t> nextSample_;

    // The control register block.
    std::optional<ImageOperand> autoPageReg_, reportPageReg_, dateTimeReg_;
    uint16_t lastAutoPage_ = 0;
};

struct PanelStartResult {
    std::optional<VirtualPanel> Panel;
    std::string Error;
};

}  // namespace qxed
