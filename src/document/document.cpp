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

bool Document::Apply(const Command& command) {
    EditTarget target{project_, currentPage_, elementSelected_};
    Change change = command.Run(target);
    KeepPositionValid();
    if (change.Empty()) return false;
    if (change.ChangesContent() && !modified_) {
        modified_ = true;
        change.Parts |= Change::FileState;
    }
    Announce(change);
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
    KeepPositionValid();
    Announce(Change{Change::Everything});
}

void Document::SetProjectFileName(std::string fileName) {
    if (fileName == fileName_) return;
    fileName_ = std::move(fileName);
    Announce(Change{Change::FileState});
}

void Document::SetModified(bool modified) {
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
