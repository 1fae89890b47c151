#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "document/document.h"
#include "gfx/geometry.h"
#include "model/element_defaults.h"

namespace qxed {

class FileChooser;
class Language;
class UserPrompts;

// An element's rectangle on the preview, in editor units (the preview's ElementRect).
using ElementExtent = std::function<Rect(const Element& element, const Project& project)>;

enum class MouseButton { Left, Right, Middle };

// The preview as placing and dragging see it: the ghost of an element being placed, the element buttons, and
// the keyboard focus. The selected element's mark is drawn with the page, from the document.
class PlacingView {
  public:
    virtual ~PlacingView() = default;
    virtual void ShowGhost(const std::optional<Rect>& ghost) = 0;
    // The element button that is down, none when placing ends.
    virtual void ShowPlacingButton(std::optional<int32_t> kind) = 0;
    virtual void FocusPreview() = 0;
};

// Placing new elements from the element buttons, selecting them with the mouse, dragging them on the grid,
// deleting the selected one, and the X/Y fields' move rules. Every change goes through the document.
class ElementPlacing {
  public:
    ElementPlacing(Document& document, const Language& language, UserPrompts& prompts, FileChooser& chooser,
                   ElementExtent extent);
    void SetView(PlacingView* view);

    // The click on an element button: down starts placing that kind (buttonTop: the button's top in its
    // panel, where the ghost starts); up ends placing.
    void StartPlacing(int32_t kind, bool down, int buttonTop);
    void CancelPlacing();

    void Image1MouseDown(MouseButton button, int x, int y);
    void Image1MouseMove(int x, int y);
    void Image1MouseUp(MouseButton button, int x, int y);
    void ViewImagePanelEnter() { previewFocused_ = true; }
    void ViewImagePanelExit() { previewFocused_ = false; }
    // Delete and Ctrl+D: the selected element goes, only while the preview has the focus. True when it went.
    bool EditDelExecute();
    // Escape: placing ends.
    void EscapePressed();
    // An arrow key while the preview has the focus: the selected element moves one grid step (dx, dy each
    // -1, 0 or 1), with the edge rules of dragging. A run of presses is one undo step. True when it moved.
    bool ArrowKey(int dx, int dy);

    // After a change of the selected element's size: pushed left (or up) so that it ends inside the image.
    void FitWidth();
    void FitHeight();
    // The X and Y fields, in panel dots: true when the value was taken (stored, or equal to what is stored);
    // false when it is refused and the field shows the element's position again.
    bool CommitX(int32_t panelX);
    bool CommitY(int32_t panelY);

    // Moves FocusRect by whole steps towards the mouse; true when it moved.
    bool DragStep(int x, int y);
    // Puts the ghost's top left corner on the step grid under the mouse, inside the image.
    void SnapGhost(int x, int y);

    std::optional<int32_t> PlacingKind() const { return placingKind_; }
    bool Dragging() const { return dragging_; }
    bool PreviewFocused() const { return previewFocused_; }
    // The ghost while placing, else the selected element's rectangle as dragging moves it.
    const Rect& FocusRect() const { return focusRect_; }
    // The rectangle of an element of the current page.
    Rect ExtentOf(const Element& element) const { return extent_(element, document_.Contents()); }

  private:
    struct Screen {
        int Width;
        int Height;
        int Z;
        int Step;
    };
    Screen ScreenOf() const;
    Size GhostSize(int32_t kind) const;
    bool LoadPendingPicture(const Screen& screen);
    void RemoveEmptyFrontElement();
    void HitTest(int x, int y);
    void MoveSelectedTo(int32_t x, int32_t y, const std::string& key);
    void ShowGhost();

    Document& document_;
    const Language& language_;
    UserPrompts& prompts_;
    FileChooser& chooser_;
    ElementExtent extent_;
    PlacingView* view_ = nullptr;

    std::optional<int32_t> placingKind_;
    Rect focusRect_;
    bool dragging_ = false;
    Point dragRef_;
    bool previewFocused_ = false;
    std::optional<LoadedPicture> pendingPicture_;
    int dragCount_ = 0;  // names each drag's undo step
};

}  // namespace qxed
