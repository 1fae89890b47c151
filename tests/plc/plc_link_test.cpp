#include "plc/plc_link.h"

#include <gtest/gtest.h>

#include <set>

#include "plc/plc_catalogue.h"

namespace qxed {
namespace {

TEST(PlcLinkTest, NewLinkCarriesTheLineDefaultsOfItsType) {
    PlcLink applied;
    ApplyLineSettings(applied, LineSettings{3, 0, 1, 0});
    ApplyLineSettings(applied, DefaultLineSettings(applied.PlcType).value());
    EXPECT_EQ(applied, PlcLink{});
}

TEST(PlcLinkTest, FramesBecomeLineCodes) {
    EXPECT_EQ(DefaultLineSettings(3), (LineSettings{5, 2, 1, 0}));    // 9600 7 E 2
    EXPECT_EQ(DefaultLineSettings(1), (LineSettings{5, 1, 0, 1}));    // 9600 8 O 1
    EXPECT_EQ(DefaultLineSettings(12), (LineSettings{9, 0, 0, 1}));   // 38400 8 N 1
    EXPECT_EQ(DefaultLineSettings(20), (LineSettings{10, 2, 0, 1}));  // 115200 8 E 1
}

TEST(PlcLinkTest, OnlySharpAbAndUnknownTypesKeepTheLine) {
    const std::set<int> producedCodes = {3, 4, 5, 6, 9, 10};
    for (int type = -1; type <= PlcTypeCount; ++type) {
        const auto settings = DefaultLineSettings(type);
        const bool keeps = type == 5 || type == 9 || type < 0 || type == PlcTypeCount;
        ASSERT_EQ(settings.has_value(), !keeps) << type;
        if (keeps) continue;
        EXPECT_EQ(producedCodes.count(settings->BaudCode), 1u) << type;
        EXPECT_LE(settings->Parity, 2);
    }
}

}  // namespace
}  // namespace qxed
