#include "workbench/page_list.h"

#include <algorithm>
#include <iterator>

#include "document/page_commands.h"
#include "model/user_prompts.h"
#include "text/language.h"
#include "text/texts.h"

namespace qxed {

namespace {

constexpr int kLeastColumnWidth = 23;
constexpr int kCellMargin = 6;

}  // namespace

PageList::PageList(Document& document, const Language& language, UserPrompts& prompts, PageDialogs& dialogs)
    : document_(document), language_(language), prompts_(prompts), dialogs_(dialogs) {
    changes_ = document_.Changed.Connect([this](const Change& change) {
        if (change.Has(Change::PageList) || change.Has(Change::CurrentPage)) RefreshPageList();
    });
    RefreshPageList();
}

void PageList::SetView(PageListView* view) {
    view_ = view;
    RefreshPageList();
}

void PageList::RefreshPageList() {
    const std::list<Page>& pages = document_.Contents().Pages();
    if (pages.empty()) return;
    PageListState state;
    int row = 0;
    for (const Page& page : pages) {
        if (page.Number == document_.CurrentPageNumber()) state.CurrentRow = row;
        state.Rows.push_back({std::to_string(page.Number), language_.DisplayUtf8(page.Title)});
        ++row;
    }
    if (view_ != nullptr) {
        // Column 0 fits its widest number or heading, column 1 its widest title and at least what the grid
        // leaves, less the scroll bar's room when the rows do not all fit.
        int widest0 = view_->TextWidth(language_.TextUtf8(texts::PageFixCol0Str));
        int widest1 = view_->TextWidth(language_.TextUtf8(texts::PageFixCol1Str));
        for (const auto& cells : state.Rows) {
            widest0 = std::max(widest0, view_->TextWidth(cells[0]));
            widest1 = std::max(widest1, view_->TextWidth(cells[1]));
        }
        state.Column0Width = std::max(widest0, kLeastColumnWidth) + kCellMargin;
        const PageListView::Metrics metrics = view_->GridMetrics();
        const int gridRows = static_cast<int>(state.Rows.size()) + 1;
        const bool allFit = metrics.RowHeight > 0 && gridRows < metrics.Height / metrics.RowHeight - 1;
        const int room = metrics.Width - state.Column0Width - (allFit ? 12 : 30);
        state.Column1Width = std::max({widest1, kLeastColumnWidth, room}) + kCellMargin;
    }
    state_ = std::move(state);
    if (view_ != nullptr) view_->ShowPageList(state_);
}

void PageList::PageStringGridClick(int row) {
    const std::list<Page>& pages = document_.Contents().Pages();
    if (row < 0 || row >= static_cast<int>(pages.size())) return;
    document_.Apply(ChangeCurrentPage(std::next(pages.begin(), row)->Number));
}

void PageList::PageStringGridDblClick() {
    const std::optional<PageAttributes> attributes = dialogs_.PageAttr();
    if (!attributes) return;
    document_.Apply(SetPageAttributes(document_.CurrentPageNumber(), attributes->Title, attributes->PrvPageNo,
                                      attributes->NxtPageNo));
}

void PageList::NewPageButtonClick() {
    const std::optional<NewPageChoice> choice = dialogs_.NewPage();
    if (!choice) return;
    document_.Apply(AddPage(choice->Number, choice->Title));
}

void PageList::DeletePageButtonClick() {
    const uint16_t number = document_.CurrentPageNumber();
    const std::string question = language_.TextUtf8(texts::ReallyDelete) + std::to_string(number) +
                                 language_.TextUtf8(texts::PageNoInterrogation);
    if (prompts_.ShowMessage(question, language_.TextUtf8(texts::DelPage), MessageIcon::Question,
                             MessageButtons::OkCancel) != MessageResult::Ok)
        return;
    document_.Apply(DeletePage(number));
}

void PageList::ToolCopyPageExecute() {
    const std::optional<uint16_t> target = dialogs_.CopyPage();
    if (!target) return;
    const bool exists = std::any_of(document_.Contents().Pages().begin(), document_.Contents().Pages().end(),
                                    [&](const Page& page) { return page.Number == *target; });
    if (exists) {
        const std::string question = std::to_string(*target) + language_.TextUtf8(texts::PageExistReplace);
        if (prompts_.ShowMessage(question, language_.TextUtf8(texts::PageExist), MessageIcon::Warning,
                                 MessageButtons::OkCancel) != MessageResult::Ok)
            return;
    }
    document_.Apply(CopyPage(document_.CurrentPageNumber(), *target));
}

}  // namespace qxed
