#include "plc/plc_profile.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

namespace qxed {
namespace {

using Names = std::vector<std::string>;

TEST(PlcProfileTest, BoundedTypes) {
    EXPECT_EQ(PlcProfileOf(11).CoilNumberMax, 159);
    EXPECT_EQ(PlcProfileOf(29).CoilNumberMax, 2559);

    const PlcProfile crouzet = PlcProfileOf(24);
    EXPECT_EQ(crouzet.CoilNumberMin, 1);
    EXPECT_FALSE(crouzet.AlarmListAvailable);
    EXPECT_TRUE(crouzet.ClockModuleAvailable);
    EXPECT_EQ(crouzet.AnalogModuleMax, 24);
}

TEST(PlcProfileTest, TypesWithoutOperandsGetAnEmptyProfile) {
    for (int type : {5, 9, -1, 40, INT_MAX}) {
        const PlcProfile p = PlcProfileOf(type);
        EXPECT_TRUE(p.RegisterTypes.empty() && p.CoilTypes.empty()) << type;
        EXPECT_EQ(p.RegisterNumberMin | p.RegisterNumberMax | p.CoilNumberMin | p.CoilNumberMax, 0);
        EXPECT_FALSE(p.StationShown || p.RegisterCountSelectable || p.AdvancedFunctions ||
                     p.AlarmListAvailable || p.ClockModuleAvailable);
        EXPECT_TRUE(RegisterTypeNames(type, RegisterList::WordAlone).empty());
    }
    // The panel settings' module count of 1 stays valid under every type.
    for (int type = -1; type <= PlcTypeCount; ++type)
        EXPECT_GE(PlcProfileOf(type).AnalogModuleMax, 1) << type;
}

TEST(PlcProfileTest, OnlySiemensOffersAWordRegisterAlone) {
    EXPECT_EQ(RegisterTypeNames(2, RegisterList::WordAlone), Names{"VW"});
    for (int type = 0; type < PlcTypeCount; ++type) {
        EXPECT_EQ(RegisterTypeNames(type, RegisterList::Full), PlcProfileOf(type).RegisterTypes);
        if (type != 2) {
            EXPECT_EQ(RegisterTypeNames(type, RegisterList::WordAlone), PlcProfileOf(type).RegisterTypes);
        }
    }
}

TEST(PlcProfileTest, BitFieldPerCoilType) {
    ASSERT_EQ(PlcProfileOf(4).CoilTypes, (Names{"M", "MX"}));
    EXPECT_EQ(BitFieldOf(4, 0), BitField::None);
    EXPECT_EQ(BitFieldOf(4, 1), BitField::Bits8);
    EXPECT_EQ(BitFieldOf(4, 7), BitField::Bits8);  // a stored index beyond the list
    for (int type = 0; type < PlcTypeCount; ++type) {
        const PlcProfile profile = PlcProfileOf(type);
        for (int index = -1; type != 4 && index <= static_cast<int>(profile.CoilTypes.size()); ++index)
            EXPECT_EQ(BitFieldOf(type, index), profile.BitField) << type << " " << index;
    }
}

TEST(PlcProfileTest, BitLabelsHaveOneDistinctLabelPerBit) {
    for (BitField field : {BitField::Bits8, BitField::Bits16Hex, BitField::Bits16Dec}) {
        const Names labels = BitLabels(field);
        EXPECT_EQ(labels.size(), static_cast<size_t>(BitsPerWord(field)));
        EXPECT_EQ(std::set<std::string>(labels.begin(), labels.end()).size(), labels.size());
    }
    EXPECT_EQ(BitLabels(BitField::Bits16Hex)[10], "A");
    EXPECT_EQ(BitLabels(BitField::Bits16Dec)[5], "05");
}

}  // namespace
}  // namespace qxed
