#include "workbench/element_placing.h"

#include <gtest/gtest.h>

#include "document/element_commands.h"
#include "document/project_commands.h"
#include "support/recording_prompts.h"
#include "support/sample_project.h"
#include "support/temp_folder.h"
#include "text/language.h"
#include "workbench_fixture.h"

namespace qxed {
namespace {

// Every element is 20 x 10 editor units, a text as wide as its content's bytes times 10: enough to test
// selecting and moving without the preview's text measuring.
Rect FakeExtent(const Element& element, const Project&) {
    int width = 20;
    if (const auto* text = element.If<TextFields>()) width = 10 * static_cast<int>(text->Content.size());
    return Rect{element.X, element.Y, element.X + width, element.Y + 10};
}

class RecordingPlacingView : public PlacingView {
  public:
    std::optional<Rect> Ghost;
    std::optional<int32_t> Button;
    int Focused = 0;
    void ShowGhost(const std::optional<Rect>& ghost) override { Ghost = ghost; }
    void ShowPlacingButton(std::optional<int32_t> kind) override { Button = kind; }
    void FocusPreview() override { ++Focused; }
};

struct Preview {
    // A project on the given model (2: 400 x 300, step 10, Z 20; 0: 432 x 144, step 9, Z 36).
    explicit Preview(int model) : placing(document, language, prompts, chooser, FakeExtent) {
        ProjectSettings settings = document.Contents().Settings;
        settings.CurrentModel = static_cast<uint8_t>(model);
        document.Apply(SetSettings(settings));
        placing.SetView(&view);
        document.SetModified(false);
    }
    // A text of `bytes` characters at x, y in front, selected; the project counts as unmodified.
    void TextAt(int x, int y, int bytes = 2) {
        Element element = NewElement(document.Contents(), static_cast<int32_t>(ElementKind::Text));
        element.X = x;
        element.Y = y;
        element.As<TextFields>().Content = std::string(static_cast<std::size_t>(bytes), 'x');
        document.Apply(PlaceElement(element));
        document.SetModified(false);
    }
    const Element& Front() const { return document.CurrentPage().Elements.front(); }

    Document document;
    Language language;
    testing::RecordingPrompts prompts;
    testing::ScriptedChooser chooser;
    RecordingPlacingView view;
    ElementPlacing placing;
};

TEST(ElementPlacing, DraggingMovesInWholeStepsAndStopsExactlyAtTheEdges) {
    struct Case {
        const char* name;
        int startX;
        int mouseDx;  // mouse travel from the press
        int endX;
    };
    const std::vector<Case> cases = {
        {"5 right is one step", 100, 5, 110},
        {"4 right is none", 100, 4, 100},
        {"5 left is none", 100, -5, 100},
        {"14 left is none", 100, -14, 100},
        {"15 left is one step", 100, -15, 90},
        {"4 from the left edge, a step left", 4, -15, 0},
        {"at the left edge, a step left", 0, -15, 0},
        {"near the right edge, a step right", 375, 5, 380},  // 20 wide in a 400 wide image
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Preview preview(2);
        preview.TextAt(c.startX, 50);
        preview.placing.Image1MouseDown(MouseButton::Left, c.startX + 1, 51);
        ASSERT_TRUE(preview.placing.Dragging());
        preview.placing.Image1MouseMove(c.startX + 1 + c.mouseDx, 51);
        preview.placing.Image1MouseUp(MouseButton::Left, 0, 0);
        EXPECT_EQ(preview.Front().X, c.endX);
        EXPECT_EQ(preview.document.Modified(), c.endX != c.startX);
    }
}

TEST(ElementPlacing, ArrowKeysMoveAGridStepStopAtTheEdgesAndAreOneStepForUndo) {
    Preview preview(2);  // 400 x 300, step 10; a text 20 wide, 10 high
    preview.TextAt(4, 100);
    preview.placing.Image1MouseDown(MouseButton::Left, 5, 101);
    preview.placing.Image1MouseUp(MouseButton::Left, 5, 101);
    EXPECT_TRUE(preview.placing.ArrowKey(-1, 0));  // against the edge: exactly at it
    EXPECT_EQ(preview.Front().X, 0);
    EXPECT_FALSE(preview.placing.ArrowKey(-1, 0));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(preview.placing.ArrowKey(1, 1));
    EXPECT_EQ(preview.Front().X, 30);
    EXPECT_EQ(preview.Front().Y, 130);
    preview.placing.ArrowKey(0, 1);
    EXPECT_EQ(preview.Front().Y, 140);
    // Five presses, one step back to where the element was selected.
    preview.document.Undo();
    EXPECT_EQ(preview.Front().X, 4);
    EXPECT_EQ(preview.Front().Y, 100);
    // Not while the focus is in a field.
    preview.placing.ViewImagePanelExit();
    EXPECT_FALSE(preview.placing.ArrowKey(1, 0));
}

TEST(ElementPlacing, AClickSelectsTheFrontMostElementUnderItAndBringsItToTheFront) {
    Preview preview(2);
    preview.TextAt(0, 0, 4);                                    // back: 0..40
    preview.TextAt(30, 0, 4);                                   // front: 30..70
    preview.placing.Image1MouseDown(MouseButton::Left, 35, 5);  // both: the front one
    preview.placing.Image1MouseUp(MouseButton::Left, 35, 5);
    EXPECT_EQ(preview.Front().X, 30);
    preview.placing.Image1MouseDown(MouseButton::Left, 10, 5);  // only the back one: it comes to the front
    preview.placing.Image1MouseUp(MouseButton::Left, 10, 5);
    EXPECT_EQ(preview.Front().X, 0);
    EXPECT_TRUE(preview.document.ElementSelected());
    preview.placing.Image1MouseDown(MouseButton::Left, 200, 200);  // nothing there
    EXPECT_FALSE(preview.document.ElementSelected());
    EXPECT_FALSE(preview.document.Modified());
}

TEST(ElementPlacing, APlacedElementGoesWhereTheGhostIsAndTheGhostStaysInside) {
    Preview preview(0);  // 432 x 144, step 9
    preview.placing.StartPlacing(static_cast<int32_t>(ElementKind::Text), true, 8);
    ASSERT_TRUE(preview.view.Ghost.has_value());
    EXPECT_EQ(preview.view.Button, static_cast<int32_t>(ElementKind::Text));
    // The default text is 6 bytes of GBK ("文字串"): 6 x 36 / 2 = 108 wide, one row of 36 high.
    EXPECT_EQ(*preview.view.Ghost, (Rect{432 - 108, 0, 432, 36}));
    preview.placing.Image1MouseMove(430, 140);  // the bottom right corner: the ghost stays inside
    EXPECT_EQ(*preview.view.Ghost, (Rect{432 - 108, 144 - 36, 432, 144}));
    preview.placing.Image1MouseMove(20, 20);  // snapped to the step grid
    EXPECT_EQ(*preview.view.Ghost, (Rect{18, 18, 126, 54}));

    preview.placing.Image1MouseDown(MouseButton::Left, 20, 20);
    preview.placing.Image1MouseUp(MouseButton::Left, 20, 20);
    EXPECT_FALSE(preview.placing.PlacingKind().has_value());
    EXPECT_EQ(preview.view.Button, std::nullopt);
    ASSERT_EQ(preview.document.CurrentPage().Elements.size(), 1u);
    EXPECT_EQ(preview.Front().X, 18);
    EXPECT_EQ(preview.Front().Y, 18);
    EXPECT_TRUE(preview.document.ElementSelected());

    // A right click, Escape and a second click on the button only end placing.
    for (const std::function<void()>& end : std::vector<std::function<void()>>{
             [&] { preview.placing.Image1MouseUp(MouseButton::Right, 0, 0); },
             [&] { preview.placing.EscapePressed(); },
             [&] { preview.placing.StartPlacing(static_cast<int32_t>(ElementKind::Bar), false, 86); }}) {
        preview.placing.StartPlacing(static_cast<int32_t>(ElementKind::Bar), true, 86);
        end();
        EXPECT_FALSE(preview.placing.PlacingKind().has_value());
    }
    EXPECT_EQ(preview.document.CurrentPage().Elements.size(), 1u);
}

TEST(ElementPlacing, AnErasedTextDisappearsAtTheNextClick) {
    Preview preview(0);
    preview.TextAt(0, 0);
    Element erased = preview.Front();
    erased.As<TextFields>().Content.clear();
    preview.document.Apply(SetElement(preview.document.CurrentPageNumber(), 0, erased));
    preview.placing.Image1MouseDown(MouseButton::Left, 300, 100);
    EXPECT_TRUE(preview.document.CurrentPage().Elements.empty());
}

TEST(ElementPlacing, DeleteWorksOnlyWithThePreviewFocusedAndAnElementSelected) {
    Preview preview(0);
    preview.TextAt(0, 0);
    preview.placing.ViewImagePanelExit();  // typing Delete in a property field
    EXPECT_FALSE(preview.placing.EditDelExecute());
    EXPECT_EQ(preview.document.CurrentPage().Elements.size(), 1u);
    preview.placing.Image1MouseDown(MouseButton::Left, 5, 5);
    EXPECT_EQ(preview.view.Focused, 1);
    EXPECT_TRUE(preview.placing.EditDelExecute());
    EXPECT_TRUE(preview.document.CurrentPage().Elements.empty());
    EXPECT_FALSE(preview.placing.EditDelExecute());  // nothing selected any more
}

TEST(ElementPlacing, PositionFieldsTakeOnlyPositionsThatKeepTheElementInside) {
    Preview preview(0);  // Z 36: panel dot 10 is (360 + 8) / 16 = 23 editor units
    preview.TextAt(0, 0, 2);
    EXPECT_TRUE(preview.placing.CommitX(10));
    EXPECT_EQ(preview.Front().X, 23);
    EXPECT_FALSE(preview.placing.CommitX(-1));
    EXPECT_FALSE(preview.placing.CommitX(185));  // (185 x 36 + 8) / 16 = 416, and 416 + 20 > 432
    EXPECT_TRUE(preview.placing.CommitX(183));   // 412 + 20 = 432
    EXPECT_FALSE(preview.placing.CommitY(61));   // 137 + 10 > 144
    EXPECT_TRUE(preview.placing.CommitY(59));
    EXPECT_EQ(preview.Front().Y, 133);

    // A wider text is pulled back inside by fit width.
    Element wide = preview.Front();
    wide.As<TextFields>().Content = std::string(10, 'x');
    preview.document.Apply(SetElement(preview.document.CurrentPageNumber(), 0, wide));
    preview.placing.FitWidth();
    EXPECT_EQ(preview.Front().X, 432 - 100);
}

TEST(ElementPlacing, APictureIsPlacedFromItsFileOrRefusedWithAMessage) {
    Preview preview(0);
    testing::TempFolder folder;
    const std::string good = folder.File("frame.bmp");
    testing::WriteBytes(good, std::string(reinterpret_cast<const char*>(testing::SampleColourBmp().data()),
                                          testing::SampleColourBmp().size()));
    const std::string bad = folder.File("bad.bmp");
    testing::WriteBytes(bad, "not a picture");

    preview.chooser.Files.push_back(bad);
    preview.placing.StartPlacing(static_cast<int32_t>(ElementKind::Pic), true, 60);
    EXPECT_FALSE(preview.placing.PlacingKind().has_value());
    EXPECT_EQ(preview.prompts.Last(),
              (testing::RecordedMessage{"文件格式错误，无法放置图片！", "图片", MessageIcon::Error}));

    preview.chooser.Files.push_back(good);
    preview.placing.StartPlacing(static_cast<int32_t>(ElementKind::Pic), true, 60);
    ASSERT_TRUE(preview.placing.PlacingKind().has_value());
    // 3 x 2 dots anchored bottom right: (3 x 36 + 8) / 16 = 7, (2 x 36 + 8) / 16 = 5.
    EXPECT_EQ(*preview.view.Ghost, (Rect{432 - 7, 144 - 5, 432, 144}));
    preview.placing.Image1MouseUp(MouseButton::Left, 0, 0);
    const PicFields& picture = preview.Front().As<PicFields>();
    EXPECT_EQ(picture.Width, 7);
    EXPECT_EQ(picture.Height, 5);
    // Stored as a 1-bit picture masked against white: the white pixel is clear, the others set.
    EXPECT_FALSE(picture.Bitmap.empty());
    EXPECT_EQ(picture.Bitmap[28], 1);  // bits per pixel
}

}  // namespace
}  // namespace qxed
