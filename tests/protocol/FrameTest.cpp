#include <gtest/gtest.h>

#include <vector>

#include "protocol/Frame.h"
#include "protocol/Transaction.h"

namespace vellomir {
namespace {

TEST(FrameTest, ChecksumIsTheLowByteOfTheDataBytesOnly) {
    Frame frame{};
    for (std::size_t i = kDataOffset; i < kDataOffset + kDataBytes; ++i)
        frame[i] = 0xF0;  // 27 * 240 = 6480
    EXPECT_EQ(FrameChecksum(frame), 6480 % 256);

    Frame other = frame;
    for (std::size_t i = 0; i < kDataOffset; ++i)
        other[i] = 0xFF;  // report id, command, packet, length
    for (std::size_t i = kChecksumOffset; i < kFrameBytes; ++i)
        other[i] = 0x77;
    EXPECT_EQ(FrameChecksum(other), FrameChecksum(frame));

    SealFrame(other);
    EXPECT_EQ(other[kChecksumOffset], 6480 % 256);
}

TEST(FrameTest, BuildFrameLaysOutTheRequest) {
    const std::vector<std::uint8_t> data = {200, 100, 50, 10};  // sum 360
    Frame frame{};
    ASSERT_TRUE(BuildFrame(0x07, 0x01, 4, data, frame));
    Frame expected{};
    expected[1] = 0x07;
    expected[3] = 0x01;
    expected[4] = 4;
    expected[5] = 200;
    expected[6] = 100;
    expected[7] = 50;
    expected[8] = 10;
    expected[32] = 360 - 256;
    EXPECT_EQ(frame, expected);

    // The length byte is the command's own, not the data size.
    ASSERT_TRUE(BuildFrame(0x03, 0x01, 0x25, std::vector<std::uint8_t>(25, 1), frame));
    EXPECT_EQ(frame[kLengthOffset], 0x25);
    EXPECT_EQ(frame[kChecksumOffset], 25);

    // Data beyond the 27 data bytes does not fit and changes nothing.
    Frame untouched = frame;
    EXPECT_FALSE(BuildFrame(0x08, 0x01, 28, std::vector<std::uint8_t>(28, 1), untouched));
    EXPECT_EQ(untouched, frame);

    EXPECT_EQ(QueryFrame(0x12), [] {
        Frame query{};
        query[1] = 0x12;
        return query;
    }());
}

TEST(FrameTest, PacketCountOfMultiPacketTransfers) {
    struct Case {
        std::size_t length;
        int packets;
    } cases[] = {{0, 0},  {1, 1},  {25, 1}, {26, 1},   {27, 1},  {28, 2},  {54, 2},
                 {55, 3}, {81, 3}, {85, 4}, {405, 15}, {406, 0}, {1021, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(ChunkedPacketCount(c.length), c.packets) << c.length << " bytes";
    EXPECT_EQ(PacketByte(0, 3), 0x03);
    EXPECT_EQ(PacketByte(2, 3), 0x23);
    EXPECT_EQ(PacketByte(14, 15), 0xEF);
}

}  // namespace
}  // namespace vellomir
