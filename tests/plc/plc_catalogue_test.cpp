#include "plc/plc_catalogue.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

namespace qxed {
namespace {

TEST(PlcCatalogueTest, SelectionListShowsEveryTypeOnce) {
    std::set<int> types;
    for (int position = 0; position < PlcTypeCount; ++position) {
        const int type = PlcTypeAtListPosition(position);
        ASSERT_NE(FindPlcType(type), nullptr) << position;
        types.insert(type);
        EXPECT_EQ(ListPositionOfPlcType(type), position);
    }
    EXPECT_EQ(types.size(), static_cast<size_t>(PlcTypeCount));
    EXPECT_EQ(PlcTypeAtListPosition(2), 21);
    for (int outside : {-1, PlcTypeCount, INT_MIN, INT_MAX}) {
        EXPECT_EQ(PlcTypeAtListPosition(outside), 21);
        EXPECT_EQ(ListPositionOfPlcType(outside), 2);
        EXPECT_EQ(FindPlcType(outside), nullptr);
    }
}

TEST(PlcCatalogueTest, IdentifiersRoundTripExactly) {
    for (int type = 0; type < PlcTypeCount; ++type)
        EXPECT_EQ(PlcTypeOfIdentifier(PlcIdentifier(type)), type);
    EXPECT_EQ(PlcTypeOfIdentifier("LG Modbus"), 10);
    for (const char* unknown : {"siemens", "Siemens ", ""})
        EXPECT_EQ(PlcTypeOfIdentifier(unknown), std::nullopt);
}

TEST(PlcCatalogueTest, OperandNamesAreUtf8) {
    EXPECT_EQ(FindPlcType(34)->RegisterTypes[0], "\xE7\x8A\xB6\xE6\x80\x81");  // Delixi "status"
}

}  // namespace
}  // namespace qxed
