#include "workbench/element_clipboard.h"

#include <gtest/gtest.h>

#include "document/element_commands.h"
#include "document/project_commands.h"
#include "files/project_file.h"
#include "model/element_defaults.h"
#include "support/recording_prompts.h"
#include "support/sample_project.h"
#include "text/language.h"

namespace qxed {
namespace {

class MemoryClipboard : public ClipboardAccess {
  public:
    std::optional<std::string> Text;
    void PutElement(const std::string& json) override { Text = json; }
    std::optional<std::string> TakeText() const override { return Text; }
};

Rect TwentyWide(const Element& element, const Project&) {
    return Rect{element.X, element.Y, element.X + 20, element.Y + 10};
}

// An editor on a model and PLC type, sharing the clipboard with others.
struct Editor {
    Editor(int model, int plcType, MemoryClipboard& board)
        : clipboard(document, language, prompts, board, TwentyWide) {
        ProjectSettings settings = document.Contents().Settings;
        settings.CurrentModel = static_cast<uint8_t>(model);
        settings.PlcType = plcType;
        document.Apply(SetSettings(settings));
    }
    Document document;
    Language language;
    testing::RecordingPrompts prompts;
    ElementClipboard clipboard;
};

TEST(ElementClipboard, AnElementTravelsWithEveryFieldToAnotherEditor) {
    MemoryClipboard board;
    const Project sample = testing::SampleProject();  // every kind, every field set
    Editor from(2, 21, board);
    Editor to(6, 2, board);  // another model (with touch keys) and another PLC type
    for (const Page& page : sample.Pages()) {
        for (const Element& element : page.Elements) {
            SCOPED_TRACE(element.Kind);
            from.document.Apply(PlaceElement(element));
            ASSERT_TRUE(from.clipboard.Copy());
            ASSERT_TRUE(board.Text.has_value());
            EXPECT_NE(board.Text->find("\"Kind\""), std::string::npos);
            ASSERT_TRUE(to.clipboard.Paste()) << to.prompts.Last();
            Element expected = element;
            // Pulled inside a 432 x 144 screen for a 20 x 10 rectangle; the fields as they were.
            expected.X = std::clamp(expected.X, 0, 412);
            expected.Y = std::clamp(expected.Y, 0, 134);
            EXPECT_EQ(to.document.CurrentPage().Elements.front(), expected);
        }
    }
}

TEST(ElementClipboard, CutIsOneStepAndPasteRefusesWhatTheModelCannotShow) {
    MemoryClipboard board;
    Editor editor(6, 21, board);  // QX223: 432 x 144, touch keys
    Element key = NewElement(editor.document.Contents(), static_cast<int32_t>(ElementKind::TouchKey));
    key.X = 500;  // beyond this screen
    editor.document.Apply(PlaceElement(key));
    const std::vector<uint8_t> placed = SerializeProject(editor.document.Contents());
    ASSERT_TRUE(editor.clipboard.Cut());
    EXPECT_TRUE(editor.document.CurrentPage().Elements.empty());
    editor.document.Undo();
    EXPECT_EQ(SerializeProject(editor.document.Contents()), placed);

    ASSERT_TRUE(editor.clipboard.Paste());
    EXPECT_EQ(editor.document.CurrentPage().Elements.front().X, 432 - 20);

    Editor without(1, 21, board);  // QX220: no touch keys
    EXPECT_FALSE(without.clipboard.Paste());
    EXPECT_EQ(without.prompts.Last().Text, "当前显示器不能显示这种部件！");
    EXPECT_TRUE(without.document.CurrentPage().Elements.empty());

    for (const std::optional<std::string>& text :
         {std::optional<std::string>("just words"),
          std::optional<std::string>(R"({"Kind": "Reg", "Digits": "x"})"), std::optional<std::string>()}) {
        board.Text = text;
        EXPECT_FALSE(without.clipboard.Paste());
        EXPECT_EQ(without.prompts.Last().Text, "剪贴板中没有可以粘贴的部件。");
    }
    EXPECT_FALSE(without.document.Modified() && !without.document.CurrentPage().Elements.empty());
}

}  // namespace
}  // namespace qxed
