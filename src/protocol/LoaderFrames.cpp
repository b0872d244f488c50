#include "protocol/LoaderFrames.h"

#include <algorithm>

#include "protocol/Crc16.h"

namespace vellomir {

namespace {

constexpr std::size_t kFirstBlockOffset = 4;

LoaderFrame BlankFrame(std::uint8_t lengthByte) {
    LoaderFrame frame;
    frame.fill(0xFF);
    frame[0] = kLoaderReportId;
    frame[1] = 0x02;
    frame[2] = lengthByte;
    frame[3] = 0x00;
    return frame;
}

}  // namespace

LoaderFrame LoaderStartFrame() {
    LoaderFrame frame = BlankFrame(0x02);
    frame[4] = 0x01;
    return frame;
}

LoaderFrame LoaderEndFrame() {
    LoaderFrame frame = BlankFrame(0x06);
    frame[4] = 0x02;
    return frame;
}

LoaderFrame LoaderDataFrame(std::uint16_t firstBlock, std::span<const std::uint8_t> data) {
    data = data.first(std::min(data.size(), kLoaderFrameData));
    const std::size_t blocks = (data.size() + kLoaderBlockData - 1) / kLoaderBlockData;
    LoaderFrame frame = BlankFrame(static_cast<std::uint8_t>(kLoaderBlockSize * blocks));
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::size_t at = kFirstBlockOffset + b * kLoaderBlockSize;
        const auto number = static_cast<std::uint16_t>(firstBlock + b);
        frame[at] = static_cast<std::uint8_t>(number & 0xFF);
        frame[at + 1] = static_cast<std::uint8_t>(number >> 8);
        const auto chunk = data.subspan(b * kLoaderBlockData,
                                        std::min(kLoaderBlockData, data.size() - b * kLoaderBlockData));
        std::copy(chunk.begin(), chunk.end(), frame.begin() + static_cast<std::ptrdiff_t>(at + 2));
        const std::uint16_t crc = Crc16Modbus(std::span<const std::uint8_t>(frame).subspan(at, 18));
        frame[at + 18] = static_cast<std::uint8_t>(crc & 0xFF);
        frame[at + 19] = static_cast<std::uint8_t>(crc >> 8);
    }
    return frame;
}

std::span<const std::uint8_t> LoaderBlockAt(const LoaderFrame& frame, std::size_t index) {
    return std::span<const std::uint8_t>(frame).subspan(kFirstBlockOffset + index * kLoaderBlockSize,
                                                        kLoaderBlockSize);
}

int LoaderProgressPercent(std::size_t framesSent, std::size_t imageSize) {
    const std::size_t fullFrames = imageSize / kLoaderFrameData;
    if (fullFrames == 0) return 100;
    return static_cast<int>(90 * framesSent / fullFrames + 10);
}

}  // namespace vellomir
