#pragma once
#include <array>
#include <string>
#include <vector>

#include "workbench/action_table.h"
#include "workbench/model_layout.h"

namespace qxed {

struct ActionState {
    bool Enabled = true;
    bool Visible = true;  // of the menu entry
    bool Checked = false;
    bool operator==(const ActionState&) const = default;
};

// Everything the main window shows that its logic decides: the view applies it as a whole.
struct MainWindowState {
    std::string Caption;  // UTF-8; also the application's title
    std::array<ActionState, kActionCount> Actions{};

    bool ViewImagePanelEnabled = false;
    bool Image1Visible = true;
    bool SpeedButtonPanelVisible = true;
    bool PageGroupBoxEnabled = false;
    bool PropertyBoxesVisible = true;

    std::string ModelStatus;  // UTF-8, in Qx200ModelStatusBar
    ModelLayout Layout;
    bool GridShown = true;
    std::vector<std::string> RecentFiles;  // the File menu's last projects, newest first

    const ActionState& Action(ActionId id) const { return Actions[IndexOf(id)]; }
    ActionState& Action(ActionId id) { return Actions[IndexOf(id)]; }
    bool operator==(const MainWindowState&) const = default;
};

// The main window as its logic sees it.
class QX200AppFormView {
  public:
    virtual ~QX200AppFormView() = default;
    virtual void ShowState(const MainWindowState& state) = 0;
    // FileExit: the window closes (and asks its close question through the logic).
    virtual void CloseWindow() = 0;
};

}  // namespace qxed
