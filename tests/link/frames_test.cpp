#include "link/frames.h"

#include <gtest/gtest.h>

#include "link/driver_file.h"

namespace qxed {
namespace {

TEST(Frames, AnEraseAtThreePercentReadsAsThePanelExpectsIt) {
    const std::vector<uint8_t> frame = MakeFrame(ProgressByte(3, 100), ErasePayload(3));
    EXPECT_EQ(HexBytes(frame), "03 03 81 03 76");
    EXPECT_TRUE(ChecksumHolds(frame));
    std::vector<uint8_t> broken = frame;
    broken[2] ^= 0x01;
    EXPECT_FALSE(ChecksumHolds(broken));
    EXPECT_FALSE(ChecksumHolds({}));
}

TEST(Frames, ProgressIsBcdRoundedHalfUpClampedAndFullReadsNinetyNine) {
    EXPECT_EQ(ProgressByte(0, 616), 0x00);
    EXPECT_EQ(ProgressByte(1, 200), 0x01);    // 0.5 % rounds up
    EXPECT_EQ(ProgressByte(1, 201), 0x00);    // 0.497 % rounds down
    EXPECT_EQ(ProgressByte(127, 200), 0x64);  // 63.5 % → 64
    EXPECT_EQ(ProgressByte(199, 200), 0x99);  // 99.5 % rounds to 100, which reads 99
    EXPECT_EQ(ProgressByte(200, 200), 0x99);
    EXPECT_EQ(ProgressByte(250, 200), 0x99);  // a position past the maximum is clamped
    EXPECT_EQ(ProgressByte(-5, 200), 0x00);
    EXPECT_EQ(ProgressByte(5, 0), 0x00);
    for (int position = 0; position <= 1000; ++position) {
        const uint8_t byte = ProgressByte(position, 1000);
        ASSERT_LE(byte >> 4, 9) << position;
        ASSERT_LE(byte & 0x0F, 9) << position;
    }
}

TEST(Frames, AWriteFrameCarriesTheAddressMostSignificantByteFirst) {
    const uint8_t data[] = {0xA5, 0x5A, 0xA5, 0x5A};
    const std::vector<uint8_t> frame = MakeFrame(0x42, WritePayload(kMarkerAddress, data));
    EXPECT_EQ(HexBytes(frame),
              "42 0A 82 00 01 00 00 A5 5A A5 5A " + HexBytes(std::vector<uint8_t>{frame.back()}));
    EXPECT_TRUE(ChecksumHolds(frame));
    EXPECT_EQ(frame[1], frame.size() - 3 + 1);
}

TEST(DriverFiles, NamesFollowModelAndDriverNumber) {
    EXPECT_EQ(DriverFileName(0, 0), "7460032.dat");
    EXPECT_EQ(DriverFileName(1, 5), "image08.dat");
    EXPECT_EQ(DriverFileName(8, 96), "image199.dat");
    EXPECT_EQ(DriverFileName(12, 21), "1460072.dat");  // types sharing driver 07
    EXPECT_EQ(DriverFileName(2, 38), "6460072.dat");
    EXPECT_EQ(DriverFileName(2, 37), "6460402.dat");
    EXPECT_EQ(DriverFileName(13, 0), "");
    EXPECT_EQ(DriverFolder("/opt/qxed", 1, true), "/opt/qxed/fsc/En/GTK");
    EXPECT_EQ(DriverFolder("/opt/qxed", 2, false), "/opt/qxed/fsc/sCh/HD6");
    EXPECT_EQ(DriverFolder("/opt/qxed", 3, false), "/opt/qxed/fsc/Ru/HD6");
}

TEST(DriverFiles, ValuesAndDriverAreaSitWhereTheFileKeepsThem) {
    std::vector<uint8_t> area(kDriverAreaLength);
    for (size_t i = 0; i < area.size(); ++i)
        area[i] = static_cast<uint8_t>(i * 7 + 1);
    const DriverValues values{1, 5, 0, 40, 2};
    std::vector<uint8_t> file = MakeDriverFile(values, area);
    EXPECT_EQ(file.size(), kDriverFileMinimumLength);
    EXPECT_EQ(file[kDriverAreaAddress], area[0]);
    EXPECT_EQ(file[0x33800 + 12], 40);
    EXPECT_EQ(ReadDriverValues(file), values);
    EXPECT_EQ(DriverArea(file), area);

    file.pop_back();
    EXPECT_FALSE(ReadDriverValues(file));
    EXPECT_FALSE(DriverArea(file));
}

}  // namespace
}  // namespace qxed
