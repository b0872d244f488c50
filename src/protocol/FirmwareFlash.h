#pragma once
// Sending a firmware image to the mouse's firmware loader (the last step of a firmware update).

#include <cstdint>
#include <functional>
#include <span>

#include "device/HidBackend.h"
#include "protocol/LoaderFrames.h"

namespace vellomir {

// Sends one loader frame. A write that reports no byte written is repeated once after 3 ms; the frame
// then counts as sent when the loader answers with any input report within 1000 ms (read 5 ms later).
// False without a loader handle.
bool SendLoaderFrame(HidDevice* loader, const LoaderFrame& frame);

// Block numbers are 16 bits wide, so an image can have at most 65536 blocks of 16 bytes.
inline constexpr std::size_t kMaxLoaderImage = std::size_t{65536} * kLoaderBlockData;

struct FlashResult {
    bool tooLarge = false;       // the image has more blocks than the loader can number; nothing sent
    bool loaderOpened = false;   // the loader interface of the current device was found and opened
    bool started = false;        // the start frame was sent (the end frame then was too)
    bool complete = false;       // every data frame was sent
    std::size_t dataFrames = 0;  // data frames sent
};

// Percent 10 to 100 after each full data frame.
using FlashProgressCallback = std::function<void(int percent)>;

// Sends the start frame, the image in data frames of three blocks and the end frame to an open loader
// interface. The end frame is sent also after a data frame that could not be sent (which ends the
// data); nothing follows a start frame that was not taken. An image larger than kMaxLoaderImage is
// refused before anything is sent.
FlashResult SendImageToLoader(HidDevice* loader, std::span<const std::uint8_t> image,
                              const FlashProgressCallback& progress);

// Opens the loader interface of the current device, sends the start frame, the image in data frames
// of three blocks and the end frame (also after a data frame that could not be sent, which ends the
// data). Nothing is sent when the loader cannot be opened or the start frame is not taken. The loader
// interface is closed afterwards.
FlashResult FlashImage(std::span<const std::uint8_t> image, const FlashProgressCallback& progress);

}  // namespace vellomir
