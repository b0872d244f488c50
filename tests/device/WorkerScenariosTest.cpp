// The device worker end to end: the real worker thread, the shipped catalogue and descriptions, the
// model's SQLite file in the sandboxed user data folder and simulated devices behind the HID seam.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "RecordingWorkerView.h"
#include "SimRig.h"
#include "TempDir.h"
#include "app/AppSettings.h"
#include "app/Folders.h"
#include "app/LanguageTexts.h"
#include "app/Languages.h"
#include "catalogue/Catalogue.h"
#include "device/DeviceWorker.h"
#include "device/HotplugRouting.h"
#include "device/JobCodes.h"
#include "protocol/DpiTables.h"
#include "protocol/ProfileValues.h"
#include "protocol/SettingsCommands.h"
#include "sim/SimulatePresets.h"
#include "storage/ConfigDatabase.h"
#include "storage/KeyBindingStore.h"
#include "storage/LightStore.h"
#include "storage/ProfileStore.h"

namespace vellomir::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Device types of the shipped catalogue.
constexpr int kArc = 1;
constexpr int kDrift = 2;

template <typename Pred>
bool WaitUntil(Pred pred, std::chrono::milliseconds limit = 10s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

// The command byte of every request a device received on its protocol interface, in order.
std::vector<int> Commands(const sim::SimulatedDevice& device) {
    std::vector<int> commands;
    for (const sim::FrameRecord& record : device.Log(sim::kProtocolInterface)) {
        commands.push_back(record.bytes.size() > 1 ? record.bytes[1] : -1);
    }
    return commands;
}

bool Contains(const std::vector<int>& values, int value) {
    return std::find(values.begin(), values.end(), value) != values.end();
}

// The Arc with factory settings that differ from its description's defaults, so that a value read
// back from the mouse is told apart from a default.
sim::SimDeviceSpec ArcSpec() {
    sim::SimDeviceSpec spec = *sim::FindPreset("arc");
    spec.mouse.dpiCount = 3;
    spec.mouse.dpiIndex = 2;
    spec.mouse.dpiCodes = {5, 10, 20, 40, 80, 160};  // 500 .. 16000 DPI on this sensor
    spec.mouse.power = {10, 1, 1, 4};
    return spec;
}

class WorkerScenarioTest : public ::testing::Test {
protected:
    void SetUp() override {
        program_ = BuiltProgramFolder();
        ASSERT_TRUE(LoadAppIdentity(program_));
        ASSERT_TRUE(LoadCatalogue(catalogue_, program_, DefaultSkinDeviceFolder(program_), {}));
        ConfigDatabase::Instance().CloseIfOpen();
        std::error_code ec;
        fs::remove_all(GetUserDataFolder(), ec);
        fs::remove(GetSettingsFile(), ec);
        ReadLanguage();  // creates the settings file, as the program's start does
        view_ = std::make_unique<RecordingWorkerView>(catalogue_);
        session_ = std::make_unique<ModelSession>(catalogue_, program_, GetUserDataFolder(), *view_);
    }

    void TearDown() override {
        rig_.Backend().StopHotplug();
        worker_.reset();  // stops the thread and waits for it
        ConfigDatabase::Instance().CloseIfOpen();
    }

    void StartWorker() {
        WorkerEnvironment environment{*session_,
                                      state_,
                                      *view_,
                                      [this](int id) { return ReadLanguageText(program_, kEnglish, id); },
                                      {}};
        worker_ = std::make_unique<DeviceWorker>(environment);
        ASSERT_TRUE(worker_->StartWorker());
    }

    // Starts the worker with job 1 queued and waits until it has run.
    void StartUp() {
        StartWorker();
        worker_->QueueJob(kJobStartupScan);
        ASSERT_TRUE(WaitForJobs(1));
    }

    bool WaitForJobs(unsigned long count, std::chrono::milliseconds limit = 10s) {
        return WaitUntil([&] { return worker_->JobsRun() >= count; }, limit);
    }

    std::shared_ptr<sim::SimulatedMouse> PlugArc() {
        const sim::SimDeviceSpec spec = ArcSpec();
        auto mouse = sim::SimulatedMouse::Create(spec.usb, spec.mouse);
        rig_.Backend().Plug(mouse);
        return mouse;
    }

    static std::vector<std::string> ProfileNames() {
        std::vector<ProfileInfo> profiles;
        ListProfiles(profiles);
        std::vector<std::string> names;
        for (const ProfileInfo& profile : profiles)
            names.push_back(profile.name);
        return names;
    }

    SimRig rig_;
    fs::path program_;
    Catalogue catalogue_;
    DeviceState state_;
    std::unique_ptr<RecordingWorkerView> view_;
    std::unique_ptr<ModelSession> session_;
    std::unique_ptr<DeviceWorker> worker_;
};

TEST_F(WorkerScenarioTest, StartupWithCabledMouseCreatesProfilesAndReadsTheMouse) {
    auto mouse = PlugArc();
    StartUp();

    EXPECT_EQ(view_->Starting("SetTitle"), std::vector<std::string>{"SetTitle 51"});
    EXPECT_TRUE(view_->Has("ShowDeviceView"));
    EXPECT_TRUE(view_->Has("ShowDeviceList 1"));
    EXPECT_TRUE(view_->Has("ShowVersions"));
    EXPECT_TRUE(worker_->connection().Connected());
    EXPECT_TRUE(state_.MouseOnline());
    EXPECT_EQ(worker_->connection().CurrentDeviceType(), kArc);
    EXPECT_EQ(ReadDeviceType(), kArc);
    EXPECT_EQ(view_->list().GetSelectDevice(), kArc);
    for (const DeviceListEntry& entry : view_->list().Entries()) {
        EXPECT_EQ(entry.Present(), entry.deviceType == kArc) << entry.name;
        if (entry.deviceType == kArc) {
            EXPECT_EQ(entry.version, 0x0103u);
        }
    }

    EXPECT_EQ(ProfileNames(), (std::vector<std::string>{"Profile 1", "Profile 2", "Profile 3", "Profile 4"}));
    EXPECT_EQ(GetActiveProfile(), 1);
    EXPECT_EQ(state_.CurrentProfile(), 1);
    EXPECT_TRUE(view_->Has("ShowProfileName Profile 1"));

    // Profile 1 holds what the mouse reported; the others the description's defaults.
    struct Case {
        const char* key;
        int fromMouse;
        int fromDescription;
    };
    const Case cases[] = {
        {"dpi_count", 3, 5},
        {"dpi_index", 2, 1},
        {"dpi_group0_value", 500, 400},
        {"dpi_group5_value", 16000, 12000},
        {"sleep_light", 10, 6},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadProfileInt(1, c.key), c.fromMouse) << c.key;
        for (int profile = 2; profile <= 4; ++profile) {
            EXPECT_EQ(ReadProfileInt(profile, c.key), c.fromDescription)
                << c.key << " of profile " << profile;
        }
    }
    const std::vector<int> commands = Commands(*mouse);
    for (int query :
         {command::kPrepareRead, command::kQueryReportRate, command::kQueryDpiStages, command::kQueryPower}) {
        EXPECT_TRUE(Contains(commands, query)) << query;
    }
    EXPECT_TRUE(state_.WasTypeRead(kArc));

    // Connected and idle: the worker listens for the mouse's reports.
    EXPECT_TRUE(WaitUntil([&] { return worker_->PollsRun() > 0; }));
}

TEST_F(WorkerScenarioTest, ReceiverWithMouseOffComesOnlineOnItsLinkReport) {
    sim::SimDeviceSpec spec = *sim::FindPreset("drift-receiver");
    spec.mouse.dpiCount = 2;
    spec.mouse.dpiIndex = 1;
    auto receiver = sim::SimulatedReceiver::Create(spec.usb, spec.receiverModel, spec.mouse, false);
    rig_.Backend().Plug(receiver);
    StartUp();

    EXPECT_EQ(view_->Starting("SetTitle"), std::vector<std::string>{"SetTitle 52"});
    EXPECT_TRUE(view_->Has("ShowDeviceView"));
    EXPECT_EQ(worker_->connection().CurrentDeviceType(), kDrift);
    EXPECT_TRUE(state_.MouseOnline());
    EXPECT_EQ(state_.MouseLinked(), 0);
    // The configuration read found the mouse not linked and ran the failure handling.
    const std::vector<std::string> afterProfiles = view_->After("ShowProfileName Profile 1");
    const auto popups = std::find(afterProfiles.begin(), afterProfiles.end(), "ClosePopups");
    ASSERT_NE(popups, afterProfiles.end());
    ASSERT_NE(popups + 1, afterProfiles.end());
    EXPECT_EQ(*(popups + 1), "SetDeviceState 2 1 1");
    EXPECT_FALSE(view_->Has("ShowVersions"));
    EXPECT_FALSE(Contains(Commands(*receiver), command::kQueryDpiStages));
    EXPECT_FALSE(state_.WasTypeRead(kDrift));
    const int defaultCount = ReadProfileInt(2, "dpi_count");
    EXPECT_EQ(ReadProfileInt(1, "dpi_count"), defaultCount);
    ASSERT_NE(defaultCount, 2);

    view_->Clear();
    receiver->ClearLog();
    receiver->SetMouseOnline(true);  // C0 01 5A 00
    ASSERT_TRUE(view_->WaitFor("SetBatteryInfo 90 0", 10s));

    const std::vector<std::string> calls = view_->Calls();
    const std::vector<std::string> expectedOrder = {"ClosePopups",  "ShowDeviceView",
                                                    "SetTitle 52",  "SetDeviceState 2 1 1",
                                                    "ShowVersions", "SetBatteryInfo 90 0"};
    auto at = calls.begin();
    for (const std::string& call : expectedOrder) {
        at = std::find(at, calls.end(), call);
        ASSERT_NE(at, calls.end()) << call << " missing or out of order";
    }
    EXPECT_EQ(state_.MouseLinked(), 1);
    EXPECT_TRUE(state_.WasTypeRead(kDrift));
    EXPECT_EQ(ReadProfileInt(1, "dpi_count"), 2);
    EXPECT_EQ(ReadProfileInt(1, "dpi_index"), 1);
    const std::vector<int> commands = Commands(*receiver);
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.front(), command::kInfo);  // the receiver's mouse is identified anew first
    EXPECT_TRUE(Contains(commands, command::kQueryDpiStages));
}

TEST_F(WorkerScenarioTest, NoSupportedDeviceShowsNoDeviceAndTheWorkerSleeps) {
    // A device of another maker is plugged in; nothing may open it.
    sim::UsbIdentity usb;
    usb.vendorId = 0x1234;
    usb.productId = 0x5678;
    auto other = sim::SimulatedMouse::Create(usb, sim::MouseModel{});
    rig_.Backend().Plug(other);
    StartUp();

    EXPECT_EQ(view_->Starting("SetTitle"), std::vector<std::string>{"SetTitle 50"});
    EXPECT_TRUE(view_->Has("ShowNoDeviceView"));
    EXPECT_TRUE(view_->Has("ShowDeviceList 0"));
    EXPECT_FALSE(view_->Has("ShowDeviceView"));
    EXPECT_FALSE(worker_->connection().Connected());
    EXPECT_FALSE(state_.MouseOnline());
    EXPECT_EQ(worker_->connection().CurrentDeviceType(), 0);
    EXPECT_EQ(view_->list().GetOnlineDevCount(), 0);

    const unsigned long steps = worker_->StepCount();
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(worker_->StepCount(), steps) << "an idle worker without a device must sleep until woken";
    EXPECT_EQ(worker_->PollsRun(), 0u);
    EXPECT_EQ(other->OpenHandles(), 0);
    EXPECT_TRUE(other->Log().empty());
    // No model is current, so no database file is made for it.
    EXPECT_FALSE(fs::exists(GetUserDataFolder() / "db" / "_data.db"));
}

TEST_F(WorkerScenarioTest, PluggingAndUnpluggingBecomeArrivalAndRemovalJobs) {
    StartUp();
    ASSERT_FALSE(worker_->connection().Connected());

    ASSERT_TRUE(rig_.Backend().StartHotplug([&](const HotplugEvent& event) { worker_->OnHotplug(event); }));

    auto mouse = PlugArc();
    ASSERT_TRUE(WaitForJobs(2));
    EXPECT_TRUE(worker_->connection().Connected());
    EXPECT_EQ(view_->Starting("SetTitle").back(), "SetTitle 51");
    EXPECT_EQ(ReadProfileInt(1, "dpi_count"), 3);  // read from the mouse after the arrival

    rig_.Backend().Unplug(mouse);
    ASSERT_TRUE(WaitForJobs(3));
    EXPECT_FALSE(worker_->connection().Connected());
    EXPECT_EQ(view_->Starting("SetTitle").back(), "SetTitle 50");
    EXPECT_EQ(view_->list().GetOnlineDevCount(), 0);

    rig_.Backend().StopHotplug();
    // One job per plug and per unplug, although each device shows four interfaces.
    EXPECT_TRUE(worker_->QueueEmpty());
    EXPECT_EQ(worker_->JobsRun(), 3u);
}

TEST_F(WorkerScenarioTest, IdlePollAppliesTheMouseDpiButton) {
    auto mouse = PlugArc();
    StartUp();
    view_->Clear();

    mouse->PressDpiButton();  // stage 2 of 3 -> stage 0: C2 03
    ASSERT_TRUE(view_->WaitFor("ShowSelectedStage 0 " + std::to_string(DpiToSlider(0x35, 500)), 5s));
    EXPECT_EQ(ReadProfileInt(1, "dpi_index"), 0);
    EXPECT_EQ(ReadProfileInt(1, "dpi_count"), 3);
    EXPECT_EQ(view_->Starting("ShowStageCount"), std::vector<std::string>{"ShowStageCount 3"});
    // The Arc's description enables the DPI tip.
    EXPECT_TRUE(view_->WaitFor("ShowDpiTip 500", 2s));
}

TEST_F(WorkerScenarioTest, ChoosingADeviceInTheList) {
    auto mouse = PlugArc();
    StartUp();
    std::vector<int> queued;
    const auto queue = [&](int job) {
        queued.push_back(job);
        worker_->QueueJob(job);
    };

    // Listed but not present: the message box, and the Arc stays current.
    EXPECT_FALSE(worker_->connection().OnDeviceChosen(kDrift, queue));
    EXPECT_TRUE(view_->Has("ShowMessageBox 57 56 0"));
    EXPECT_EQ(worker_->connection().CurrentDeviceType(), kArc);
    EXPECT_TRUE(queued.empty());

    // The current device again: job 4 runs, but its configuration was read in this run already.
    mouse->ClearLog();
    view_->Clear();
    EXPECT_TRUE(worker_->connection().OnDeviceChosen(kArc, queue));
    ASSERT_TRUE(WaitForJobs(2));
    EXPECT_EQ(queued, std::vector<int>{kJobSelectDevice});
    EXPECT_EQ(view_->Starting("SetTitle"), std::vector<std::string>{"SetTitle 51"});
    EXPECT_TRUE(view_->Has("ShowVersions"));
    EXPECT_FALSE(Contains(Commands(*mouse), command::kQueryDpiStages));
}

TEST_F(WorkerScenarioTest, QueuedJobsRunInOrderEvenWhenTheFirstTimesOut) {
    auto mouse = PlugArc();
    StartUp();
    mouse->ClearLog();
    mouse->DropFrames(1);  // the DPI frame gets no answer

    worker_->QueueJob(kJobWriteDpi);
    worker_->QueueJob(kJobWriteDpiColours);
    ASSERT_TRUE(WaitForJobs(3));

    const std::vector<sim::FrameRecord> log = mouse->Log(sim::kProtocolInterface);
    ASSERT_EQ(Commands(*mouse), (std::vector<int>{command::kDpiStages, command::kDpiColours}));
    // The colour job started only after the DPI job had waited out its transaction.
    EXPECT_GE(log[1].time - log[0].time, 1000ms);
    // A cabled mouse keeps its view after a failed write; the stored values stay.
    EXPECT_EQ(view_->Starting("SetTitle").back(), "SetTitle 51");
    EXPECT_EQ(ReadProfileInt(1, "dpi_count"), 3);
}

TEST_F(WorkerScenarioTest, CodesWithoutAnEntryAreDropped) {
    auto mouse = PlugArc();
    StartUp();
    mouse->ClearLog();
    view_->Clear();
    const unsigned long before = worker_->JobsRun();

    for (int code : {14, 19, 25, 0, 7, 99})
        worker_->QueueJob(code);
    worker_->QueueJob(kJobWriteReportRate);
    ASSERT_TRUE(WaitForJobs(before + 1));

    EXPECT_EQ(worker_->JobsRun(), before + 1);
    EXPECT_TRUE(worker_->QueueEmpty());
    EXPECT_EQ(Commands(*mouse), std::vector<int>{command::kReportRate});
    EXPECT_TRUE(view_->Calls().empty());
}

struct ProfileSwitchCase {
    const char* preset;
    std::vector<int> commands;                // what the mouse receives, in order
    std::array<std::uint16_t, 2> stageCodes;  // 1200 and 2400 DPI in the mouse's sensor codes
};

class WorkerProfileSwitchTest : public WorkerScenarioTest,
                                public ::testing::WithParamInterface<ProfileSwitchCase> {};

TEST_P(WorkerProfileSwitchTest, WritesEverySettingInOrder) {
    const sim::SimDeviceSpec spec = *sim::FindPreset(GetParam().preset);
    auto mouse = sim::SimulatedMouse::Create(spec.usb, spec.mouse);
    rig_.Backend().Plug(mouse);
    StartUp();

    // What the profile dialog's select action does for profile 2, whose DPI stages differ, with the
    // light rows the lighting page creates for a profile.
    ASSERT_TRUE(WriteProfileInt(2, "dpi_count", 2));
    ASSERT_TRUE(WriteProfileInt(2, "dpi_index", 0));
    ASSERT_TRUE(WriteProfileInt(2, "dpi_group0_value", 1200));
    ASSERT_TRUE(WriteProfileInt(2, "dpi_group1_value", 2400));
    LightSetting light;
    light.profile = 2;
    light.mode = state_.CurrentLightMode();
    light.brightness = 4;
    light.speed = 2;
    light.status = 1;
    ASSERT_GT(InsertLight(light), 0);
    ASSERT_TRUE(ActivateProfile(2));
    state_.SetCurrentProfile(2);
    mouse->ClearLog();
    view_->Clear();

    worker_->QueueJob(kJobWriteAll);
    ASSERT_TRUE(WaitForJobs(2));

    const std::vector<std::string> calls = view_->Calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), "RefreshPagesWithoutMacroLists");
    EXPECT_EQ(Commands(*mouse), GetParam().commands);
    const sim::VirtualMouse now = mouse->Mouse();
    EXPECT_EQ(now.DpiCount(), 2);
    EXPECT_EQ(now.DpiIndex(), 0);
    EXPECT_EQ(now.DpiCode(0), GetParam().stageCodes[0]);
    EXPECT_EQ(now.DpiCode(1), GetParam().stageCodes[1]);
}

// The Arc's description has lighting, the Apex 8K's has none: its light row is never sent.
INSTANTIATE_TEST_SUITE_P(
    Models, WorkerProfileSwitchTest,
    ::testing::Values(ProfileSwitchCase{"arc",
                                        {command::kKeyTable, command::kLight, command::kDpiStages,
                                         command::kDpiColours, command::kReportRate, command::kSensor,
                                         command::kPower},
                                        {12, 24}},
                      ProfileSwitchCase{"apex8k",
                                        {command::kKeyTable, command::kDpiStages, command::kDpiColours,
                                         command::kReportRate, command::kSensor, command::kPower},
                                        {23, 47}}),
    [](const ::testing::TestParamInfo<ProfileSwitchCase>& param) { return std::string(param.param.preset); });

TEST_F(WorkerScenarioTest, FactoryResetForgetsWhatWasReadAndRestoresDefaults) {
    auto mouse = PlugArc();
    StartUp();
    ASSERT_TRUE(state_.WasTypeRead(kArc));
    KeyBinding binding;
    binding.profile = 3;
    binding.key_code = 2;
    binding.macro_type = 1;
    binding.macro_value = 4;
    ASSERT_GT(SaveKeyBinding(binding), 0);
    mouse->ClearLog();

    worker_->QueueJob(kJobFactoryReset);
    ASSERT_TRUE(WaitForJobs(2));

    EXPECT_FALSE(state_.WasTypeRead(kArc));
    EXPECT_EQ(Commands(*mouse), std::vector<int>{command::kFactoryReset});
    EXPECT_EQ(mouse->Mouse().FactoryResets(), 1);
    for (int profile = 1; profile <= 4; ++profile) {
        std::vector<KeyBinding> bindings;
        EXPECT_EQ(ListKeyBindings(profile, bindings), 0) << "profile " << profile;
    }
    EXPECT_EQ(ReadProfileInt(1, "dpi_count"), 5);  // the description's default again

    // With the set emptied, choosing the device reads the mouse again.
    mouse->ClearLog();
    worker_->QueueJob(kJobSelectDevice);
    ASSERT_TRUE(WaitForJobs(3));
    EXPECT_TRUE(Contains(Commands(*mouse), command::kQueryDpiStages));
    EXPECT_TRUE(state_.WasTypeRead(kArc));
    EXPECT_EQ(ReadProfileInt(1, "dpi_count"), 3);
}

TEST_F(WorkerScenarioTest, StoppingWhileAJobBlocksGivesUpAfterTheLimit) {
    auto mouse = PlugArc();
    StartUp();
    mouse->DropFrames(sim::SimulatedDevice::kAlways);
    mouse->ClearLog();

    worker_->QueueJob(kJobWriteDpi);
    ASSERT_TRUE(WaitUntil([&] { return !mouse->Log(sim::kProtocolInterface).empty(); }));

    const auto start = std::chrono::steady_clock::now();
    const bool ended = worker_->StopWorker();
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(ended) << "the job is still inside its transaction";
    EXPECT_GE(waited, 950ms);
    worker_->JoinWorker();
    EXPECT_FALSE(worker_->IsRunning());
}

}  // namespace
}  // namespace vellomir::test
