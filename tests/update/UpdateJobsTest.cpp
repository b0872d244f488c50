// The update jobs end to end: the local server, the download folder, unpacking, the setup program
// started for real, and firmware images sent through the firmware transfer to the simulated loader.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <optional>

#include "LocalHttpServer.h"
#include "RecordingUpdateView.h"
#include "ZipWriter.h"
#include "common/FileIo.h"
#include "protocol/FirmwareFlash.h"
#include "sim/SimInterface.h"
#include "sim/SimulatePresets.h"
#include "sim/SimulatedHidBackend.h"
#include "update/FirmwareUpdateJob.h"
#include "update/ProgramLauncher.h"
#include "update/SoftwareUpdateJob.h"
#include "update/UpdatePrompt.h"

namespace vellomir {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class UpdateJobsTest : public test::WithLocalServer {
protected:
    void SetUp() override {
        WithLocalServer::SetUp();
        state_.Modify([](UpdateStateData& s) {
            s.updateFolder = server_->Url("/upd/");
            s.firmwareLocation = server_->Url("/fw");
        });
    }

    // Builds an archive in a scratch folder and places it on the server.
    void Serve(const std::string& serverPath, const std::vector<test::ZipEntrySpec>& entries) {
        const fs::path archive = scratch_ / "archive.zip";
        ASSERT_TRUE(test::WriteZip(archive, entries));
        server_->Put(serverPath, *ReadWholeFile(archive));
    }

    test::TempDir root_;
    test::TempDir scratch_;
    // The download folder does not exist before the first job.
    fs::path downloads_ = root_ / "Mouse Files" / "temp";
    HttpTransfer http_;
    UpdateState state_;
    test::RecordingUpdateView view_;
    UpdateServices services_{http_, state_, view_, test::TestText};
};

// A setup program that leaves a mark beside itself, started without a shell of ours.
const std::string kSetupScript =
    "#!/bin/sh\n"
    "d=$(dirname \"$0\")\n"
    "ls /proc/self/fd > \"$d/handles.txt\"\n"
    "echo started > \"$d/started.txt\"\n";

class SoftwareJobTest : public UpdateJobsTest {
protected:
    void SetUp() override {
        UpdateJobsTest::SetUp();
        state_.Modify([](UpdateStateData& s) { s.latestSoftwareVersion = "1.2.4"; });
    }

    InstallerHooks RecordingHooks() {
        return {[this](const fs::path& program) {
                    started_ = program;
                    pid_ = StartProgramDirectly(program);
                    return pid_ > 0;
                },
                [this](int code) { exitCode_ = code; }};
    }

    std::optional<fs::path> started_;
    pid_t pid_ = -1;
    std::optional<int> exitCode_;
};

TEST_F(SoftwareJobTest, DownloadsUnpacksStartsTheSetupProgramAndEnds) {
    Serve("upd/Mouse-Setup-1.2.4.zip",
          {{.name = "Mouse-Setup-1.2.4.run", .data = kSetupScript, .unixMode = 0100644},
           {.name = "notes/readme.txt", .data = "notes"}});
    // A handle of ours that is not closed on exec must not reach the setup program.
    const int opened = ::open("/dev/null", O_RDONLY);
    const int handle = ::fcntl(opened, F_DUPFD, 50);
    ::close(opened);
    ASSERT_GE(handle, 50);
    EXPECT_EQ(DownloadSoftware(services_, downloads_, RecordingHooks()), SoftwareUpdateOutcome::kStarted);
    ::close(handle);

    EXPECT_EQ(started_, downloads_ / "Mouse-Setup-1.2.4.run");
    ASSERT_GT(pid_, 0);
    EXPECT_EQ(test::WaitForExit(pid_, std::chrono::seconds(10)), 0);
    EXPECT_EQ(ReadWholeFile(downloads_ / "started.txt"), "started\n");
    auto handles = ReadWholeFile(downloads_ / "handles.txt");
    ASSERT_TRUE(handles.has_value());
    EXPECT_EQ(handles->find(std::to_string(handle) + "\n"), std::string::npos) << *handles;
    EXPECT_EQ(exitCode_, 0);
    EXPECT_FALSE(fs::exists(downloads_ / "Mouse-Setup-1.2.4.zip"));
    EXPECT_EQ(ReadWholeFile(downloads_ / "notes/readme.txt"), "notes");
    EXPECT_THAT(server_->RequestedPaths(), ElementsAre("/upd///Mouse-Setup-1.2.4.zip"));
    EXPECT_THAT(view_.Calls(),
                ElementsAre("download 0", "download 2", "download 8", "download 10", "download 100"));
}

TEST_F(SoftwareJobTest, WithoutTheSetupProgramOfThatVersionTheProgramGoesOn) {
    Serve("upd/Mouse-Setup-1.2.4.zip", {{.name = "Mouse-Setup-1.2.3.run", .data = kSetupScript},
                                        {.name = "sub/Mouse-Setup-1.2.4.run", .data = kSetupScript}});
    EXPECT_EQ(DownloadSoftware(services_, downloads_, RecordingHooks()),
              SoftwareUpdateOutcome::kNoSetupProgram);
    EXPECT_FALSE(started_.has_value());
    EXPECT_FALSE(exitCode_.has_value());
    EXPECT_FALSE(fs::exists(downloads_ / "Mouse-Setup-1.2.4.zip"));  // unpacked, so removed
}

TEST_F(SoftwareJobTest, AnErrorPageInsteadOfTheArchiveStaysInTheFolder) {
    state_.Modify([](UpdateStateData& s) { s.latestSoftwareVersion = "9.9.9"; });
    EXPECT_EQ(DownloadSoftware(services_, downloads_, RecordingHooks()),
              SoftwareUpdateOutcome::kNoSetupProgram);
    auto page = ReadWholeFile(downloads_ / "Mouse-Setup-9.9.9.zip");
    ASSERT_TRUE(page.has_value());
    EXPECT_NE(page->find("404"), std::string::npos);
    EXPECT_FALSE(exitCode_.has_value());
}

TEST_F(SoftwareJobTest, ASetupProgramThatDoesNotStartKeepsTheProgramRunning) {
    // No interpreter line: it is not run through a shell either.
    Serve("upd/Mouse-Setup-1.2.4.zip",
          {{.name = "Mouse-Setup-1.2.4.run", .data = "echo started > started.txt\n"}});
    EXPECT_EQ(DownloadSoftware(services_, downloads_, RecordingHooks()), SoftwareUpdateOutcome::kStartFailed);
    EXPECT_FALSE(exitCode_.has_value());
    EXPECT_FALSE(fs::exists(downloads_ / "started.txt"));
}

TEST_F(SoftwareJobTest, VersionsThatAreNoPlainVersionAreNotDownloaded) {
    for (const char* version : {"", "../../x", "1.2/3", "1.2.4 "}) {
        state_.Modify([&](UpdateStateData& s) { s.latestSoftwareVersion = version; });
        EXPECT_EQ(DownloadSoftware(services_, downloads_, RecordingHooks()),
                  SoftwareUpdateOutcome::kNoVersion)
            << version;
    }
    EXPECT_THAT(server_->RequestedPaths(), IsEmpty());
    EXPECT_FALSE(fs::exists(root_ / "x"));
}

class FirmwareJobTest : public UpdateJobsTest {
protected:
    void SetUp() override {
        UpdateJobsTest::SetUp();
        state_.Modify([](UpdateStateData& s) { s.latestFirmwareVersion = "105"; });
        const auto spec = sim::FindPreset("apex8k");
        ASSERT_TRUE(spec.has_value());
        mouse_ = sim::CreateDevice(*spec);
        ASSERT_TRUE(backend_->Plug(mouse_));
        loader_ = backend_->OpenPath(backend_->PathOf(*mouse_, sim::kLoaderInterface));
        ASSERT_TRUE(loader_);
    }

    // The firmware transfer to the simulated mouse's loader; records what it was handed.
    FlashFunction Flash() {
        return [this](const std::vector<std::uint8_t>& image, const FlashProgress& progress) {
            handed_.push_back(image);
            return SendImageToLoader(loader_.get(), image, progress).started;
        };
    }

    static std::string Image(std::size_t size) {
        std::string image(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            image[i] = static_cast<char>(i * 37 + 11);
        return image;
    }

    std::shared_ptr<sim::SimulatedHidBackend> backend_ = std::make_shared<sim::SimulatedHidBackend>();
    std::shared_ptr<sim::SimulatedDevice> mouse_;
    std::unique_ptr<HidDevice> loader_;
    std::vector<std::vector<std::uint8_t>> handed_;
};

TEST_F(FirmwareJobTest, ServerToLoaderEndToEnd) {
    const std::string image = Image(1000);
    Serve("fw/mouse/firmware-105.zip", {{.name = "firmware     -105.bin", .data = image}});
    EXPECT_EQ(UpdateFirmware(services_, downloads_, Flash()), FirmwareUpdateOutcome::kFlashed);

    EXPECT_THAT(server_->RequestedPaths(), ElementsAre("/fw//mouse//firmware-105.zip"));
    // The loader holds the image, its last block padded with 0xFF.
    std::vector<std::uint8_t> expected(image.begin(), image.end());
    expected.resize(1008, 0xFF);
    EXPECT_EQ(mouse_->Loader().Image(), expected);
    EXPECT_FALSE(fs::exists(downloads_ / "firmware     -105.bin"));
    EXPECT_FALSE(fs::exists(downloads_ / "firmware-105.zip"));

    const auto status = view_.Calls("status");
    ASSERT_GE(status.size(), 6u);
    EXPECT_EQ(status[0], "status T590: 5%");
    EXPECT_EQ(status[1], "status T591: 7%");
    EXPECT_EQ(status[2], "status T591: 10%");
    EXPECT_EQ(status[3].rfind("status T592: ", 0), 0u);  // the transfer's own reports
    EXPECT_EQ(status[status.size() - 2], "status T592: 100%");
    EXPECT_EQ(status.back(), "status T593: 100%");
    EXPECT_EQ(view_.Calls().back(), "close firmware dialog");
}

TEST_F(FirmwareJobTest, AnImageNamedOtherwiseIsNotUsed) {
    for (const char* name : {"firmware-105.bin", "firmware     -104.bin", "fw/firmware     -105.bin"}) {
        SCOPED_TRACE(name);
        test::RecordingUpdateView view;
        Serve("fw/mouse/firmware-105.zip", {{.name = name, .data = Image(500)}});
        EXPECT_EQ(UpdateFirmware({http_, state_, view, test::TestText}, downloads_, Flash(),
                                 std::chrono::milliseconds(1)),
                  FirmwareUpdateOutcome::kNoImage);
        EXPECT_THAT(view.Calls("status"), ElementsAre("status T590: 5%", "status T591: 7%"));
        EXPECT_EQ(view.Calls().back(), "close firmware dialog");
    }
    EXPECT_THAT(handed_, IsEmpty());
    EXPECT_TRUE(mouse_->Loader().Image().empty());
}

TEST_F(FirmwareJobTest, EmptyImageOrNoArchiveEndsAfterUnpacking) {
    Serve("fw/mouse/firmware-105.zip", {{.name = "firmware     -105.bin", .data = ""}});
    EXPECT_EQ(UpdateFirmware(services_, downloads_, Flash(), std::chrono::milliseconds(1)),
              FirmwareUpdateOutcome::kNoImage);
    state_.Modify([](UpdateStateData& s) { s.latestFirmwareVersion = "999"; });  // not on the server
    EXPECT_EQ(UpdateFirmware(services_, downloads_, Flash(), std::chrono::milliseconds(1)),
              FirmwareUpdateOutcome::kNoImage);
    EXPECT_THAT(handed_, IsEmpty());
    // The error page was stored and is not a zip, so it stays.
    EXPECT_TRUE(fs::exists(downloads_ / "firmware-999.zip"));
}

TEST_F(FirmwareJobTest, ARefusedStartStillDeletesTheImageAndReportsTheEnd) {
    Serve("fw/mouse/firmware-105.zip", {{.name = "firmware     -105.bin", .data = Image(200)}});
    mouse_->FailWrites(sim::SimulatedDevice::kAlways);
    EXPECT_EQ(UpdateFirmware(services_, downloads_, Flash(), std::chrono::milliseconds(1)),
              FirmwareUpdateOutcome::kRefused);
    ASSERT_EQ(handed_.size(), 1u);
    EXPECT_EQ(handed_[0].size(), 200u);
    EXPECT_FALSE(fs::exists(downloads_ / "firmware     -105.bin"));
    EXPECT_THAT(view_.Calls("status"),
                ElementsAre("status T590: 5%", "status T591: 7%", "status T591: 10%", "status T593: 100%"));
    EXPECT_EQ(view_.Calls().back(), "close firmware dialog");
}

TEST_F(FirmwareJobTest, OnlyTheDownloadFolderIsUsed) {
    // No archive on the server; an image of the right name elsewhere, and a link to it in the download
    // folder.
    state_.Modify([](UpdateStateData& s) { s.latestFirmwareVersion = "106"; });
    root_.Write("firmware     -106.bin", Image(100));
    fs::create_directories(downloads_);
    fs::create_symlink(root_ / "firmware     -106.bin", downloads_ / "firmware     -106.bin");
    EXPECT_EQ(UpdateFirmware(services_, downloads_, Flash(), std::chrono::milliseconds(1)),
              FirmwareUpdateOutcome::kNoImage);
    EXPECT_THAT(handed_, IsEmpty());
    EXPECT_TRUE(fs::exists(root_ / "firmware     -106.bin"));
}

TEST(UpdatePromptTest, AsksAndQueuesTheMatchingJob) {
    UpdateStateData state;
    state.latestSoftwareVersion = "1.2.4";
    state.latestFirmwareVersion = "105";
    struct Case {
        int kind;
        int answer;
        std::vector<int> jobs;
        std::vector<std::string> calls;
    } cases[] = {
        {kSoftwareUpdateKind, 1, {26}, {"ask [T581] T582:V1.2.4, T583 style 4", "open download dialog"}},
        {kSoftwareUpdateKind, 2, {}, {"ask [T581] T582:V1.2.4, T583 style 4"}},
        {kFirmwareUpdateKind, 1, {27}, {"ask [T551] T582:V1.05, T583 style 4", "open firmware dialog"}},
        {kFirmwareUpdateKind, 0, {}, {"ask [T551] T582:V1.05, T583 style 4"}},
        {3, 1, {}, {}},
    };
    for (const Case& c : cases) {
        test::RecordingUpdateView view;
        view.answer = c.answer;
        std::vector<int> jobs;
        OnUpdateAvailable(c.kind, state, view, test::TestText, [&](int job) { jobs.push_back(job); });
        EXPECT_EQ(jobs, c.jobs) << c.kind << "/" << c.answer;
        EXPECT_EQ(view.Calls(), c.calls) << c.kind << "/" << c.answer;
    }

    // Without a usable latest version nothing is asked.
    test::RecordingUpdateView view;
    std::vector<int> jobs;
    OnUpdateAvailable(kSoftwareUpdateKind, UpdateStateData{}, view, test::TestText,
                      [&](int job) { jobs.push_back(job); });
    EXPECT_THAT(jobs, IsEmpty());
    EXPECT_THAT(view.Calls(), IsEmpty());
}

}  // namespace
}  // namespace vellomir
