#pragma once
#include <array>
#include <string>
#include <vector>

#include "document/document.h"
#include "workbench/page_dialogs.h"

namespace qxed {

class Language;
class UserPrompts;

// What PageStringGrid shows: one row per page (number, title; UTF-8), the current page's row selected, and
// the two column widths.
struct PageListState {
    std::vector<std::array<std::string, 2>> Rows;
    int CurrentRow = 0;
    int Column0Width = 29;
    int Column1Width = 118;
    bool operator==(const PageListState&) const = default;
};

// The grid as the page list sees it: it measures texts in the grid's font and knows its own size.
class PageListView {
  public:
    struct Metrics {
        int Width = 153;
        int Height = 331;
        int RowHeight = 18;
    };
    virtual ~PageListView() = default;
    virtual void ShowPageList(const PageListState& state) = 0;
    virtual int TextWidth(const std::string& utf8) const = 0;
    virtual Metrics GridMetrics() const = 0;
};

// The page list beside the preview and the page commands: choosing the current page, new, attributes, copy
// and delete. It refills the grid whenever the document's pages or current page change.
class PageList {
  public:
    PageList(Document& document, const Language& language, UserPrompts& prompts, PageDialogs& dialogs);
    void SetView(PageListView* view);

    // A click on a row (0 for the first page): that page becomes current, nothing is selected.
    void PageStringGridClick(int row);
    // ToolPageAttr and a double click on the grid.
    void PageStringGridDblClick();
    // ToolNewPage and NewPageButton.
    void NewPageButtonClick();
    // ToolDelPage and DeletePageButton.
    void DeletePageButtonClick();
    void ToolCopyPageExecute();

    void RefreshPageList();
    const PageListState& State() const { return state_; }

  private:
    Document& document_;
    const Language& language_;
    UserPrompts& prompts_;
    PageDialogs& dialogs_;
    PageListView* view_ = nullptr;
    Connection changes_;
    PageListState state_;
};

}  // namespace qxed
