// Inputs the project fuzzers found, cut down to what causes the fault.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "files/project_file.h"
#include "files/project_json.h"
#include "model/element.h"

namespace qxed {
namespace {

// A font whose Height and Size disagree. The file reader lets the stored size decide the height, so a made
// project holding both would open with another font once saved: the disagreement is refused with its path,
// and a pair that agrees saves as it opens.
TEST(ProjectFuzzRegressions, AJsonFontWhoseHeightAndSizeDisagreeIsRefused) {
    Project made;
    const std::optional<JsonFormError> error = MakeProjectFromJson(
        R"({"pages":[{"Number":1,"elements":[{"Kind":"TouchKey","Font":{"Height":3,"Size":9}}]}]})", made);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Path, "pages[0].elements[0].Font.Height");
    EXPECT_NE(error->Message.find("-12"), std::string::npos) << error->Message;

    ASSERT_FALSE(MakeProjectFromJson(
        R"({"pages":[{"Number":1,"elements":[{"Kind":"TouchKey","Font":{"Height":-16,"Size":12}}]}]})",
        made));
    const std::vector<uint8_t> saved = SerializeProject(made);
    Project opened;
    ASSERT_EQ(ReadProjectBytes(saved, opened).Status, LoadStatus::Ok);
    const FontDesc* openedFont = FontOf(opened.Pages().front().Elements.at(0));
    ASSERT_TRUE(openedFont != nullptr);
    EXPECT_EQ(openedFont->Height, -16);
    EXPECT_EQ(openedFont->Size, 12);
    EXPECT_TRUE(SerializeProject(opened) == saved);
}

// An element of a kind this editor does not know opens from a file with its code and no fields; its JSON
// form keeps the code, so dump and make give the same file back.
TEST(ProjectFuzzRegressions, AnUnknownElementKindSurvivesTheJsonForm) {
    Project project;
    MakeProjectFromJson(R"({"pages":[{"Number":1,"elements":[{"Kind":"Text","Content":"A"}]}]})", project);
    Element unknown;
    unknown.Kind = 13;
    unknown.X = 7;
    project.Pages().front().Elements.push_back(unknown);
    const std::vector<uint8_t> saved = SerializeProject(project);

    Project opened;
    ASSERT_EQ(ReadProjectBytes(saved, opened).Status, LoadStatus::Ok);
    Project made;
    ASSERT_FALSE(MakeProjectFromJson(DumpProjectJson(opened, std::nullopt), made));
    EXPECT_EQ(made.Pages().front().Elements.at(1).Kind, 13);
    EXPECT_TRUE(SerializeProject(made) == saved);
}

// Pages a file lists out of number order come out in order, as the page list keeps them; pages of one number
// keep the file's order.
TEST(ProjectFuzzRegressions, PagesOutOfOrderInAFileOpenInNumberOrder) {
    Project project;
    MakeProjectFromJson(R"({"pages":[{"Number":1,"Title":"a"},{"Number":2,"Title":"b"},{"Number":3}]})",
                        project);
    // Reorder the list behind the model's back, as a foreign file would have it: 3, 2 ("b"), 2 ("c"), 1.
    project.Pages().reverse();
    auto second = std::next(project.Pages().begin());
    Page twin = *second;
    twin.Title = "c";
    project.Pages().insert(std::next(second), twin);

    Project opened;
    ASSERT_EQ(ReadProjectBytes(SerializeProject(project), opened).Status, LoadStatus::Ok);
    std::vector<std::pair<int, std::string>> order;
    for (const Page& page : opened.Pages())
        order.emplace_back(page.Number, page.Title);
    const std::vector<std::pair<int, std::string>> expected{{1, "a"}, {2, "b"}, {2, "c"}, {3, ""}};
    EXPECT_EQ(order, expected);
}

}  // namespace
}  // namespace qxed
