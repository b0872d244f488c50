#pragma once
// The mouse's firmware loader: takes 64-byte frames with report id 5 (start, data, end), checks the
// block numbers and each block's CRC, and keeps the image of the last transfer that ended cleanly.
// It sends no input reports of its own. Single-threaded; SimulatedDevice guards it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vellomir::sim {

inline constexpr std::size_t kLoaderFrameSize = 64;
inline constexpr std::uint8_t kLoaderReportId = 0x05;

class FirmwareLoader {
public:
    enum class State { kIdle, kReceiving, kDone, kFailed };

    // One frame as written (report id first). Frames of other sizes are padded/cut to 64 bytes.
    void HandleFrame(const std::uint8_t* frame, std::size_t length);

    State GetState() const { return state_; }
    // Why the current transfer failed ("" unless kFailed).
    const std::string& Error() const { return error_; }
    // The image of the last completed transfer: 16 bytes per block, a short last block padded with
    // 0xFF as it was sent. Empty until a transfer completes.
    const std::vector<std::uint8_t>& Image() const { return image_; }
    int BlocksAccepted() const { return nextBlock_; }
    int CompletedTransfers() const { return completed_; }
    int FramesReceived() const { return frames_; }

private:
    void Fail(std::string why);
    void TakeDataFrame(const std::uint8_t* frame);

    State state_ = State::kIdle;
    std::string error_;
    std::vector<std::uint8_t> receiving_;
    std::vector<std::uint8_t> image_;
    int nextBlock_ = 0;
    int completed_ = 0;
    int frames_ = 0;
};

}  // namespace vellomir::sim
