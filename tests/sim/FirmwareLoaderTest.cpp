// The simulated firmware loader on interface 3: images sent as start, data and end frames are kept;
// a bad CRC, a block out of order or a malformed frame fails the transfer.

#include <gtest/gtest.h>

#include <string_view>

#include "SimTestFrames.h"
#include "sim/Crc16Modbus.h"
#include "sim/SimulatePresets.h"
#include "sim/SimulatedMouse.h"

namespace vellomir::sim::test {
namespace {

Bytes ControlFrame(std::uint8_t used, std::uint8_t kind) {
    Bytes frame(64, 0xFF);
    frame[0] = 0x05;
    frame[1] = 0x02;
    frame[2] = used;
    frame[3] = 0x00;
    frame[4] = kind;
    return frame;
}

// Data frames of an image: three 20-byte blocks per frame, unused blocks left 0xFF.
std::vector<Bytes> DataFrames(const Bytes& image) {
    std::vector<Bytes> frames;
    std::size_t block = 0;
    for (std::size_t at = 0; at < image.size();) {
        Bytes frame(64, 0xFF);
        frame[0] = 0x05;
        frame[1] = 0x02;
        frame[3] = 0x00;
        int used = 0;
        for (; used < 3 && at < image.size(); ++used, ++block) {
            std::uint8_t* b = &frame[4 + 20 * static_cast<std::size_t>(used)];
            b[0] = static_cast<std::uint8_t>(block);
            b[1] = static_cast<std::uint8_t>(block >> 8);
            for (int i = 0; i < 16 && at < image.size(); ++i)
                b[2 + i] = image[at++];
            const std::uint16_t crc = Crc16Modbus(b, 18);
            b[18] = static_cast<std::uint8_t>(crc);
            b[19] = static_cast<std::uint8_t>(crc >> 8);
        }
        frame[2] = static_cast<std::uint8_t>(20 * used);
        frames.push_back(frame);
    }
    return frames;
}

Bytes Image(std::size_t n) {
    Bytes image(n);
    for (std::size_t i = 0; i < n; ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + 1);
    return image;
}

class FirmwareLoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto spec = FindPreset("apex8k");
        mouse_ = SimulatedMouse::Create(spec->usb, spec->mouse);
        ASSERT_TRUE(rig_.backend->Plug(mouse_));
        loader_ = rig_.backend->OpenPath(rig_.backend->PathOf(*mouse_, kLoaderInterface));
        ASSERT_TRUE(loader_);
    }

    void Write(const Bytes& frame) { ASSERT_EQ(loader_->Write(frame.data(), frame.size()), 64); }

    void Flash(const std::vector<Bytes>& dataFrames) {
        Write(ControlFrame(0x02, 0x01));
        for (const auto& f : dataFrames)
            Write(f);
        Write(ControlFrame(0x06, 0x02));
    }

    Rig rig_;
    std::shared_ptr<SimulatedMouse> mouse_;
    std::unique_ptr<HidDevice> loader_;
};

TEST(Crc16ModbusTest, MatchesTheStandardCheckValue) {
    const std::string_view check = "123456789";
    EXPECT_EQ(Crc16Modbus(reinterpret_cast<const std::uint8_t*>(check.data()), check.size()), 0x4B37);
    EXPECT_EQ(Crc16Modbus(nullptr, 0), 0xFFFF);
}

TEST_F(FirmwareLoaderTest, KeepsImagesOfEveryShape) {
    struct Case {
        std::size_t size;
        std::size_t frames;
        std::uint8_t lastUsed;
    } cases[] = {{96, 2, 0x3C}, {100, 3, 0x14}, {20, 1, 0x28}, {48 * 3 + 40, 4, 0x3C}};
    int completed = 0;
    for (const auto& c : cases) {
        const Bytes image = Image(c.size);
        const auto frames = DataFrames(image);
        ASSERT_EQ(frames.size(), c.frames);
        ASSERT_EQ(frames.back()[2], c.lastUsed);
        Flash(frames);
        const FirmwareLoader loader = mouse_->Loader();
        EXPECT_EQ(loader.GetState(), FirmwareLoader::State::kDone) << c.size << ": " << loader.Error();
        EXPECT_EQ(loader.CompletedTransfers(), ++completed);
        Bytes expected = image;
        expected.resize((c.size + 15) / 16 * 16, 0xFF);  // a short last block is padded with 0xFF
        EXPECT_EQ(loader.Image(), expected) << c.size;
    }
    EXPECT_TRUE(ReadReport(*loader_, 0).empty()) << "the loader sends no input reports";
}

TEST_F(FirmwareLoaderTest, RejectsTransfersWithABadBlock) {
    const Bytes image = Image(144);
    auto badCrc = DataFrames(image);
    badCrc[1][4 + 20 + 18] ^= 0x01;  // CRC of block 4
    auto outOfOrder = DataFrames(image);
    outOfOrder.erase(outOfOrder.begin() + 1);
    auto dirtyPadding = DataFrames(Image(20));
    dirtyPadding[0][44] = 0x00;  // block C of a two-block frame must stay 0xFF
    auto dataFlippedAfterCrc = DataFrames(image);
    dataFlippedAfterCrc[0][10] ^= 0x80;
    struct Case {
        const char* what;
        std::vector<Bytes> frames;
        const char* error;
    } cases[] = {
        {"bad CRC", badCrc, "CRC"},
        {"data changed after the CRC", dataFlippedAfterCrc, "CRC"},
        {"missing frame", outOfOrder, "block 6 where 3"},
        {"unused block not 0xFF", dirtyPadding, "0xFF"},
    };
    for (const auto& c : cases) {
        Flash(c.frames);
        const FirmwareLoader loader = mouse_->Loader();
        EXPECT_EQ(loader.GetState(), FirmwareLoader::State::kFailed) << c.what;
        EXPECT_NE(loader.Error().find(c.error), std::string::npos) << c.what << ": " << loader.Error();
        EXPECT_EQ(loader.CompletedTransfers(), 0) << c.what;
        EXPECT_TRUE(loader.Image().empty()) << c.what;
    }
    // A clean transfer after the failures is kept.
    Flash(DataFrames(image));
    EXPECT_EQ(mouse_->Loader().Image(), image);
}

TEST_F(FirmwareLoaderTest, RefusesMalformedFramesAndWrongWrites) {
    Write(DataFrames(Image(16))[0]);
    EXPECT_EQ(mouse_->Loader().GetState(), FirmwareLoader::State::kFailed);
    EXPECT_NE(mouse_->Loader().Error().find("without a start"), std::string::npos);

    Write(ControlFrame(0x02, 0x01));
    EXPECT_EQ(mouse_->Loader().GetState(), FirmwareLoader::State::kReceiving);
    Bytes badHeader = ControlFrame(0x06, 0x02);
    badHeader[1] = 0x03;
    Write(badHeader);
    EXPECT_EQ(mouse_->Loader().GetState(), FirmwareLoader::State::kFailed);
    EXPECT_NE(mouse_->Loader().Error().find("header"), std::string::npos);

    Bytes tooLong(65, 0xFF);
    tooLong[0] = 0x05;
    EXPECT_EQ(loader_->Write(tooLong.data(), tooLong.size()), -1);
    const Bytes mouseFrame = Query(0x10);
    EXPECT_EQ(loader_->Write(mouseFrame.data(), 33), -1) << "report id 0 on the loader";
    EXPECT_EQ(mouse_->Log(kLoaderInterface).size(), 3u);
}

}  // namespace
}  // namespace vellomir::sim::test
