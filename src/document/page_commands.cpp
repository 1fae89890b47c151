#include "document/page_commands.h"

#include <iterator>
#include <list>
#include <optional>

#include "model/element_rules.h"
#include "model/project.h"

namespace qxed {

namespace {

Page* FindPage(Project& project, uint16_t number) {
    const Project::FindResult found = project.FindPage(number);
    return found.Found ? found.Position : nullptr;
}

constexpr unsigned kNewPosition = Change::CurrentPage | Change::Selection;

}  // namespace

Change ChangeCurrentPage::Run(EditTarget& target) const {
    if (FindPage(target.Content, Number) == nullptr) return {};
    if (Number == target.CurrentPageNumber && !target.ElementSelected) return {};
    target.CurrentPageNumber = Number;
    target.ElementSelected = false;
    return Change{kNewPosition, Number};
}

Change AddPage::Run(EditTarget& target) const {
    if (FindPage(target.Content, Number) != nullptr) return {};
    target.Content.AddPage(Number, Title);
    target.CurrentPageNumber = Number;
    target.ElementSelected = false;
    return Change{Change::PageList | kNewPosition, Number};
}

Change SetPageAttributes::Run(EditTarget& target) const {
    Page* page = FindPage(target.Content, Number);
    if (page == nullptr) return {};
    const std::string title = CutAtCharacter(Title, kShortTextCapacity, target.Content.Defaults.TextCodePage);
    Change change{0, Number};
    if (page->Title != title) {
        page->Title = title;
        change.Parts |= Change::PageList | Change::Page;
    }
    if (page->PrvPageNo != PrvPageNo || page->NxtPageNo != NxtPageNo) {
        page->PrvPageNo = PrvPageNo;
        page->NxtPageNo = NxtPageNo;
        change.Parts |= Change::Page;
    }
    return change;
}

Change CopyPage::Run(EditTarget& target) const {
    if (Source == Target) return {};
    Page* source = FindPage(target.Content, Source);
    if (source == nullptr) return {};
    // Kept aside before the list changes: deleting or adding pages may move nothing, but the copy must not
    // depend on that.
    const std::string title = source->Title;
    const std::vector<Element> elements = source->Elements;
    if (Page* existing = FindPage(target.Content, Target)) target.Content.DeletePage(existing);
    Page& copy = target.Content.AddPage(Target, title);
    copy.Elements = elements;
    target.CurrentPageNumber = Target;
    target.ElementSelected = false;
    return Change{Change::PageList | Change::Page | kNewPosition, Target};
}

Change DeletePage::Run(EditTarget& target) const {
    Page* page = FindPage(target.Content, Number);
    if (page == nullptr) return {};
    const bool wasCurrent = Number == target.CurrentPageNumber;
    // The successor becomes current, else the predecessor.
    std::optional<uint16_t> next;
    const std::list<Page>& pages = target.Content.Pages();
    for (auto it = pages.begin(); it != pages.end(); ++it) {
        if (&*it != page) continue;
        if (std::next(it) != pages.end())
            next = std::next(it)->Number;
        else if (it != pages.begin())
            next = std::prev(it)->Number;
    }
    if (target.Content.DeletePage(page)) target.Content.AddPage(1, "");
    Change change{Change::PageList, Number};
    if (wasCurrent) {
        target.CurrentPageNumber = next ? *next : target.Content.Pages().front().Number;
        target.ElementSelected = false;
        change.Parts |= kNewPosition;
    }
    return change;
}

}  // namespace qxed
