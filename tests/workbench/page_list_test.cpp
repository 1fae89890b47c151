#include "workbench/page_list.h"

#include <gtest/gtest.h>

#include <deque>

#include "document/element_commands.h"
#include "document/page_commands.h"
#include "model/element_defaults.h"
#include "support/recording_prompts.h"
#include "text/language.h"

namespace qxed {
namespace {

using testing::RecordingPrompts;

class ScriptedPageDialogs : public PageDialogs {
  public:
    std::deque<std::optional<NewPageChoice>> NewPages;
    std::deque<std::optional<PageAttributes>> Attributes;
    std::deque<std::optional<uint16_t>> Targets;
    std::optional<NewPageChoice> NewPage() override { return Take(NewPages); }
    std::optional<PageAttributes> PageAttr() override { return Take(Attributes); }
    std::optional<uint16_t> CopyPage() override { return Take(Targets); }

  private:
    template <class T>
    static std::optional<T> Take(std::deque<std::optional<T>>& queue) {
        if (queue.empty()) return std::nullopt;
        std::optional<T> value = queue.front();
        queue.pop_front();
        return value;
    }
};

// A grid whose font is 6 pixels a character, 153 x 331 with rows of 18.
class FixedWidthGrid : public PageListView {
  public:
    PageListState Shown;
    Metrics Size;
    void ShowPageList(const PageListState& state) override { Shown = state; }
    int TextWidth(const std::string& utf8) const override { return 6 * static_cast<int>(utf8.size()); }
    Metrics GridMetrics() const override { return Size; }
};

struct Pages {
    Pages() : list(document, language, prompts, dialogs) { list.SetView(&grid); }
    // Pages with these numbers, texts "a".."c" on the current one, and the current page set.
    void Make(std::initializer_list<uint16_t> numbers, uint16_t current) {
        for (uint16_t n : numbers)
            if (n != 1) document.Apply(AddPage(n, "title " + std::to_string(n)));
        document.Apply(ChangeCurrentPage(current));
        for (const char* text : {"c", "b", "a"}) {
            Element element = NewElement(document.Contents(), static_cast<int32_t>(ElementKind::Text));
            element.As<TextFields>().Content = text;
            document.Apply(PlaceElement(element));
        }
        document.SetModified(false);
        prompts.Clear();
    }
    std::vector<std::string> Column(int column) const {
        std::vector<std::string> cells;
        for (const auto& row : grid.Shown.Rows)
            cells.push_back(row[static_cast<std::size_t>(column)]);
        return cells;
    }
    Document document;
    Language language;
    RecordingPrompts prompts;
    ScriptedPageDialogs dialogs;
    FixedWidthGrid grid;
    PageList list;
};

TEST(PageList, TheGridFollowsThePagesAndTheCurrentPage) {
    Pages pages;
    pages.Make({1, 3, 7}, 3);
    EXPECT_EQ(pages.Column(0), (std::vector<std::string>{"1", "3", "7"}));
    EXPECT_EQ(pages.Column(1), (std::vector<std::string>{"", "title 3", "title 7"}));
    EXPECT_EQ(pages.grid.Shown.CurrentRow, 1);

    pages.list.PageStringGridClick(2);
    EXPECT_EQ(pages.document.CurrentPageNumber(), 7);
    EXPECT_EQ(pages.grid.Shown.CurrentRow, 2);
    EXPECT_FALSE(pages.document.Modified());
    pages.list.PageStringGridClick(5);  // no such row
    EXPECT_EQ(pages.document.CurrentPageNumber(), 7);
}

TEST(PageList, ColumnWidthsFitTheTextsAndTheGrid) {
    Pages pages;
    // Three rows fit: column 1 fills the grid less 12; the heading "画面" is 6 bytes of UTF-8, 36 pixels.
    pages.Make({1, 3}, 1);
    EXPECT_EQ(pages.grid.Shown.Column0Width, 36 + 6);
    EXPECT_EQ(pages.grid.Shown.Column1Width, 153 - 42 - 12 + 6);
    // A long title widens column 1 beyond the grid.
    pages.document.Apply(SetPageAttributes(3, std::string(40, 'x'), 2, 4));
    EXPECT_EQ(pages.grid.Shown.Column1Width, 240 + 6);
    // When the rows no longer fit, the scroll bar's room is left free.
    pages.document.Apply(SetPageAttributes(3, "x", 2, 4));
    pages.grid.Size.Height = 3 * 18;
    pages.list.RefreshPageList();
    EXPECT_EQ(pages.grid.Shown.Column1Width, 153 - 42 - 30 + 6);
}

TEST(PageList, ANewPageIsAddedAfterItsDialogAndAnExistingNumberKeepsTheDialogOpen) {
    Pages pages;
    pages.Make({1, 5}, 5);
    const NewPageOKBottomDlg dialog(pages.document, pages.language, pages.prompts);
    EXPECT_EQ(dialog.FormShow().Number, 6);
    EXPECT_FALSE(dialog.OKBtnClick(1));
    EXPECT_EQ(pages.prompts.Last(),
              (testing::RecordedMessage{"1号画面 已存在！", "画面已存在", MessageIcon::Warning}));
    EXPECT_TRUE(dialog.OKBtnClick(6));

    pages.dialogs.NewPages.push_back(NewPageChoice{6, "six"});
    pages.list.NewPageButtonClick();
    EXPECT_EQ(pages.Column(0), (std::vector<std::string>{"1", "5", "6"}));
    EXPECT_EQ(pages.document.CurrentPageNumber(), 6);
    EXPECT_TRUE(pages.document.Modified());

    pages.list.NewPageButtonClick();  // cancelled
    EXPECT_EQ(pages.Column(0).size(), 3u);
}

TEST(PageList, CopyingReplacesAnExistingPageOnlyWhenConfirmed) {
    for (const MessageResult answer : {MessageResult::Ok, MessageResult::Cancel}) {
        SCOPED_TRACE(static_cast<int>(answer));
        Pages pages;
        pages.Make({1, 3, 7}, 3);
        const CopyPageOKBottomDlg dialog(pages.document, pages.language, pages.prompts);
        EXPECT_EQ(dialog.FormShow(), 4);
        EXPECT_FALSE(dialog.OKBtnClick(3));
        EXPECT_EQ(pages.prompts.Last().Text, "复制画面号与当前画面号相同！");
        pages.prompts.Clear();

        pages.dialogs.Targets.push_back(7);
        pages.prompts.Answer(answer);
        pages.list.ToolCopyPageExecute();
        EXPECT_EQ(pages.prompts.Last(),
                  (testing::RecordedMessage{"7号画面 已存在！ 要替换吗？", "画面已存在", MessageIcon::Warning,
                                            MessageButtons::OkCancel}));
        const Page& seven = *std::next(pages.document.Contents().Pages().begin(), 2);
        if (answer == MessageResult::Cancel) {
            EXPECT_EQ(seven.Title, "title 7");
            EXPECT_EQ(pages.document.CurrentPageNumber(), 3);
            continue;
        }
        EXPECT_EQ(pages.document.CurrentPageNumber(), 7);
        EXPECT_EQ(seven.Title, "title 3");
        ASSERT_EQ(seven.Elements.size(), 3u);
        EXPECT_EQ(seven.Elements[0].As<TextFields>().Content, "a");
        EXPECT_EQ(seven.Elements[2].As<TextFields>().Content, "c");
        EXPECT_EQ(seven.PrvPageNo, 6);
        EXPECT_EQ(seven.NxtPageNo, 8);
    }

    // To page 0: listed first, no question.
    Pages pages;
    pages.Make({1, 3}, 3);
    pages.dialogs.Targets.push_back(0);
    pages.list.ToolCopyPageExecute();
    EXPECT_TRUE(pages.prompts.Silent());
    EXPECT_EQ(pages.Column(0), (std::vector<std::string>{"0", "1", "3"}));
}

TEST(PageList, DeletingAsksFirstAndTheLastPageLeavesPageOne) {
    Pages pages;
    pages.Make({1}, 1);
    pages.prompts.Answer(MessageResult::Cancel);
    pages.list.DeletePageButtonClick();
    EXPECT_EQ(pages.prompts.Last(),
              (testing::RecordedMessage{"确实要删除　1号画面 吗？", "删除画面", MessageIcon::Question,
                                        MessageButtons::OkCancel}));
    EXPECT_EQ(pages.document.CurrentPage().Elements.size(), 3u);

    pages.list.DeletePageButtonClick();
    EXPECT_EQ(pages.Column(0), std::vector<std::string>{"1"});
    EXPECT_TRUE(pages.document.CurrentPage().Elements.empty());
    EXPECT_TRUE(pages.document.Modified());
}

TEST(PageList, PageAttributesStoreSixteenBitLinks) {
    Pages pages;
    pages.Make({1, 3}, 3);
    const PageAttrOKBottomDlg dialog(pages.document, pages.language);
    EXPECT_EQ(dialog.FormShow().Title, "title 3");
    EXPECT_EQ(pages.language.DisplayUtf8(dialog.PageNoLabel()), "3号画面");
    pages.dialogs.Attributes.push_back(PageAttributes{"drei", 65535, 0});
    pages.list.PageStringGridDblClick();
    EXPECT_EQ(pages.document.CurrentPage().PrvPageNo, 65535);
    EXPECT_EQ(pages.document.CurrentPage().NxtPageNo, 0);
    EXPECT_EQ(pages.Column(1)[1], "drei");
}

}  // namespace
}  // namespace qxed
