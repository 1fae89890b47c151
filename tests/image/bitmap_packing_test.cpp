#include "image/bitmap_packing.h"

#include <gtest/gtest.h>

namespace qxed {
namespace {

using Bytes = std::vector<uint8_t>;

MonoBitmap Dots(int width, int height, std::initializer_list<std::pair<int, int>> set) {
    MonoBitmap bitmap(width, height);
    for (auto [x, y] : set)
        bitmap.Set(x, y, true);
    return bitmap;
}

TEST(BitmapPackingTest, RowLayoutShiftsRightByTheColumnWithinItsByte) {
    const MonoBitmap dot = Dots(1, 1, {{0, 0}});
    EXPECT_EQ(PackBitmap(dot, 0, 0, true), Bytes{0x80});
    EXPECT_EQ(PackBitmap(dot, 5, 0, true), Bytes{0x04});
    EXPECT_EQ(PackBitmap(dot, 13, 9, true), Bytes{0x04});  // only x0 mod 8 counts
    // Two dots that straddle a byte boundary need a second byte.
    EXPECT_EQ(PackBitmap(Dots(2, 1, {{0, 0}, {1, 0}}), 7, 0, true), (Bytes{0x01, 0x80}));
}

TEST(BitmapPackingTest, ColumnLayoutShiftsDownByTheRowWithinItsBand) {
    const MonoBitmap dot = Dots(1, 1, {{0, 0}});
    EXPECT_EQ(PackBitmap(dot, 0, 0, false), Bytes{0x01});
    EXPECT_EQ(PackBitmap(dot, 0, 3, false), Bytes{0x08});
    EXPECT_EQ(PackBitmap(dot, 6, 11, false), Bytes{0x08});
    EXPECT_EQ(PackBitmap(Dots(1, 2, {{0, 0}, {0, 1}}), 0, 7, false), (Bytes{0x80, 0x01}));
}

TEST(BitmapPackingTest, RowLayoutRunsByRowsAndColumnLayoutByColumns) {
    // Top right and bottom left dots of a 2 x 2 square.
    const MonoBitmap square = Dots(2, 2, {{1, 0}, {0, 1}});
    EXPECT_EQ(PackBitmap(square, 0, 0, true), (Bytes{0x40, 0x80}));
    EXPECT_EQ(PackBitmap(square, 0, 0, false), (Bytes{0x02, 0x01}));
    // A 9-dot row needs two bytes per row, a 9-dot column two bands per column.
    MonoBitmap wide(9, 2);
    wide.Set(8, 1, true);
    EXPECT_EQ(PackBitmap(wide, 0, 0, true), (Bytes{0x00, 0x00, 0x00, 0x80}));
    MonoBitmap tall(2, 9);
    tall.Set(1, 8, true);
    EXPECT_EQ(PackBitmap(tall, 0, 0, false), (Bytes{0x00, 0x00, 0x00, 0x01}));
}

TEST(BitmapPackingTest, SizeIsKnownWithoutPacking) {
    for (int width = 0; width <= 17; ++width) {
        for (int height = 0; height <= 17; height += 3) {
            for (int shift = 0; shift < 8; ++shift) {
                const MonoBitmap bitmap(width, height);
                EXPECT_EQ(PackedSize(width, height, shift, 0, true),
                          static_cast<int64_t>(PackBitmap(bitmap, shift, 0, true).size()));
                EXPECT_EQ(PackedSize(width, height, 0, shift, false),
                          static_cast<int64_t>(PackBitmap(bitmap, 0, shift, false).size()));
            }
        }
    }
    EXPECT_EQ(PackedSize(10, 3, 3, 0, true), 6);    // 3 rows of 2 bytes
    EXPECT_EQ(PackedSize(10, 3, 0, 6, false), 20);  // 10 columns of 2 bands
}

}  // namespace
}  // namespace qxed
