#include "workbench/model_layout.h"

#include "model/element.h"
#include "model/project_settings.h"

namespace qxed {

namespace {

// Main window rows by screen: 320 x 240, 240 x 128, 64 rows.
constexpr MainWindowRows kRows320x240{326, 368, 549, 487, 512, 589, 655};
constexpr MainWindowRows kRows240x128{186, 228, 409, 347, 372, 449, 515};
constexpr MainWindowRows kRows64{170, 212, 393, 331, 356, 433, 499};

// Panel settings rows: the large panels, the small ones without a date/time option, all others.
constexpr PanelSettingsRows kSettingsLarge{157, 333, 520, 587};
constexpr PanelSettingsRows kSettingsSmall{81, 257, 444, 510};
constexpr PanelSettingsRows kSettingsOther{105, 281, 468, 534};

enum ModelIndex {
    QX210,
    QX220,
    QX420,
    QX221,
    QX222,
    QX204,
    QX223,
    QX421,
    QX2201,
    QX205,
    QX325,
    QX224,
    QX225
};

bool IsSmallWithoutClock(int model) {
    return model == QX210 || model == QX204 || model == QX205;
}

PreviewPlacement PlacementOf(const PanelModel& panel, int panelHeight) {
    const PreviewSize size = PreviewSizeOf(panel);
    return {(kViewImagePanel.Width - size.Width) / 2, (panelHeight - size.Height) / 2, size.Width,
            size.Height};
}

void ShowElementButtons(ModelLayout& layout, bool touchKeys) {
    layout.ElementButtons.fill(true);
    layout.ElementButtons[0] = false;
    layout.ElementButtons[static_cast<int>(ElementKind::TouchKey)] = touchKeys;
}

}  // namespace

ModelLayout ModelLayoutOf(int model) {
    const PanelModel* panel = FindPanelModel(model);
    if (panel == nullptr) {
        model = 0;
        panel = FindPanelModel(0);
    }
    ModelLayout layout;
    layout.Model = model;
    layout.KeypadLayout = panel->KeypadLayout;
    layout.AsciiCharNumMax = panel->AlarmCapacity / 8;
    layout.TextMaxLength = panel->CharsPerLine;
    ShowElementButtons(layout, panel->TouchKeys);

    if (IsLargePanel(model)) {
        layout.DateTimeJumpVisible = true;
        layout.DateTimeOptionVisible = true;
        layout.StatusLedVisible = true;
        layout.BlueGroundWhiteTextVisible = true;
        layout.GlobalKeysVisible = true;
        layout.XFieldsEnabled = false;
        layout.SideMarkers = {true, true, model == QX420, model == QX420};
        layout.Rows = panel->ScreenHeight == 240 ? kRows320x240 : kRows240x128;
        layout.SettingsRows = kSettingsLarge;
    } else {
        if (IsSmallWithoutClock(model)) {
            layout.SettingsRows = kSettingsSmall;
        } else {
            layout.DateTimeJumpVisible = true;
            layout.DateTimeOptionVisible = model != QX225;
            layout.StatusLedVisible = model == QX225;
            layout.StatusLedMoved = model == QX225;
            layout.AnalogVisible = model != QX225;
            layout.GlobalKeysVisible = panel->GlobalKeyCount != kGlobalKeysUnchanged;
            layout.SettingsRows = kSettingsOther;
        }
        layout.Rows = kRows64;
    }
    layout.Image = PlacementOf(*panel, layout.Rows.ViewImagePanelHeight);
    return layout;
}

ModelLayout DesignedLayout() {
    ModelLayout layout = ModelLayoutOf(0);
    ShowElementButtons(layout, true);
    layout.GlobalKeysVisible = true;
    layout.Rows = kRows320x240;
    layout.Image = PlacementOf(*FindPanelModel(0), layout.Rows.ViewImagePanelHeight);
    return layout;
}

uint8_t CtrlFlagsClearedBy(int model) {
    const ModelLayout layout = ModelLayoutOf(model);
    uint8_t cleared = 0;
    if (!layout.DateTimeOptionVisible) cleared |= ProjectSettings::kDateTime;
    if (!layout.StatusLedVisible) cleared |= ProjectSettings::kPanelStatusLed;
    return cleared;
}

std::optional<int32_t> GlobalKeyCountOf(int model) {
    const PanelModel* panel = FindPanelModel(model);
    if (panel == nullptr || panel->GlobalKeyCount == kGlobalKeysUnchanged) return std::nullopt;
    return panel->GlobalKeyCount;
}

}  // namespace qxed
