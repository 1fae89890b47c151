#include "document/document.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "document/element_commands.h"
#include "document/page_commands.h"
#include "document/project_commands.h"
#include "model/element_defaults.h"

namespace qxed {
namespace {

// Every notice the document gave, in order.
struct NoticeLog {
    explicit NoticeLog(Document& document)
        : connection(document.Changed.Connect([this](const Change& change) { notices.push_back(change); })) {}
    std::vector<Change> notices;
    Connection connection;
};

Element TextAt(const Project& project, int x, const char* content) {
    Element element = NewElement(project, static_cast<int32_t>(ElementKind::Text));
    element.X = x;
    element.As<TextFields>().Content = content;
    return element;
}

// Pages 1, 3 and 7, page 3 current and holding texts "a" (front), "b", "c"; not modified.
void FillThreePages(Document& document) {
    document.Apply(AddPage(7, "seven"));
    document.Apply(AddPage(3, "three"));
    for (const char* content : {"c", "b", "a"})
        document.Apply(PlaceElement(TextAt(document.Contents(), 0, content)));
    document.Apply(SelectElement(std::nullopt));
    document.SetModified(false);
}

std::vector<std::string> TextsOf(const Page& page) {
    std::vector<std::string> texts;
    for (const Element& element : page.Elements)
        texts.push_back(element.As<TextFields>().Content);
    return texts;
}

std::vector<int> NumbersOf(const Project& project) {
    std::vector<int> numbers;
    for (const Page& page : project.Pages())
        numbers.push_back(page.Number);
    return numbers;
}

// Each edit changes the document once: it is announced once with the parts it touched, it marks the project
// modified exactly when it touched the content, and the same edit again changes nothing and says nothing.
TEST(Document, EveryEditIsAnnouncedOnceAndRepeatingItChangesNothing) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<Command>(const Document&)> make;
        unsigned parts;  // without FileState, which the first content change adds
        bool modifies;
    };
    const std::vector<Case> cases = {
        {"move an element",
         [](const Document& d) {
             Element moved = d.CurrentPage().Elements[1];
             moved.X = 18;
             return std::make_unique<SetElement>(3, 1, moved);
         },
         Change::Element, true},
        {"delete a back element", [](const Document&) { return std::make_unique<DeleteElement>(3, 2); },
         Change::Page, true},
        {"select the front element", [](const Document&) { return std::make_unique<SelectElement>(0); },
         Change::Selection, false},
        {"go to page 7", [](const Document&) { return std::make_unique<ChangeCurrentPage>(7); },
         Change::CurrentPage | Change::Selection, false},
        {"retitle page 3",
         [](const Document&) { return std::make_unique<SetPageAttributes>(3, "drei", 2, 4); },
         Change::PageList | Change::Page, true},
        {"relink page 3",
         [](const Document&) { return std::make_unique<SetPageAttributes>(3, "three", 65535, 0); },
         Change::Page, true},
        {"settings",
         [](const Document& d) {
             ProjectSettings settings = d.Contents().Settings;
             settings.HomePageNo = 7;
             return std::make_unique<SetSettings>(settings);
         },
         Change::Settings, true},
        {"global keys",
         [](const Document& d) {
             auto keys = d.Contents().GlobalKeys;
             keys[4].SetValue = 99;
             return std::make_unique<SetGlobalKeys>(5, keys);
         },
         Change::Keys, true},
        {"alarm list",
         [](const Document& d) {
             auto texts = d.Contents().AlarmTexts;
             texts[0] = "hot";
             return std::make_unique<SetAlarmList>(1, PlcAddress{1, 2, 3}, texts);
         },
         Change::Alarms | Change::Settings, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Document document;
        FillThreePages(document);
        NoticeLog log(document);
        const auto command = c.make(document);
        EXPECT_TRUE(document.Apply(*command));
        ASSERT_EQ(log.notices.size(), 1u);
        EXPECT_EQ(log.notices[0].Parts, c.parts | (c.modifies ? Change::FileState : 0u));
        EXPECT_EQ(document.Modified(), c.modifies);

        const Project after = document.Contents();
        EXPECT_FALSE(document.Apply(*command));
        EXPECT_EQ(log.notices.size(), 1u);
        EXPECT_TRUE(document.Contents() == after);
    }
}

TEST(Document, SelectingBringsTheElementToTheFrontAndDeletingItClearsTheSelection) {
    Document document;
    FillThreePages(document);
    document.Apply(SelectElement(2));
    EXPECT_EQ(TextsOf(document.CurrentPage()), (std::vector<std::string>{"c", "a", "b"}));
    ASSERT_NE(document.SelectedElement(), nullptr);
    EXPECT_EQ(document.SelectedElement()->As<TextFields>().Content, "c");
    EXPECT_FALSE(document.Modified());

    NoticeLog log(document);
    document.Apply(DeleteElement(3, 0));
    EXPECT_FALSE(document.ElementSelected());
    EXPECT_EQ(document.SelectedElement(), nullptr);
    EXPECT_EQ(log.notices.at(0).Parts, Change::Page | Change::Selection | Change::FileState);
    // An index that no longer exists, or a page that does not, is no edit.
    EXPECT_FALSE(document.Apply(DeleteElement(3, 2)));
    EXPECT_FALSE(document.Apply(DeleteElement(4, 0)));
    EXPECT_FALSE(document.Apply(SetElement(3, 5, TextAt(document.Contents(), 0, "x"))));
}

TEST(Document, PagesAreAddedOnceAndTheLastOneDeletedLeavesPageOne) {
    Document document;
    FillThreePages(document);
    EXPECT_FALSE(document.Apply(AddPage(7, "again")));  // the number is taken
    EXPECT_TRUE(document.Apply(AddPage(0, "")));
    EXPECT_EQ(NumbersOf(document.Contents()), (std::vector<int>{0, 1, 3, 7}));
    EXPECT_EQ(document.CurrentPageNumber(), 0);

    // Deleting the current page makes its successor current, the last one its predecessor.
    document.Apply(DeletePage(0));
    EXPECT_EQ(document.CurrentPageNumber(), 1);
    document.Apply(ChangeCurrentPage(7));
    document.Apply(DeletePage(7));
    EXPECT_EQ(document.CurrentPageNumber(), 3);
    // Deleting another page than the current one keeps the current page.
    document.Apply(DeletePage(1));
    EXPECT_EQ(document.CurrentPageNumber(), 3);
    document.Apply(DeletePage(3));
    EXPECT_EQ(NumbersOf(document.Contents()), (std::vector<int>{1}));
    EXPECT_EQ(document.CurrentPage().Title, "");
    EXPECT_TRUE(document.CurrentPage().Elements.empty());
}

TEST(Document, ACopiedPageReplacesTheTargetAndTakesTheLinksOfItsNumber) {
    Document document;
    FillThreePages(document);
    document.Apply(ChangeCurrentPage(7));
    document.Apply(PlaceElement(TextAt(document.Contents(), 0, "old")));
    document.Apply(ChangeCurrentPage(3));
    document.Apply(SetPageAttributes(3, "three", 40, 41));

    EXPECT_FALSE(document.Apply(CopyPage(3, 3)));
    EXPECT_FALSE(document.Apply(CopyPage(4, 5)));
    ASSERT_TRUE(document.Apply(CopyPage(3, 7)));
    EXPECT_EQ(document.CurrentPageNumber(), 7);
    EXPECT_FALSE(document.ElementSelected());
    const Page& copy = document.CurrentPage();
    EXPECT_EQ(copy.Title, "three");
    EXPECT_EQ(TextsOf(copy), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(copy.PrvPageNo, 6);
    EXPECT_EQ(copy.NxtPageNo, 8);
    EXPECT_EQ(NumbersOf(document.Contents()), (std::vector<int>{1, 3, 7}));

    // The copy is a value of its own: editing it leaves the source alone.
    Element changed = copy.Elements[0];
    changed.X = 9;
    document.Apply(SetElement(7, 0, changed));
    document.Apply(ChangeCurrentPage(3));
    EXPECT_EQ(document.CurrentPage().Elements[0].X, 0);
}

TEST(Document, ATitleIsCutToItsSlotWithoutSplittingACharacter) {
    Document document;
    const std::string longTitle = std::string(39, 'x') + GbkFromUtf8("温");
    document.Apply(SetPageAttributes(1, longTitle, 1, 2));
    EXPECT_EQ(document.CurrentPage().Title, std::string(39, 'x'));
}

TEST(Document, ReplacingTheProjectStartsAtItsFirstPageUnmodified) {
    Document document;
    FillThreePages(document);
    document.Apply(SelectElement(0));
    document.Apply(DeleteElement(3, 0));
    ASSERT_TRUE(document.Modified());
    NoticeLog log(document);

    Project other;
    other.AddPage(9, "nine");
    document.Replace(other, "/tmp/other.qx2", true);
    EXPECT_FALSE(document.Modified());
    EXPECT_TRUE(document.ImportedData());
    EXPECT_EQ(document.ProjectFileName(), "/tmp/other.qx2");
    EXPECT_EQ(document.CurrentPageNumber(), 1);
    EXPECT_FALSE(document.ElementSelected());
    ASSERT_EQ(log.notices.size(), 1u);
    EXPECT_EQ(log.notices[0].Parts, static_cast<unsigned>(Change::Everything));

    document.SetProjectFileName("/tmp/other.qx2");  // the same name: nothing to say
    document.SetModified(false);
    EXPECT_EQ(log.notices.size(), 1u);
}

}  // namespace
}  // namespace qxed
