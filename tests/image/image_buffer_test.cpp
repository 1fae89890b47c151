#include "image/image_buffer.h"

#include <gtest/gtest.h>

#include "image/image_format.h"

namespace qxed {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(ImageBufferTest, NumbersBeyondTheirFieldsAreRefusedNotWrapped) {
    for (auto write : {+[](ImageBuffer& b) { b.U8(256); }, +[](ImageBuffer& b) { b.U8(-1); },
                       +[](ImageBuffer& b) { b.U16(65536); }, +[](ImageBuffer& b) { b.Field(256, 1); }}) {
        ImageBuffer refused;
        write(refused);
        EXPECT_TRUE(refused.Refused());
        EXPECT_FALSE(refused.Overflowed());
    }
}

TEST(ImageBufferTest, TheWritePositionStopsAtTheLimit) {
    ImageBuffer out;
    out.Bytes(Bytes(image_format::kWriteLimit - 1, 0xAA));
    out.U8(1);
    EXPECT_TRUE(out.Sound());
    EXPECT_EQ(out.Size(), image_format::kWriteLimit);
    out.U8(2);
    EXPECT_TRUE(out.Overflowed());
    EXPECT_EQ(out.Size(), image_format::kWriteLimit);

    ImageBuffer block;
    block.Bytes(Bytes(image_format::kWriteLimit + 1, 0));
    EXPECT_TRUE(block.Overflowed());
}

}  // namespace
}  // namespace qxed
