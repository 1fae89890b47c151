#include "link/comm_link.h"

#include <gtest/gtest.h>

#include <string>

namespace qxed {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Decode(ParityMarkDecoder& decoder, const Bytes& bytes, uint32_t& errors, bool marks = true,
             bool replace = false) {
    return decoder.Decode(bytes.data(), bytes.size(), marks, replace, '?', errors);
}

TEST(CommParityMarks, ErrorMarksAreReportedAndTheirBytesKeptOrReplaced) {
    ParityMarkDecoder decoder;
    uint32_t errors = 0;
    EXPECT_EQ(Decode(decoder, {0x41, 0xFF, 0xFF, 0x42}, errors), (Bytes{0x41, 0xFF, 0x42}));
    EXPECT_EQ(errors, 0u);
    EXPECT_EQ(Decode(decoder, {0x41, 0xFF, 0x00, 0x55, 0x43}, errors), (Bytes{0x41, 0x55, 0x43}));
    EXPECT_EQ(errors, 4u);
    errors = 0;
    EXPECT_EQ(Decode(decoder, {0xFF, 0x00, 0x55, 0xFF, 0x00, 0x00}, errors, true, true), (Bytes{'?', '?'}));
    EXPECT_EQ(errors, 4u);
}

TEST(CommParityMarks, AMarkSplitOverReadsIsStillOneMark) {
    ParityMarkDecoder decoder;
    uint32_t errors = 0;
    EXPECT_EQ(Decode(decoder, {0x10, 0xFF}, errors), (Bytes{0x10}));
    EXPECT_EQ(Decode(decoder, {0x00}, errors), Bytes{});
    EXPECT_EQ(Decode(decoder, {0x66, 0xFF}, errors), (Bytes{0x66}));
    EXPECT_EQ(errors, 4u);
    EXPECT_EQ(Decode(decoder, {0xFF}, errors), (Bytes{0xFF}));

    // Marks switched off half way: the half-read mark passes as it came, and so does everything after.
    EXPECT_EQ(Decode(decoder, {0xFF}, errors), Bytes{});
    EXPECT_EQ(Decode(decoder, {0xFF, 0x00, 0x01}, errors, false), (Bytes{0xFF, 0xFF, 0x00, 0x01}));
}

}  // namespace
}  // namespace qxed
