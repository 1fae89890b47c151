#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "image/glyph_store.h"
#include "image/image_fixture.h"
#include "image/image_build.h"
#include "model/editor_units.h"
#include "model/panel_model.h"
#include "model/project.h"
#include "support/recording_prompts.h"
#include "support/sample_project.h"
#include "text/language.h"
#include "text/settings_paths.h"
#include "vpanel/virtual_panel.h"

namespace qxed::testing {

class QuietProgress : public BuildProgress {
  public:
    void Begin(const std::string&, int) override {}
    void Advance() override {}
    bool CancelRequested() override { return false; }
};

template <class Fields>
Fields& AddElement(Page& page, ElementKind kind, int model, int x, int y) {
    Element element;
    element.Kind = static_cast<int32_t>(kind);
    element.Fields.emplace<Fields>();
    element.X = Units(x, model);
    element.Y = Units(y, model);
    page.Elements.push_back(std::move(element));
    return page.Elements.back().As<Fields>();
}

inline std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The panel font read from the generated single-byte glyph file.
inline PanelFont GeneratedFont() {
    const std::optional<PanelFont> font = PanelFont::Load(ProgramFolder());
    if (!font) ADD_FAILURE() << "no single-byte glyph file in " << ProgramFolder();
    return font.value_or(*PanelFont::FromBytes(std::vector<uint8_t>(PanelFont::kBytes)));
}

// The project compiled with the generated glyph files, as a download would compile it.
inline std::vector<uint8_t> BuildImage(const Project& project) {
    static const Language texts;
    RecordingPrompts prompts;
    QuietProgress progress;
    const ImageBuildContext context{&texts, TextLanguage::sCh, ProgramFolder()};
    BuildOutcome outcome = PreparePageContent(project, context, progress, prompts);
    EXPECT_EQ(outcome.Status, BuildStatus::Built) << (prompts.Silent() ? "" : prompts.Last().Text);
    return std::move(outcome.Image.Bytes);
}

inline VirtualPanel StartPanel(const Project& project) {
    PanelStartResult started =
        VirtualPanel::Start(BuildImage(project), project.Settings.CurrentModel, GeneratedFont());
    if (!started.Panel) {
        ADD_FAILURE() << started.Error;
        std::abort();
    }
    return std::move(*started.Panel);
}

// The part of the screen at (x, y) of the size of `dots`.
inline MonoBitmap Region(const MonoBitmap& screen, int x, int y, int width, int height) {
    MonoBitmap part(width, height);
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            part.Set(column, row, screen.IsSet(x + column, y + row));
    return part;
}

}  // namespace qxed::testing

namespace qxed {
// Failures show bitmaps as rows of dots.
inline void PrintTo(const MonoBitmap& bitmap, std::ostream* out) {
    *out << bitmap.Width << " x " << bitmap.Height << "\n";
    for (int y = 0; y < bitmap.Height && y < 64; ++y) {
        for (int x = 0; x < bitmap.Width && x < 200; ++x)
            *out << (bitmap.IsSet(x, y) ? '#' : '.');
        *out << "\n";
    }
}
}  // namespace qxed

namespace qxed::testing {

inline int CountSet(const MonoBitmap& bitmap) {
    int count = 0;
    for (const uint8_t dot : bitmap.Dots)
        count += dot != 0;
    return count;
}

// One element of every kind on page 1 (a second page follows), with operands, a picture and fonts, placed
// within the smallest screen.
inline Project AllKindsProject(int model) {
    Project project = SmallProject(model);
    project.AddPage(2, "");
    Page& page = project.Pages().front();
    AddElement<TextFields>(page, ElementKind::Text, model, 0, 0).Content = "T\xB0\xA1";
    AddElement<RegFields>(page, ElementKind::Reg, model, 24, 0).NeedSet = 1;
    AddElement<LampFields>(page, ElementKind::Lamp, model, 64, 0);
    AddElement<FuncKeyFields>(page, ElementKind::FuncKey, model, 80, 0);
    TrendFields& trend = AddElement<TrendFields>(page, ElementKind::Trend, model, 0, 16);
    trend.Width = Units(30, model);
    trend.Height = Units(20, model);
    BarFields& bar = AddElement<BarFields>(page, ElementKind::Bar, model, 32, 16);
    bar.Width = Units(12, model);
    bar.Height = Units(20, model);
    PicFields& pic = AddElement<PicFields>(page, ElementKind::Pic, model, 48, 18);
    pic.Bitmap = SampleMonoBmp(9, 7);
    pic.Width = Units(9, model);
    pic.Height = Units(7, model);
    VarTextFields& var = AddElement<VarTextFields>(page, ElementKind::VarText, model, 60, 16);
    var.Count = 2;
    var.Texts[0] = "x";
    var.Texts[1] = "yy";
    var.MaxLen = 2;
    FontTextFields& font = AddElement<FontTextFields>(page, ElementKind::FontText, model, 0, 40);
    font.Content = "Fo";
    font.Font = SampleFont("宋体", 9, 0);
    TouchKeyFields& touch = AddElement<TouchKeyFields>(page, ElementKind::TouchKey, model, 30, 40);
    touch.Content = "K";
    touch.Font = SampleFont("宋体", 9, 0);
    VarFontTextFields& varFont = AddElement<VarFontTextFields>(page, ElementKind::VarFontText, model, 60, 40);
    varFont.Count = 2;
    varFont.Texts[0] = "a";
    varFont.Texts[1] = "bc";
    varFont.Font = SampleFont("宋体", 9, 0);
    varFont.MaxWidth = Units(20, model);
    varFont.MaxHeight = Units(16, model);
    AddElement<ASCIITextFields>(page, ElementKind::ASCIIText, model, 90, 40).CharNum = 3;
    project.Settings.AlarmCount = 1;
    project.AlarmTexts[0] = "al";
    return project;
}

}  // namespace qxed::testing
