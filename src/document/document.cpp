#include "document/document.h"

#include <utility>

namespace qxed {

Document::Document(EditorDefaults defaults) : project_(std::move(defaults)) {
    KeepPositionValid();
}

const Page& Document::CurrentPage() const {
    for (const Page& page : project_.Pages())
        if (page.Number == currentPage_) return page;
    return project_.Pages().front();
}

const Element* Document::SelectedElement() const {
    const Page& page = CurrentPage();
    if (!elementSelected_ || page.Elements.empty()) return nullptr;
    return &page.Elements.front();
}

DocumentState Document::Snapshot() const {
    return DocumentState{project_, currentPage_, elementSelected_, contentId_, ApproximateBytes(project_)};
}

bool Document::Apply(const Command& command) {
    const std::string key = command.MergeKey();
    const bool merges = !key.empty() && key == lastMergeKey_ && !history_.CanRedo();
    // The state before the step; a command that merges into the last step, or that cannot change the content,
    // needs none.
    std::optional<DocumentState> before;
    if (!merges && command.MayChangeContent()) before = Snapshot();

    EditTarget target{project_, currentPage_, elementSelected_};
    Change change = command.Run(target);
    KeepPositionValid();
    if (change.Empty()) return false;
    if (change.ChangesContent()) {
        if (before) history_.Push(std::move(*before));
        contentId_ = nextId_++;
        lastMergeKey_ = key;
        if (!modified_) {
            modified_ = true;
            change.Parts |= Change::FileState;
        }
    } else {
        lastMergeKey_.clear();
    }
    Announce(change);
    return true;
}

void Document::Restore(DocumentState state) {
    const EditorDefaults defaults = project_.Defaults;
    project_ = std::move(state.Content);
    project_.Defaults = defaults;
    currentPage_ = state.CurrentPageNumber;
    elementSelected_ = state.ElementSelected;
    contentId_ = state.Id;
    modified_ = contentId_ != savedId_;
    lastMergeKey_.clear();
    KeepPositionValid();
    Announce(Change{Change::Everything});
}

bool Document::Undo() {
    std::optional<DocumentState> back = history_.Undo(Snapshot());
    if (!back) return false;
    Restore(std::move(*back));
    return true;
}

bool Document::Redo() {
    std::optional<DocumentState> forward = history_.Redo(Snapshot());
    if (!forward) return false;
    Restore(std::move(*forward));
    return true;
}

void Document::Replace(Project project, std::string fileName, bool importedData) {
    const EditorDefaults defaults = project_.Defaults;
    project_ = std::move(project);
    project_.Defaults = defaults;
    fileName_ = std::move(fileName);
    imported_ = importedData;
    modified_ = false;
    currentPage_ = project_.Pages().empty() ? 1 : project_.Pages().front().Number;
    elementSelected_ = false;
    history_.Clear();
    contentId_ = nextId_++;
    savedId_ = contentId_;
    lastMergeKey_.clear();
    KeepPositionValid();
    Announce(Change{Change::Everything});
}

void Document::SetProjectFileName(std::string fileName) {
    if (fileName == fileName_) return;
    fileName_ = std::move(fileName);
    Announce(Change{Change::FileState});
}

void Document::SetModified(bool modified) {
    savedId_ = modified ? 0 : contentId_;
    if (modified == modified_) return;
    modified_ = modified;
    Announce(Change{Change::FileState});
}

// The page list is never empty and the current page is one of its pages; a selection needs an element.
void Document::KeepPositionValid() {
    if (project_.Pages().empty()) project_.AddPage(1, "");
    bool found = false;
    for (const Page& page : project_.Pages())
        if (page.Number == currentPage_) found = true;
    if (!found) currentPage_ = project_.Pages().front().Number;
    if (CurrentPage().Elements.empty()) elementSelected_ = false;
}

}  // namespace qxed
