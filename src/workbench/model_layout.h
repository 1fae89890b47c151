#pragma once
#include <array>
#include <cstdint>
#include <optional>

#include "model/panel_model.h"

namespace qxed {

// The main window's vertical layout for one screen size; the widths never change.
struct MainWindowRows {
    int ViewImagePanelHeight;  // and SpeedButtonPanel
    int PropertyBoxesTop;
    int PageGroupBoxHeight;
    int PageStringGridHeight;
    int PageButtonsTop;  // NewPageButton, DeletePageButton
    int StatusBarsTop;
    int WindowHeight;  // outer height, menu and frame included
    bool operator==(const MainWindowRows&) const = default;
};

// The panel settings dialog's vertical layout.
struct PanelSettingsRows {
    int PeripheralCtrlGroupBoxHeight;
    int Qx200CtrlGroupBoxHeight;
    int ButtonsTop;  // OKBtn, CancelBtn
    int DialogHeight;
    bool operator==(const PanelSettingsRows&) const = default;
};

// Where Image1 lies inside ViewImagePanel: the panel's screen in preview pixels, centred.
struct PreviewPlacement {
    int Left;
    int Top;
    int Width;
    int Height;
    bool operator==(const PreviewPlacement&) const = default;
};

// What applying a panel model does to the windows, as data for the views: which controls are shown or
// enabled, the geometry of the main window and of the panel settings dialog, and the preview image.
struct ModelLayout {
    int Model = 0;

    // Jump to the date/time page: function key, touch key and global key choices.
    bool DateTimeJumpVisible = false;
    // Panel settings dialog options.
    bool DateTimeOptionVisible = false;  // DateTimeCheckBox, DateTimeDirectLabel
    bool StatusLedVisible = false;       // PanelStatusLed* controls
    bool StatusLedMoved = false;         // QX225: the status-LED controls take the date/time place
    bool AnalogVisible = true;           // AnalogInputOutputCheckBox, its label, ModuleNum*
    bool BlueGroundWhiteTextVisible = false;

    bool GlobalKeysVisible = false;     // ToolHFuncKey
    bool XFieldsEnabled = true;         // the ten X fields that the large panels disable
    std::array<bool, 4> SideMarkers{};  // F1Panel..F4Panel
    // Element buttons by kind code 1..12 (index 0 unused).
    std::array<bool, 13> ElementButtons{};

    MainWindowRows Rows{};
    PanelSettingsRows SettingsRows{};
    PreviewPlacement Image{};

    Keypad KeypadLayout = Keypad::None;
    int AsciiCharNumMax = 16;  // ASCIITextCharNumSpinEdit maximum
    int TextMaxLength = 24;    // TextContentEdit maximum length

    bool operator==(const ModelLayout&) const = default;
};

// The client area of the main window, designed for the largest screen.
constexpr int kMainWindowClientWidth = 721;
constexpr int kMainWindowClientHeight = 609;
// The outer height is the client height plus the window frame and the menu bar as designed.
constexpr int kMainWindowFrameHeight = 46;

// Fixed places of the main window's areas (client coordinates); the heights that depend on the screen come
// from MainWindowRows.
struct AreaRect {
    int Left;
    int Top;
    int Width;
};
constexpr AreaRect kToolBar1{0, 0, kMainWindowClientWidth};
constexpr int kToolBarHeight = 29;
constexpr AreaRect kPageGroupBox{4, 36, 169};
constexpr AreaRect kViewImagePanel{177, 36, 458};
constexpr AreaRect kSpeedButtonPanel{639, 36, 78};
constexpr int kPropertyBoxesLeft = 177;
constexpr int kPropertyBoxesWidth = 540;
constexpr int kStatusBarHeight = 20;
constexpr int kQx200ModelStatusBarWidth = 97;
// The side key markers of the large panels, inside ViewImagePanel.
constexpr int kSideMarkerLeft = 432;
constexpr std::array<int, 4> kSideMarkerTops{32, 102, 172, 242};
constexpr int kSideMarkerWidth = 14;
constexpr int kSideMarkerHeight = 41;

// The layout of a model; a model outside the table gets the first model's.
ModelLayout ModelLayoutOf(int model);

// The layout the window has before any model is applied: the designed (largest) geometry, every element
// button shown, the preview of the first model.
ModelLayout DesignedLayout();

// Bits of CtrlFlags for the options a model does not offer (the clock module, the status LEDs), which
// applying it clears.
uint8_t CtrlFlagsClearedBy(int model);
// The global key count a model gives a project, or nullopt where it leaves the count as it is.
std::optional<int32_t> GlobalKeyCountOf(int model);

}  // namespace qxed
