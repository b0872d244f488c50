// The worker's update jobs with everything real around them: a catalogue and description in a program
// folder, the model activated, the simulated mouse found by the device manager, the local HTTP server,
// and the firmware going through FlashImage to the mouse's own loader interface.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "LocalHttpServer.h"
#include "RecordingUpdateView.h"
#include "SimRig.h"
#include "ZipWriter.h"
#include "catalogue/Catalogue.h"
#include "common/FileIo.h"
#include "common/JobCodes.h"
#include "device/ModelSession.h"
#include "device/QuietWorkerView.h"
#include "device/UpdateJobs.h"
#include "protocol/DeviceState.h"

namespace vellomir {
namespace {

namespace fs = std::filesystem;

class WorkerUpdateJobsTest : public test::WithLocalServer {
protected:
    void SetUp() override {
        WithLocalServer::SetUp();
        program_.Write("config.xml",
                       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<config><device>"
                       "<mouse name=\"Arc\" device_type=\"5\" device_attr=\"arc\" image=\"arc.png\">"
                       "<mode value=\"0\" vid=\"1209\" pid=\"0001\" dev_id=\"ARC1\"/></mouse></device>"
                       "<software caption=\"Vellomir\" version=\"1.0.0\"><upgrade url=\"" +
                           server_->Url("/upd/") + "\"/></software></config>");
        program_.Write("device/arc.xml",
                       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<mouse><firmware url=\"" +
                           server_->Url("/fw") + "\"/></mouse>");
        ASSERT_TRUE(LoadCatalogue(catalogue_, program_.path(), program_.path() / "skins", {}));

        mouse_ = rig_.PlugMouse("ARC1", 0x0104);
        test::SimRig::AddCatalogue();
        test::SimRig::Rescan();
        test::SimRig::Manager().SetCurrentType(test::kArcType);

        session_ = std::make_unique<ModelSession>(catalogue_, program_.path(), data_.path(), modelView_);
        session_->Activate(test::kArcType);
        jobs_ = std::make_unique<UpdateJobs>(view_, test::TestText, *session_, deviceState_, data_ / "temp");
    }

    test::TempDir program_;
    test::TempDir data_;
    test::SimRig rig_;
    std::shared_ptr<sim::SimulatedMouse> mouse_;
    Catalogue catalogue_;
    QuietWorkerView modelView_;  // activation's window calls are not looked at here
    DeviceState deviceState_;
    test::RecordingUpdateView view_;
    std::unique_ptr<ModelSession> session_;
    std::unique_ptr<UpdateJobs> jobs_;
};

TEST_F(WorkerUpdateJobsTest, FirmwareCheckComparesWithTheCabledMousesReleaseNumber) {
    EXPECT_EQ(jobs_->DeviceFirmwareVersion(), "104");
    server_->Put("fw/mouse/version", "105");
    jobs_->Run(kJobCheckFirmwareUpdate);
    EXPECT_THAT(server_->RequestedPaths(), ::testing::ElementsAre("/fw/mouse/version"));
    const UpdateStateData state = jobs_->state().Snapshot();
    EXPECT_EQ(state.latestFirmwareVersion, "105");
    EXPECT_EQ(state.firmwareState, kUpdateAvailable);
    EXPECT_THAT(view_.Calls("1692"), ::testing::ElementsAre("1692 2"));

    server_->Put("fw/mouse/version", "104");
    jobs_->Run(kJobCheckFirmwareUpdate);
    EXPECT_EQ(jobs_->state().Snapshot().firmwareState, kUpToDate);
}

TEST_F(WorkerUpdateJobsTest, FirmwareJobFlashesTheImageIntoTheMousesLoader) {
    std::string image(4096 + 7, '\0');
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<char>(i * 131 + 3);
    server_->Put("fw/mouse/version", "105");
    const fs::path archive = data_ / "scratch.zip";
    ASSERT_TRUE(test::WriteZip(archive, {{.name = "firmware     -105.bin", .data = image}}));
    server_->Put("fw/mouse/firmware-105.zip", *ReadWholeFile(archive));

    jobs_->Run(kJobCheckFirmwareUpdate);
    jobs_->Run(kJobUpdateFirmware);

    std::vector<std::uint8_t> expected(image.begin(), image.end());
    expected.resize((image.size() + 15) / 16 * 16, 0xFF);
    EXPECT_EQ(mouse_->Loader().Image(), expected);
    EXPECT_EQ(mouse_->Loader().CompletedTransfers(), 1);
    EXPECT_FALSE(fs::exists(data_ / "temp" / "firmware     -105.bin"));
    EXPECT_EQ(view_.Calls("status").back(), "status T593: 100%");
    // The loader handle is closed again after the transfer.
    const auto boot = test::SimRig::Manager().GetBootHandle();
    ASSERT_NE(boot, nullptr);
    EXPECT_FALSE(boot->IsOpen());
}

TEST_F(WorkerUpdateJobsTest, SoftwareCheckUsesTheCataloguesVersionAndAddress) {
    server_->Put("upd/version", "1.0.1");
    jobs_->Run(kJobCheckSoftwareUpdate);
    EXPECT_THAT(server_->RequestedPaths(), ::testing::ElementsAre("/upd/version"));
    EXPECT_EQ(jobs_->state().Snapshot().softwareState, kUpdateAvailable);
    EXPECT_THAT(view_.Calls("1692"), ::testing::ElementsAre("1692 1"));
}

}  // namespace
}  // namespace vellomir
