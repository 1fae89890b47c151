#pragma once
#include <optional>
#include <set>
#include <string>

#include "document/document.h"
#include "gfx/canvas.h"
#include "workbench/preview_cache.h"
#include "workbench/preview_painter.h"

namespace qxed {

class Language;
class UserPrompts;

// The preview as the widget shows it.
class PagePreviewView {
  public:
    virtual ~PagePreviewView() = default;
    // The image changed: show it again.
    virtual void PreviewChanged() = 0;
};

// The current page drawn as the panel shows it, redrawn whole on every change of the document that it shows,
// with the ghost of an element being placed on top. The widget only shows the image.
class PagePreview {
  public:
    PagePreview(const Document& document, const Language& language, UserPrompts& prompts,
                std::string programFolder);
    void SetView(PagePreviewView* view);

    void SetGridShown(bool shown);
    void SetGhost(const std::optional<Rect>& ghost);

    const Canvas& Image() const { return canvas_; }
    const PaintOutcome& LastOutcome() const { return outcome_; }
    void Redraw();

  private:
    const Document& document_;
    const Language& language_;
    UserPrompts& prompts_;
    PagePreviewView* view_ = nullptr;
    Connection changes_;
    PreviewCache cache_;
    Canvas canvas_{0, 0};
    bool grid_ = true;
    std::optional<Rect> ghost_;
    PaintOutcome outcome_;
    std::set<std::string> reported_;  // missing pictures already told about
};

}  // namespace qxed
