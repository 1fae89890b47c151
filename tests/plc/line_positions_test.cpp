#include "plc/line_positions.h"

#include <gtest/gtest.h>

namespace qxed {
namespace {

TEST(LinePositions, EveryPositionStoresACodeThatShowsTheSamePositionAgain) {
    for (int baud = 0; baud < kBaudPositionCount; ++baud)
        for (int data = 0; data < 2; ++data)
            for (int stop = 0; stop < 2; ++stop)
                for (int parity = 0; parity < 3; ++parity) {
                    const LinePositions positions{baud, data, stop, parity};
                    PlcLink link;
                    ApplyPositions(link, positions);
                    EXPECT_EQ(PositionsOfLink(link, LinePositions{0, 0, 0, 0}), positions);
                }
}

TEST(LinePositions, CodesAreThoseTheImageCarries) {
    PlcLink link;
    ApplyPositions(link, LinePositions{4, 0, 1, 1});
    EXPECT_EQ(link.BaudCode, 9);  // 38400
    EXPECT_EQ(link.SevenDataBits, 1);
    EXPECT_EQ(link.OneStopBit, 0);
    EXPECT_EQ(link.Parity, 1);
    ApplyPositions(link, LinePositions{5, 1, 0, 0});
    EXPECT_EQ(link.BaudCode, 10);
    EXPECT_EQ(link.SevenDataBits, 0);
    EXPECT_EQ(link.OneStopBit, 1);
    EXPECT_EQ(link.Parity, 0);
    EXPECT_STREQ(BaudRateText(4), "38400");
    EXPECT_EQ(BaudRateText(6), nullptr);
}

TEST(LinePositions, CodesOutsideTheListsKeepTheShownPositions) {
    PlcLink link;
    link.BaudCode = 7;  // 57600 is not offered
    link.SevenDataBits = 5;
    link.OneStopBit = 9;
    link.Parity = 3;
    const LinePositions shown{2, 0, 1, 1};
    EXPECT_EQ(PositionsOfLink(link, shown), shown);

    // A position outside a list leaves the stored code alone.
    PlcLink kept = link;
    ApplyPositions(kept, LinePositions{-1, 2, 7, 3});
    EXPECT_EQ(kept, link);
}

}  // namespace
}  // namespace qxed
