#pragma once
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "text/text_key.h"

namespace qxed {

// The main window's actions, in the order of the action list.
enum class ActionId {
    FileNew,
    FileOpen,
    FileSave,
    FileSaveAs,
    FileImport,
    FileOutport,
    FileQx200Select,
    FilePlcSelect,
    FileSelectCommPort,
    FileDown,
    FileExit,
    EditCut1,
    EditCopy1,
    EditPaste1,
    EditUndo,
    EditRedo,
    EditDel,
    ToolNewPage,
    ToolPageAttr,
    ToolCopyPage,
    ToolDelPage,
    ToolAlarmList,
    ToolSetQx200,
    ToolHFuncKey,
    ToolVirtualPanel,
    ToolDispGrid,
    HelpAbout,
};
constexpr std::size_t kActionCount = static_cast<std::size_t>(ActionId::HelpAbout) + 1;

constexpr std::size_t IndexOf(ActionId id) {
    return static_cast<std::size_t>(id);
}

// One action: its name (the handler is the name followed by "Execute"), its texts, key, picture and the state
// the window is designed with.
struct ActionRow {
    ActionId Id;
    std::string_view Name;
    const TextKey* Caption;
    const TextKey* Hint;
    std::string_view Shortcut;  // "Ctrl+I", several separated by "; "; empty for none
    std::string_view Icon;      // picture name among the tool bar pictures; empty for none
    bool EnabledAtStart;
    bool VisibleAtStart;  // of the menu entry
    bool Checkable;
    bool CheckedAtStart;
};

std::span<const ActionRow> Actions();
const ActionRow& ActionOf(ActionId id);
std::optional<ActionId> ActionNamed(std::string_view name);

enum class MenuId { File, Edit, Tool, Help };

// An entry of a menu or of the tool bar: an action, or a separator.
struct MenuEntry {
    std::optional<ActionId> Action;
    bool HiddenAtStart = false;
};

// The entries of a menu of the main menu, in order. The Help menu's language choices are added by the
// window after these entries.
std::span<const MenuEntry> MenuEntries(MenuId menu);
const TextKey& MenuCaption(MenuId menu);
// The tool bar, left to right.
std::span<const MenuEntry> ToolBarEntries();
// The page list's context menu.
std::span<const ActionId> PageListMenuEntries();

}  // namespace qxed
