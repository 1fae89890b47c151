#include "document/element_commands.h"

#include <iterator>

#include "model/project.h"

namespace qxed {

namespace {

Page* FindPage(Project& project, uint16_t number) {
    const Project::FindResult found = project.FindPage(number);
    return found.Found ? found.Position : nullptr;
}

Page& CurrentPageOf(EditTarget& target) {
    if (Page* page = FindPage(target.Content, target.CurrentPageNumber)) return *page;
    return target.Content.Pages().front();
}

}  // namespace

Change PlaceElement::Run(EditTarget& target) const {
    Page& page = CurrentPageOf(target);
    page.Elements.insert(page.Elements.begin(), Value);
    target.ElementSelected = true;
    return Change{Change::Page | Change::Selection, page.Number};
}

Change SetElement::Run(EditTarget& target) const {
    Page* page = FindPage(target.Content, PageNumber);
    if (page == nullptr || Index >= page->Elements.size()) return {};
    Element& element = page->Elements[Index];
    if (element == Value) return {};
    element = Value;
    return Change{Change::Element, PageNumber, static_cast<int>(Index)};
}

Change DeleteElement::Run(EditTarget& target) const {
    Page* page = FindPage(target.Content, PageNumber);
    if (page == nullptr || Index >= page->Elements.size()) return {};
    page->Elements.erase(page->Elements.begin() + static_cast<std::ptrdiff_t>(Index));
    Change change{Change::Page, PageNumber};
    const bool wasSelected = Index == 0 && PageNumber == target.CurrentPageNumber && target.ElementSelected;
    if (wasSelected) {
        target.ElementSelected = false;
        change.Parts |= Change::Selection;
    }
    return change;
}

Change SelectElement::Run(EditTarget& target) const {
    Page& page = CurrentPageOf(target);
    if (!Index || *Index >= page.Elements.size()) {
        if (!target.ElementSelected) return {};
        target.ElementSelected = false;
        return Change{Change::Selection, page.Number};
    }
    if (*Index == 0 && target.ElementSelected) return {};
    BringToFront(page, *Index);
    target.ElementSelected = true;
    return Change{Change::Selection, page.Number};
}

}  // namespace qxed
