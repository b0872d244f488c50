#include <random>
#include <vector>

#include "ProtocolRig.h"
#include "protocol/FirmwareFlash.h"

namespace vellomir::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Image(std::size_t size) {
    std::mt19937 random(static_cast<unsigned>(size));
    Bytes image(size);
    for (auto& byte : image)
        byte = static_cast<std::uint8_t>(random());
    return image;
}

// Length bytes of the frames the loader received (0x02 start, 0x06 end, 20 per block for data).
std::vector<int> LoaderFrames(const sim::SimulatedDevice& device) {
    std::vector<int> lengths;
    for (const auto& record : device.Log(sim::kLoaderInterface))
        if (!record.writeFailed) lengths.push_back(record.bytes[2]);
    return lengths;
}

// The simulated loader interface with writes that fail, as a loader that stops taking frames would.
class FailingWrites final : public HidDevice {
public:
    FailingWrites(std::unique_ptr<HidDevice> device, std::vector<int> failing)
        : device_(std::move(device)), failing_(std::move(failing)) {}
    int Write(const std::uint8_t* data, std::size_t length) override {
        ++writes_;
        for (int n : failing_)
            if (n == writes_) return -1;
        return device_->Write(data, length);
    }
    int ReadTimeout(std::uint8_t* buffer, std::size_t length, int timeoutMs) override {
        return device_->ReadTimeout(buffer, length, timeoutMs);
    }

private:
    std::unique_ptr<HidDevice> device_;
    std::vector<int> failing_;
    int writes_ = 0;
};

class FirmwareFlashTest : public ProtocolTest {};

TEST_F(FirmwareFlashTest, A64KibImageArrivesIntactAndTheLoaderIsClosed) {
    auto mouse = PlugMouse({});
    Rescan();
    const Bytes image = Image(64 * 1024);
    std::vector<int> progress;
    const FlashResult result = FlashImage(image, [&](int percent) { progress.push_back(percent); });
    EXPECT_TRUE(result.loaderOpened);
    EXPECT_TRUE(result.started);
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(result.dataFrames, 1366u);  // 1365 full frames and one of 16 bytes
    const sim::FirmwareLoader loader = mouse->Loader();
    EXPECT_EQ(loader.GetState(), sim::FirmwareLoader::State::kDone) << loader.Error();
    EXPECT_EQ(loader.Image(), image);
    ASSERT_EQ(progress.size(), 1365u);
    EXPECT_EQ(progress.front(), 10);
    EXPECT_EQ(progress.back(), 100);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    const auto boot = DeviceManager::Instance().GetBootHandle();
    ASSERT_NE(boot, nullptr);
    EXPECT_FALSE(boot->IsOpen());
}

TEST_F(FirmwareFlashTest, FullAndShortFrames) {
    struct Case {
        std::size_t size;
        std::vector<int> frames;
        std::vector<int> progress;
        std::size_t received;
    };
    const Case cases[] = {
        {96, {0x02, 0x3C, 0x3C, 0x06}, {55, 100}, 96},
        {100, {0x02, 0x3C, 0x3C, 0x14, 0x06}, {55, 100}, 112},
        {20, {0x02, 0x28, 0x06}, {}, 32},
    };
    auto mouse = PlugMouse({});
    Rescan();
    for (const auto& c : cases) {
        mouse->ClearLog();
        const Bytes image = Image(c.size);
        std::vector<int> progress;
        EXPECT_TRUE(FlashImage(image, [&](int percent) { progress.push_back(percent); }).complete);
        EXPECT_EQ(LoaderFrames(*mouse), c.frames) << c.size;
        EXPECT_EQ(progress, c.progress) << c.size;
        const sim::FirmwareLoader loader = mouse->Loader();
        ASSERT_EQ(loader.Image().size(), c.received) << c.size;
        EXPECT_TRUE(std::equal(image.begin(), image.end(), loader.Image().begin())) << c.size;
        EXPECT_TRUE(std::all_of(loader.Image().begin() + static_cast<std::ptrdiff_t>(c.size),
                                loader.Image().end(), [](std::uint8_t b) { return b == 0xFF; }))
            << c.size;
    }
}

// Waits for one loader answer time-out (1 s).
TEST_F(FirmwareFlashTest, AFailedDataFrameStillSendsTheEndFrame) {
    auto mouse = PlugMouse({});
    // Write 1 is the start frame; the first data frame and its second try fail.
    FailingWrites loader(mouse->Open(sim::kLoaderInterface), {2, 3});
    const FlashResult result = SendImageToLoader(&loader, Image(200), nullptr);
    EXPECT_TRUE(result.started);
    EXPECT_FALSE(result.complete);
    EXPECT_EQ(result.dataFrames, 0u);
    EXPECT_EQ(LoaderFrames(*mouse), (std::vector<int>{0x02, 0x06}));
}

TEST_F(FirmwareFlashTest, AFrameCountsAsSentWhenTheLoaderAnswersAfterAFailedWrite) {
    auto mouse = PlugMouse({});
    FailingWrites loader(mouse->Open(sim::kLoaderInterface), {1, 2});
    mouse->InjectReport(sim::kLoaderInterface, sim::Report(64, 0x05));
    EXPECT_TRUE(SendLoaderFrame(&loader, LoaderStartFrame()));
    EXPECT_FALSE(SendLoaderFrame(nullptr, LoaderStartFrame()));
}

TEST_F(FirmwareFlashTest, AnImageBeyondTheBlockNumbersIsRefused) {
    auto mouse = PlugMouse({});
    const auto loader = mouse->Open(sim::kLoaderInterface);
    const FlashResult result = SendImageToLoader(loader.get(), Bytes(kMaxLoaderImage + 1, 0xAA), nullptr);
    EXPECT_TRUE(result.tooLarge);
    EXPECT_FALSE(result.started);
    EXPECT_TRUE(LoaderFrames(*mouse).empty());
}

TEST_F(FirmwareFlashTest, WithoutALoaderNothingIsSent) {
    auto mouse = PlugMouse({});
    Rescan();
    DeviceManager::Instance().SetCurrentType(0);  // no current device: no loader to open
    const FlashResult result = FlashImage(Image(96), nullptr);
    EXPECT_FALSE(result.loaderOpened);
    EXPECT_FALSE(result.started);
    EXPECT_TRUE(LoaderFrames(*mouse).empty());
}

}  // namespace
}  // namespace vellomir::test
