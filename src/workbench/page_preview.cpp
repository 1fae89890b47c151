#include "workbench/page_preview.h"

#include "model/user_prompts.h"
#include "text/language.h"
#include "text/texts.h"
#include "workbench/element_rect.h"

namespace qxed {

PagePreview::PagePreview(const Document& document, const Language& language, UserPrompts& prompts,
                         std::string programFolder)
    : document_(document), language_(language), prompts_(prompts), cache_(std::move(programFolder)) {
    changes_ = document_.Changed.Connect([this](const Change& change) {
        if ((change.Parts & ~static_cast<unsigned>(Change::FileState)) != 0) Redraw();
    });
}

void PagePreview::SetView(PagePreviewView* view) {
    view_ = view;
    Redraw();
}

void PagePreview::SetGridShown(bool shown) {
    if (grid_ == shown) return;
    grid_ = shown;
    Redraw();
}

void PagePreview::SetGhost(const std::optional<Rect>& ghost) {
    if (ghost_ == ghost) return;
    ghost_ = ghost;
    Redraw();
}

void PagePreview::Redraw() {
    const PreviewInput input{document_.CurrentPage(),
                             document_.Contents().Settings.CurrentModel,
                             document_.Defaults().TextCodePage,
                             cache_,
                             grid_,
                             document_.ElementSelected()};
    outcome_ = RedrawPage(canvas_, input);
    if (ghost_) ToggleFocusRect(canvas_, *ghost_);
    // A picture that is missing from the program folder is told about once; the preview goes on without it.
    if (!outcome_.Complete && reported_.insert(outcome_.MissingFile).second) {
        prompts_.ShowMessage(outcome_.MissingFile + language_.TextUtf8(texts::NotExist),
                             language_.TextUtf8(texts::AppName), MessageIcon::Error);
    }
    if (view_ != nullptr) view_->PreviewChanged();
}

}  // namespace qxed
