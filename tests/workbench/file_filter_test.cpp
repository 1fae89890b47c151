#include "workbench/file_filter.h"

#include <gtest/gtest.h>

namespace qxed {
namespace {

TEST(FileFilter, TheLanguageFormBecomesDialogChoices) {
    const auto project = ParseFileFilter("QXED画面数据文件 (*.qx2)|*.qx2|所有文件 (*.*)|*.*");
    ASSERT_EQ(project.size(), 2u);
    EXPECT_EQ(DialogFilterName(project[0]), "QXED画面数据文件 (*.qx2)");
    EXPECT_EQ(ExtensionOf(project[0]), ".qx2");
    EXPECT_EQ(ExtensionOf(project[1]), "");

    // A translated name that does not show its patterns gets them; several patterns and a dangling name.
    const auto pictures = ParseFileFilter("Bitmaps|*.bmp; *.dib|Everything");
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0], (FilterChoice{"Bitmaps", {"*.bmp", "*.dib"}}));
    EXPECT_EQ(DialogFilterName(pictures[0]), "Bitmaps (*.bmp *.dib)");
    EXPECT_TRUE(ParseFileFilter("").empty());
    EXPECT_TRUE(ParseFileFilter("Name|").empty());
}

}  // namespace
}  // namespace qxed
