#include <gtest/gtest.h>

#include <numeric>
#include <string_view>
#include <vector>

#include "protocol/Crc16.h"
#include "protocol/LoaderFrames.h"

namespace vellomir {
namespace {

TEST(Crc16Test, ModbusReferenceValues) {
    constexpr std::string_view check = "123456789";
    EXPECT_EQ(Crc16Modbus({reinterpret_cast<const std::uint8_t*>(check.data()), check.size()}), 0x4B37);
    std::vector<std::uint8_t> block0(18, 0xFF);
    block0[0] = block0[1] = 0;
    EXPECT_EQ(Crc16Modbus(block0), 0x9431);
    EXPECT_EQ(Crc16Modbus({}), 0xFFFF);
}

std::vector<std::uint8_t> Filled(std::size_t size, std::uint8_t value) {
    return std::vector<std::uint8_t>(size, value);
}

TEST(LoaderFramesTest, StartAndEndFrames) {
    std::vector<std::uint8_t> start = Filled(64, 0xFF);
    start[0] = 0x05;
    start[1] = 0x02;
    start[2] = 0x02;
    start[3] = 0x00;
    start[4] = 0x01;
    const LoaderFrame startFrame = LoaderStartFrame();
    EXPECT_EQ(std::vector<std::uint8_t>(startFrame.begin(), startFrame.end()), start);
    std::vector<std::uint8_t> end = start;
    end[2] = 0x06;
    end[4] = 0x02;
    const LoaderFrame endFrame = LoaderEndFrame();
    EXPECT_EQ(std::vector<std::uint8_t>(endFrame.begin(), endFrame.end()), end);
}

TEST(LoaderFramesTest, ShortBlockIsFilledAndUnusedBlocksStayBlank) {
    // The rest of a 100-byte image: block 6 with 4 bytes.
    const std::vector<std::uint8_t> rest{1, 2, 3, 4};
    const LoaderFrame frame = LoaderDataFrame(6, rest);
    EXPECT_EQ(frame[0], 0x05);
    EXPECT_EQ(frame[2], 0x14);
    std::vector<std::uint8_t> block{6, 0, 1, 2, 3, 4};
    block.resize(18, 0xFF);
    const std::uint16_t crc = 0xFA8A;  // CRC-16/MODBUS of those 18 bytes
    block.push_back(crc & 0xFF);
    block.push_back(crc >> 8);
    const auto a = LoaderBlockAt(frame, 0);
    EXPECT_EQ(std::vector<std::uint8_t>(a.begin(), a.end()), block);
    for (std::size_t i = 24; i < 64; ++i)
        EXPECT_EQ(frame[i], 0xFF) << i;
}

TEST(LoaderFramesTest, BlocksOfAFullAndOfATwoBlockFrame) {
    std::vector<std::uint8_t> data(48);
    std::iota(data.begin(), data.end(), 0);
    const LoaderFrame full = LoaderDataFrame(0x1FF, data);
    EXPECT_EQ(full[2], 0x3C);
    for (std::size_t b = 0; b < 3; ++b) {
        const auto block = LoaderBlockAt(full, b);
        EXPECT_EQ(block[0] | (block[1] << 8), 0x1FF + static_cast<int>(b));
        EXPECT_TRUE(std::equal(block.begin() + 2, block.begin() + 18, data.begin() + 16 * b));
        EXPECT_EQ(block[18] | (block[19] << 8), Crc16Modbus(block.first(18)));
    }
    // A 20-byte image: block 0 with 16 bytes, block 1 with 4 and 12 bytes 0xFF.
    const LoaderFrame two = LoaderDataFrame(0, std::span(data).first(20));
    EXPECT_EQ(two[2], 0x28);
    const auto second = LoaderBlockAt(two, 1);
    EXPECT_EQ(second[0], 1);
    EXPECT_EQ(second[5], 19);
    EXPECT_EQ(second[6], 0xFF);
    EXPECT_EQ(second[17], 0xFF);
    EXPECT_EQ(second[18] | (second[19] << 8), Crc16Modbus(second.first(18)));
    for (std::size_t i = 44; i < 64; ++i)
        EXPECT_EQ(two[i], 0xFF) << i;
}

TEST(LoaderFramesTest, ProgressRunsFromTenToHundred) {
    EXPECT_EQ(LoaderProgressPercent(1, 96), 55);
    EXPECT_EQ(LoaderProgressPercent(2, 96), 100);
    EXPECT_EQ(LoaderProgressPercent(2, 100), 100);
    EXPECT_EQ(LoaderProgressPercent(1, 65536), 10);  // 90 / 1365 rounds down
    EXPECT_EQ(LoaderProgressPercent(1365, 65536), 100);
    EXPECT_EQ(LoaderProgressPercent(0, 20), 100);  // no full frame: nothing to divide by
}

}  // namespace
}  // namespace vellomir
