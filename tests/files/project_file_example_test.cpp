#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "files/project_file.h"
#include "text/file_access.h"

namespace qxed {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes ExampleFile() {
    const auto bytes = file_access::ReadRegularFile(QXED_EXAMPLE_QX2, 1 << 20);
    return bytes ? *bytes : Bytes{};
}

// The example project as the build makes it: every kind, a picture, fonts, alarm texts and global keys.
TEST(ProjectFileExample, SavesAgainByteForByteAndEveryCutIsRefused) {
    const Bytes file = ExampleFile();
    ASSERT_FALSE(file.empty()) << QXED_EXAMPLE_QX2;

    Project loaded;
    ASSERT_EQ(ReadProjectBytes(file, loaded).Status, LoadStatus::Ok);
    std::set<int32_t> kinds;
    for (const Page& page : loaded.Pages())
        for (const Element& element : page.Elements)
            kinds.insert(element.Kind);
    EXPECT_EQ(kinds.size(), 12u);
    EXPECT_EQ(SerializeProject(loaded), file);

    Project again;
    ASSERT_EQ(ReadProjectBytes(SerializeProject(loaded), again).Status, LoadStatus::Ok);
    EXPECT_TRUE(again == loaded);

    for (std::size_t length = 0; length < file.size(); ++length) {
        Project cut;
        const Bytes part(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
        ASSERT_EQ(ReadProjectBytes(part, cut).Status, LoadStatus::FormatWrong) << "length " << length;
    }
}

}  // namespace
}  // namespace qxed
