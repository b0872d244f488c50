#include "protocol/FirmwareFlash.h"

#include <chrono>
#include <thread>

#include "common/Trace.h"
#include "device/DeviceManager.h"

namespace vellomir {

namespace {

constexpr auto kRewritePause = std::chrono::milliseconds(3);
constexpr auto kAnswerPause = std::chrono::milliseconds(5);
constexpr int kAnswerReadMs = 1000;
// The loader needs a moment after each of the first two data frames.
constexpr auto kFirstFramesPause = std::chrono::milliseconds(10);

}  // namespace

bool SendLoaderFrame(HidDevice* loader, const LoaderFrame& frame) {
    if (loader == nullptr) return false;
    if (loader->Write(frame.data(), frame.size()) >= 1) return true;
    std::this_thread::sleep_for(kRewritePause);
    loader->Write(frame.data(), frame.size());
    std::this_thread::sleep_for(kAnswerPause);
    LoaderFrame answer{};
    return loader->ReadTimeout(answer.data(), answer.size(), kAnswerReadMs) >= 1;
}

FlashResult SendImageToLoader(HidDevice* loader, std::span<const std::uint8_t> image,
                              const FlashProgressCallback& progress) {
    FlashResult result;
    result.loaderOpened = loader != nullptr;
    if (image.size() > kMaxLoaderImage) {
        Trace("firmware image of %zu bytes has more blocks than the loader can number", image.size());
        result.tooLarge = true;
        return result;
    }
    if (!SendLoaderFrame(loader, LoaderStartFrame())) {
        Trace("firmware loader did not take the start frame");
        return result;
    }
    result.started = true;

    const std::size_t fullFrames = image.size() / kLoaderFrameData;
    std::size_t offset = 0;
    std::uint16_t block = 0;
    bool stopped = false;
    for (std::size_t i = 0; i < fullFrames; ++i) {
        if (!SendLoaderFrame(loader, LoaderDataFrame(block, image.subspan(offset, kLoaderFrameData)))) {
            Trace("firmware data frame %zu not sent; transfer ends", i);
            stopped = true;
            break;
        }
        if (i < 2) std::this_thread::sleep_for(kFirstFramesPause);
        ++result.dataFrames;
        block = static_cast<std::uint16_t>(block + kLoaderBlocksPerFrame);
        offset += kLoaderFrameData;
        if (progress) progress(LoaderProgressPercent(result.dataFrames, image.size()));
    }
    if (!stopped && offset < image.size()) {
        if (SendLoaderFrame(loader, LoaderDataFrame(block, image.subspan(offset)))) {
            ++result.dataFrames;
        } else {
            stopped = true;
        }
    }
    result.complete = !stopped;
    SendLoaderFrame(loader, LoaderEndFrame());
    return result;
}

FlashResult FlashImage(std::span<const std::uint8_t> image, const FlashProgressCallback& progress) {
    DeviceManager& manager = DeviceManager::Instance();
    std::shared_ptr<DeviceHandle> loader;
    if (const auto ids = manager.GetCurrentVidPid()) {
        loader = manager.OpenBootInterface(static_cast<std::uint16_t>(ids->vendorId),
                                           static_cast<std::uint16_t>(ids->productId));
    }
    const FlashResult result = SendImageToLoader(loader.get(), image, progress);
    // The loader interface is only needed for this transfer.
    if (loader) loader->Close();
    return result;
}

}  // namespace vellomir
