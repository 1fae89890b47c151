#include <gtest/gtest.h>

#include <filesystem>

#include "document/element_commands.h"
#include "image/glyph_store.h"
#include "model/element_defaults.h"
#include "text/settings_paths.h"
#include "workbench/qx200_app_form.h"
#include "workbench_fixture.h"

namespace qxed {
namespace {

using testing::ScriptedDialogs;
using testing::Workbench;

TEST(QX200AppForm, RunOnVirtualPanelCompilesTheProjectAndOpensThePanelWindow) {
    Workbench bench;
    QX200AppForm& form = bench.Show();
    EXPECT_FALSE(bench.Enabled(ActionId::ToolVirtualPanel)) << "no project yet";
    bench.dialogs.PlcAnswers.push_back(ScriptedDialogs::ChoosePlc(3));
    form.FileNewExecute();
    EXPECT_TRUE(bench.Enabled(ActionId::ToolVirtualPanel));

    // The new project shows no text, so the build needs no glyph file; the panel's own font is missing.
    form.ToolVirtualPanelExecute();
    EXPECT_EQ(bench.prompts.Last(), (testing::RecordedMessage{"7460022.dat 不存在！", "模拟运行", MessageIcon::Error}));
    EXPECT_TRUE(bench.dialogs.Panels.empty());

    std::filesystem::copy_file(ProgramFolder() + "/" + std::string(kSingleByteGlyphFile),
                               bench.ProgramFolder() + "/" + std::string(kSingleByteGlyphFile));
    bench.prompts.Clear();
    form.ToolVirtualPanelExecute();
    EXPECT_TRUE(bench.prompts.Silent());
    ASSERT_EQ(bench.dialogs.Panels.size(), 1u);
    const VirtualPanel& panel = bench.dialogs.Panels.front();
    EXPECT_EQ(panel.Model(), bench.document->Contents().Settings.CurrentModel);
    EXPECT_EQ(panel.CurrentPage(), 1);
    EXPECT_FALSE(bench.document->Modified()) << "running changes nothing in the project";

    // A text needs its glyph file, which this program folder lacks: the build's own message, no window.
    bench.document->Apply(PlaceElement(NewElement(bench.document->Contents(), static_cast<int32_t>(ElementKind::Text))));
    form.ToolVirtualPanelExecute();
    EXPECT_FALSE(bench.prompts.Silent());
    EXPECT_EQ(bench.dialogs.Panels.size(), 1u);
}

}  // namespace
}  // namespace qxed
