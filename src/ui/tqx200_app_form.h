#pragma once
#include <QMainWindow>

#include <array>
#include <map>
#include <optional>

#include "workbench/action_table.h"
#include "workbench/element_placing.h"
#include "workbench/main_window_state.h"
#include "workbench/page_list.h"
#include "workbench/page_preview.h"

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QTableWidget;
class QToolBar;
class QToolButton;

namespace qxed {

class Language;
class ElementClipboard;
class QX200AppForm;
class TImage1;

// The main window: menus, tool bar, page list, preview panel, element buttons, property area and the two
// status bars, placed as designed. It shows what its logic decides and forwards every action and event to
// the logic's handler of the same name.
class TQX200AppForm : public QMainWindow, public QX200AppFormView, public PageListView, public PlacingView {
  public:
    explicit TQX200AppForm(const Language& language, QWidget* parent = nullptr);

    // The logic the window forwards to; the window shows its state from now on.
    void SetLogic(QX200AppForm* logic);

    // The page list the grid shows and the page commands go to.
    void SetPageList(PageList* pages);
    // The preview, placing and the element clipboard that Image1, the element buttons and the edit commands
    // go to.
    void SetEditing(PagePreview* preview, ElementPlacing* placing, ElementClipboard* clipboard);

    void ShowState(const MainWindowState& state) override;
    void CloseWindow() override;

    void ShowPageList(const PageListState& state) override;
    int TextWidth(const std::string& utf8) const override;
    Metrics GridMetrics() const override;

    void ShowGhost(const std::optional<Rect>& ghost) override;
    void ShowPlacingButton(std::optional<int32_t> kind) override;
    void FocusPreview() override;

    QAction* Action(ActionId id) const { return actions_[IndexOf(id)]; }
    // The area the property panels are placed in (below the preview).
    QWidget* PropertyArea() const { return propertyArea_; }
    TImage1* Image1() const { return image1_; }
    QTableWidget* PageStringGrid() const { return pageGrid_; }
    QMenu* HelpMenu() const { return helpMenu_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateAreas();
    void Execute(ActionId id);
    void ApplyLayout(const ModelLayout& layout);
    // The clipboard actions act on the focused text field.
    void ClipboardAction(ActionId id);

    const Language& language_;
    QX200AppForm* logic_ = nullptr;
    PageList* pages_ = nullptr;
    PagePreview* preview_ = nullptr;
    ElementPlacing* placing_ = nullptr;
    ElementClipboard* clipboard_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* recentAnchor_ = nullptr;  // the separator the recent projects stand before
    std::vector<QAction*> recentActions_;
    std::vector<std::string> shownRecent_;
    void ShowRecentFiles(const std::vector<std::string>& files);
    std::array<QAction*, kActionCount> actions_{};
    std::map<ActionId, bool> menuHidden_;
    QWidget* client_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QGroupBox* pageGroupBox_ = nullptr;
    QTableWidget* pageGrid_ = nullptr;
    QPushButton* newPageButton_ = nullptr;
    QPushButton* deletePageButton_ = nullptr;
    QFrame* viewImagePanel_ = nullptr;
    TImage1* image1_ = nullptr;
    std::array<QFrame*, 4> sideMarkers_{};
    QFrame* speedButtonPanel_ = nullptr;
    std::array<QToolButton*, 13> elementButtons_{};
    QWidget* propertyArea_ = nullptr;
    QLabel* statusBar_ = nullptr;
    QLabel* modelStatusBar_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QMenu* languageMenu_ = nullptr;
    std::optional<ModelLayout> shownLayout_;
};

}  // namespace qxed
