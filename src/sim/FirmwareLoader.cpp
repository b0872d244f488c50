#include "sim/FirmwareLoader.h"

#include <algorithm>

#include "common/Text.h"
#include "sim/Crc16Modbus.h"

namespace vellomir::sim {

namespace {

constexpr std::uint8_t kStartLength = 0x02;
constexpr std::uint8_t kEndLength = 0x06;
constexpr std::size_t kBlockSize = 20;
constexpr std::size_t kBlockData = 16;
constexpr std::size_t kFirstBlock = 4;

bool AllFF(const std::uint8_t* from, const std::uint8_t* to) {
    return std::all_of(from, to, [](std::uint8_t b) { return b == 0xFF; });
}

}  // namespace

void FirmwareLoader::Fail(std::string why) {
    state_ = State::kFailed;
    error_ = std::move(why);
    receiving_.clear();
}

void FirmwareLoader::HandleFrame(const std::uint8_t* data, std::size_t length) {
    std::uint8_t frame[kLoaderFrameSize];
    std::fill(std::begin(frame), std::end(frame), 0);
    std::copy(data, data + std::min(length, kLoaderFrameSize), frame);
    ++frames_;

    if (frame[0] != kLoaderReportId || frame[1] != 0x02 || frame[3] != 0x00) {
        Fail(StrFormat("bad frame header %02X %02X %02X %02X", frame[0], frame[1], frame[2], frame[3]));
        return;
    }
    const std::uint8_t used = frame[2];
    if (used == kStartLength) {
        if (frame[4] != 0x01 || frame[5] != 0xFF || !AllFF(frame + 6, frame + kLoaderFrameSize)) {
            Fail("malformed start frame");
            return;
        }
        state_ = State::kReceiving;
        error_.clear();
        receiving_.clear();
        nextBlock_ = 0;
        return;
    }
    if (used == kEndLength) {
        if (frame[4] != 0x02 || frame[5] != 0xFF || !AllFF(frame + 6, frame + kLoaderFrameSize)) {
            Fail("malformed end frame");
            return;
        }
        if (state_ == State::kReceiving) {
            image_ = std::move(receiving_);
            receiving_.clear();
            state_ = State::kDone;
            ++completed_;
        } else if (state_ != State::kFailed) {
            Fail("end frame without a transfer");
        }
        return;
    }
    TakeDataFrame(frame);
}

void FirmwareLoader::TakeDataFrame(const std::uint8_t* frame) {
    const std::uint8_t used = frame[2];
    if (used != 0x14 && used != 0x28 && used != 0x3C) {
        Fail(StrFormat("bad length byte %02X", used));
        return;
    }
    if (state_ != State::kReceiving) {
        // After a failure the rest of the transfer is ignored until the next start frame.
        if (state_ != State::kFailed) Fail("data frame without a start frame");
        return;
    }
    const std::size_t blocks = used / kBlockSize;
    for (std::size_t b = 0; b < 3; ++b) {
        const std::uint8_t* block = frame + kFirstBlock + b * kBlockSize;
        if (b >= blocks) {
            if (!AllFF(block, block + kBlockSize)) {
                Fail(StrFormat("unused block %zu is not 0xFF", b));
                return;
            }
            continue;
        }
        const int number = block[0] | (block[1] << 8);
        if (number != (nextBlock_ & 0xFFFF)) {
            Fail(StrFormat("block %d where %d was due", number, nextBlock_));
            return;
        }
        const std::uint16_t crc = static_cast<std::uint16_t>(block[18] | (block[19] << 8));
        if (crc != Crc16Modbus(block, 18)) {
            Fail(StrFormat("CRC error in block %d", number));
            return;
        }
        receiving_.insert(receiving_.end(), block + 2, block + 2 + kBlockData);
        ++nextBlock_;
    }
}

}  // namespace vellomir::sim
