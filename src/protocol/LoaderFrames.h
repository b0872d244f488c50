#pragma once
// Frames of the firmware loader interface: 64 bytes with report id 5, unused bytes 0xFF. A data frame
// carries up to three 20-byte blocks (block number, 16 image bytes, CRC-16/MODBUS of the 18 bytes).

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vellomir {

inline constexpr std::size_t kLoaderFrameSize = 64;
inline constexpr std::size_t kLoaderBlockSize = 20;
inline constexpr std::size_t kLoaderBlockData = 16;
inline constexpr std::size_t kLoaderBlocksPerFrame = 3;
inline constexpr std::size_t kLoaderFrameData = kLoaderBlockData * kLoaderBlocksPerFrame;  // 48
inline constexpr std::uint8_t kLoaderReportId = 0x05;

using LoaderFrame = std::array<std::uint8_t, kLoaderFrameSize>;

LoaderFrame LoaderStartFrame();
LoaderFrame LoaderEndFrame();

// A data frame holding `data` (1 to 48 bytes) in blocks firstBlock, firstBlock + 1, ...; a short last
// block is filled with 0xFF, blocks not used stay 0xFF entirely. The length byte is 20 per block used.
LoaderFrame LoaderDataFrame(std::uint16_t firstBlock, std::span<const std::uint8_t> data);

// Block `index` (0 to 2) of a data frame.
std::span<const std::uint8_t> LoaderBlockAt(const LoaderFrame& frame, std::size_t index);

// Percent shown after `framesSent` full data frames of an image of `imageSize` bytes: 10 to 100.
int LoaderProgressPercent(std::size_t framesSent, std::size_t imageSize);

}  // namespace vellomir
