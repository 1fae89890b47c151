#include "workbench/action_table.h"

#include <array>

#include "text/texts.h"

namespace qxed {

namespace {

using A = ActionId;
namespace t = texts;

// clang-format off
constexpr std::array<ActionRow, kActionCount> kActions{{
    // id                   name                  caption                          hint                          key       icon           enabled visible check  checked
    {A::FileNew,            "FileNew",            &t::FileNewCaption,              &t::FileNewHint,              "Ctrl+I", "file-new",    true,  true,  false, false},
    {A::FileOpen,           "FileOpen",           &t::FileOpenCaption,             &t::FileOpenHint,             "Ctrl+O", "file-open",   true,  true,  false, false},
    {A::FileSave,           "FileSave",           &t::FileSaveCaption,             &t::FileSaveHint,             "Ctrl+S", "file-save",   false, true,  false, false},
    {A::FileSaveAs,         "FileSaveAs",         &t::FileSaveAsCaption,           &t::FileSaveAsHint,           "",       "file-save-as", false, true, false, false},
    {A::FileImport,         "FileImport",         &t::FileImportCaption,           &t::FileImportHint,           "",       "file-import", true,  true,  false, false},
    {A::FileOutport,        "FileOutport",        &t::FileOutportCaption,          &t::FileOutportHint,          "",       "file-export", false, false, false, false},
    {A::FileQx200Select,    "FileQx200Select",    &t::FileQx200SelectCaption,      &t::FileQx200SelectHint,      "",       "",            false, false, false, false},
    {A::FilePlcSelect,      "FilePlcSelect",      &t::FilePlcSelectCaption,        &t::FilePlcSelectHint,        "",       "",            false, true,  false, false},
    {A::FileSelectCommPort, "FileSelectCommPort", &t::FileSelectCommPortCaption,   &t::FileSelectCommPortHint,   "",       "",            true,  true,  false, false},
    {A::FileDown,           "FileDown",           &t::FileDownCaption,             &t::FileDownHint,             "",       "file-down",   false, true,  false, false},
    {A::FileExit,           "FileExit",           &t::FileExitCaption,             &t::FileExitHint,             "",       "",            true,  true,  false, false},
    {A::EditCut1,           "EditCut1",           &t::EditCut1Caption,             &t::EditCut1Hint,             "Ctrl+X", "edit-cut",    true,  true,  false, false},
    {A::EditCopy1,          "EditCopy1",          &t::EditCopy1Caption,            &t::EditCopy1Hint,            "Ctrl+C", "edit-copy",   true,  true,  false, false},
    {A::EditPaste1,         "EditPaste1",         &t::EditPaste1Caption,           &t::EditPaste1Hint,           "Ctrl+V", "edit-paste",  true,  true,  false, false},
    {A::EditUndo,           "EditUndo",           &t::EditUndoCaption,             &t::EditUndoHint,             "Ctrl+Z", "edit-undo",   false, true,  false, false},
    {A::EditRedo,           "EditRedo",           &t::EditRedoCaption,             &t::EditRedoHint,             "Ctrl+Y; Ctrl+Shift+Z", "edit-redo", false, true, false, false},
    {A::EditDel,            "EditDel",            &t::EditDelCaption,              &t::EditDelHint,              "Ctrl+D; Del", "edit-delete", false, true,  false, false},
    {A::ToolNewPage,        "ToolNewPage",        &t::ToolNewPageCaption,          &t::ToolNewPageHint,          "",       "page-new",    false, true,  false, false},
    {A::ToolPageAttr,       "ToolPageAttr",       &t::ToolPageAttrCaption,         &t::ToolPageAttrHint,         "",       "page-attr",   false, true,  false, false},
    {A::ToolCopyPage,       "ToolCopyPage",       &t::ToolCopyPageCaption,         &t::ToolCopyPageHint,         "",       "page-copy",   false, true,  false, false},
    {A::ToolDelPage,        "ToolDelPage",        &t::ToolDelPageCaption,          &t::ToolDelPageHint,          "",       "page-delete", false, true,  false, false},
    {A::ToolAlarmList,      "ToolAlarmList",      &t::ToolAlarmListCaption,        &t::ToolAlarmListHint,        "",       "alarm-list",  false, true,  false, false},
    {A::ToolSetQx200,       "ToolSetQx200",       &t::ToolSetQx200Caption,         &t::ToolSetQx200Hint,         "",       "panel-settings", false, true, false, false},
    {A::ToolHFuncKey,       "ToolHFuncKey",       &t::ToolHFuncKeyCaption,         &t::ToolHFuncKeyHint,         "",       "global-keys", false, true,  false, false},
    {A::ToolVirtualPanel,   "ToolVirtualPanel",   &t::ToolVirtualPanelCaption,     &t::ToolVirtualPanelHint,     "F9",     "",            false, true,  false, false},
    {A::ToolDispGrid,       "ToolDispGrid",       &t::ToolDispGridCaption,         &t::ToolDispGridHint,         "",       "",            false, true,  true,  true},
    {A::HelpAbout,          "HelpAbout",          &t::HelpAboutCaption,            &t::HelpAboutHint,            "",       "",            true,  true,  false, false},
}};
// clang-format on

constexpr MenuEntry kSeparator{};

constexpr std::array kFileMenu{
    MenuEntry{A::FileNew},
    MenuEntry{A::FileOpen},
    MenuEntry{A::FileSave},
    MenuEntry{A::FileSaveAs},
    kSeparator,
    MenuEntry{A::FileImport, true},
    MenuEntry{A::FileOutport},
    kSeparator,
    MenuEntry{A::FileQx200Select},
    MenuEntry{A::FilePlcSelect},
    kSeparator,
    MenuEntry{A::FileSelectCommPort},
    MenuEntry{A::FileDown},
    kSeparator,
    MenuEntry{A::FileExit},
};
constexpr std::array kEditMenu{
    MenuEntry{A::EditUndo}, MenuEntry{A::EditRedo},  kSeparator,
    MenuEntry{A::EditCut1}, MenuEntry{A::EditCopy1}, MenuEntry{A::EditPaste1},
    MenuEntry{A::EditDel},
};
// Copying a page is offered on the page list's menu and the tool bar, not here.
constexpr std::array kToolMenu{
    MenuEntry{A::ToolNewPage},   MenuEntry{A::ToolPageAttr}, MenuEntry{A::ToolDelPage},  kSeparator,
    MenuEntry{A::ToolAlarmList}, MenuEntry{A::ToolSetQx200}, MenuEntry{A::ToolHFuncKey}, kSeparator,
    MenuEntry{A::ToolVirtualPanel}, kSeparator,
    MenuEntry{A::ToolDispGrid},
};
constexpr std::array kHelpMenu{MenuEntry{A::HelpAbout}};

constexpr std::array kToolBar{
    MenuEntry{A::FileNew},
    MenuEntry{A::FileOpen},
    MenuEntry{A::FileSave},
    kSeparator,
    MenuEntry{A::EditCut1},
    MenuEntry{A::EditCopy1},
    MenuEntry{A::EditPaste1},
    MenuEntry{A::EditUndo},
    MenuEntry{A::EditRedo},
    kSeparator,
    MenuEntry{A::ToolNewPage},
    MenuEntry{A::ToolPageAttr},
    MenuEntry{A::ToolCopyPage},
    MenuEntry{A::ToolDelPage},
    kSeparator,
    MenuEntry{A::ToolAlarmList},
    MenuEntry{A::ToolSetQx200},
    MenuEntry{A::ToolHFuncKey},
    kSeparator,
    MenuEntry{A::FileDown},
};

constexpr std::array kPageListMenu{A::ToolPageAttr, A::ToolCopyPage};

}  // namespace

std::span<const ActionRow> Actions() {
    return kActions;
}

const ActionRow& ActionOf(ActionId id) {
    return kActions[IndexOf(id)];
}

std::optional<ActionId> ActionNamed(std::string_view name) {
    for (const ActionRow& row : kActions)
        if (row.Name == name) return row.Id;
    return std::nullopt;
}

std::span<const MenuEntry> MenuEntries(MenuId menu) {
    switch (menu) {
        case MenuId::File:
            return kFileMenu;
        case MenuId::Edit:
            return kEditMenu;
        case MenuId::Tool:
            return kToolMenu;
        case MenuId::Help:
            return kHelpMenu;
    }
    return {};
}

const TextKey& MenuCaption(MenuId menu) {
    switch (menu) {
        case MenuId::File:
            return texts::FileCaption;
        case MenuId::Edit:
            return texts::EditCaption;
        case MenuId::Tool:
            return texts::ToolCaption;
        case MenuId::Help:
            return texts::HelpCaption;
    }
    return texts::FileCaption;
}

std::span<const MenuEntry> ToolBarEntries() {
    return kToolBar;
}

std::span<const ActionId> PageListMenuEntries() {
    return kPageListMenu;
}

}  // namespace qxed
