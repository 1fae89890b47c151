#include "document/history.h"

#include <gtest/gtest.h>

#include <functional>

#include "document/document.h"
#include "document/element_commands.h"
#include "document/page_commands.h"
#include "document/project_commands.h"
#include "files/project_file.h"
#include "model/element_defaults.h"
#include "support/sample_project.h"

namespace qxed {
namespace {

std::vector<uint8_t> Saved(const Document& document) {
    return SerializeProject(document.Contents());
}

// The sample project with page 2 current and its front element selected, saved.
void Open(Document& document) {
    document.Replace(testing::SampleProject(), "/tmp/sample.qx2", false);
    document.Apply(ChangeCurrentPage(2));
    document.Apply(SelectElement(0));
}

Element Moved(const Document& document, int dx) {
    Element element = document.CurrentPage().Elements.front();
    element.X += dx;
    return element;
}

// Every kind of change is undone to the very bytes the project had, with its current page and selection, and
// redone to the changed bytes.
TEST(History, UndoRestoresTheProjectExactlyAndRedoTheChange) {
    struct Case {
        const char* name;
        std::function<void(Document&)> change;
    };
    const std::vector<Case> cases = {
        {"move", [](Document& d) { d.Apply(SetElement(d.CurrentPageNumber(), 0, Moved(d, 9))); }},
        {"place",
         [](Document& d) {
             d.Apply(PlaceElement(NewElement(d.Contents(), static_cast<int32_t>(ElementKind::Lamp))));
         }},
        {"delete", [](Document& d) { d.Apply(DeleteElement(d.CurrentPageNumber(), 0)); }},
        {"new page", [](Document& d) { d.Apply(AddPage(40, "forty")); }},
        {"copy page", [](Document& d) { d.Apply(CopyPage(d.CurrentPageNumber(), 1)); }},
        {"delete page", [](Document& d) { d.Apply(DeletePage(d.CurrentPageNumber())); }},
        {"page attributes",
         [](Document& d) { d.Apply(SetPageAttributes(d.CurrentPageNumber(), "x", 7, 8)); }},
        {"settings",
         [](Document& d) {
             ProjectSettings s = d.Contents().Settings;
             s.PlcType = 2;
             d.Apply(SetSettings(s));
         }},
        {"alarms", [](Document& d) { d.Apply(SetAlarmList(1, {}, {})); }},
        {"keys", [](Document& d) { d.Apply(SetGlobalKeys(3, d.Contents().GlobalKeys)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Document document;
        Open(document);
        const std::vector<uint8_t> before = Saved(document);
        const uint16_t page = document.CurrentPageNumber();
        const Element* selected = document.SelectedElement();
        const std::optional<Element> selectedBefore = selected ? std::optional(*selected) : std::nullopt;

        c.change(document);
        const std::vector<uint8_t> after = Saved(document);
        ASSERT_NE(after, before);
        ASSERT_TRUE(document.CanUndo());

        ASSERT_TRUE(document.Undo());
        EXPECT_EQ(Saved(document), before);
        EXPECT_EQ(document.CurrentPageNumber(), page);
        ASSERT_EQ(document.SelectedElement() != nullptr, selectedBefore.has_value());
        if (selectedBefore) {
            EXPECT_EQ(*document.SelectedElement(), *selectedBefore);
        }
        EXPECT_FALSE(document.Modified());  // back at the state that was opened

        ASSERT_TRUE(document.Redo());
        EXPECT_EQ(Saved(document), after);
        EXPECT_TRUE(document.Modified());
        EXPECT_FALSE(document.CanRedo());
    }
}

TEST(History, ARunOfEditsOfOneFieldIsOneStepAndSelectingIsNone) {
    Document document;
    Open(document);
    const std::vector<uint8_t> before = Saved(document);
    for (int i = 1; i <= 5; ++i)
        document.Apply(SetElement(document.CurrentPageNumber(), 0, Moved(document, 1), "x of element 0"));
    document.Apply(SelectElement(std::nullopt));
    document.Apply(SelectElement(0));
    EXPECT_EQ(document.Steps().Steps(), 1u);
    document.Undo();
    EXPECT_EQ(Saved(document), before);
    EXPECT_FALSE(document.CanUndo());

    // Another field, or the same field after something else happened, is a new step.
    document.Apply(SetElement(document.CurrentPageNumber(), 0, Moved(document, 1), "x of element 0"));
    document.Apply(ChangeCurrentPage(1));
    document.Apply(ChangeCurrentPage(2));
    document.Apply(SelectElement(0));
    document.Apply(SetElement(document.CurrentPageNumber(), 0, Moved(document, 1), "x of element 0"));
    EXPECT_EQ(document.Steps().Steps(), 2u);
}

TEST(History, ModifiedFollowsTheStateLastSaved) {
    Document document;
    Open(document);
    document.Apply(SetElement(document.CurrentPageNumber(), 0, Moved(document, 1)));
    document.SetModified(false);  // saved here
    document.Apply(SetElement(document.CurrentPageNumber(), 0, Moved(document, 1)));
    EXPECT_TRUE(document.Modified());
    document.Undo();
    EXPECT_FALSE(document.Modified());
    document.Undo();
    EXPECT_TRUE(document.Modified());  // before the save
    document.Redo();
    EXPECT_FALSE(document.Modified());
}

TEST(History, ANewProjectStartsWithoutStepsAndTheBoundDropsTheOldest) {
    Document document;
    Open(document);
    document.Apply(AddPage(40, ""));
    document.Replace(Project(), "untitled", false);
    EXPECT_FALSE(document.CanUndo());

    document.SetHistoryBounds(3, std::size_t{1} << 30);
    for (uint16_t n = 10; n < 16; ++n)
        document.Apply(AddPage(n, ""));
    EXPECT_EQ(document.Steps().Steps(), 3u);
    while (document.Undo()) {
    }
    // The three newest steps are undone; the pages of the older ones stay.
    EXPECT_EQ(document.Contents().Pages().size(), 1u + 3u);

    // A memory bound smaller than one snapshot keeps none.
    document.SetHistoryBounds(100, 1);
    document.Apply(AddPage(30, ""));
    EXPECT_FALSE(document.CanUndo());
}

}  // namespace
}  // namespace qxed
