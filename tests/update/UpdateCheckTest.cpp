#include "update/UpdateCheck.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "LocalHttpServer.h"
#include "RecordingUpdateView.h"

namespace vellomir {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class UpdateCheckTest : public test::WithLocalServer {
protected:
    HttpTransfer http_;
    UpdateState state_;
    test::RecordingUpdateView view_;
    UpdateServices services_{http_, state_, view_, test::TestText};
};

TEST_F(UpdateCheckTest, SoftwareAnswers) {
    struct Case {
        const char* answer;  // nullptr: the server has no version file
        bool valid;
        int state;
        const char* latest;
        std::vector<std::string> calls;
    };
    const std::vector<std::string> none;
    const std::vector<std::string> offered = {"software button: on", "software label: T582: v1.2.4",
                                              "1692 1"};
    const std::vector<std::string> upToDate = {"software label: T580", "software button: off"};
    const Case cases[] = {
        {"1.2.4", true, kUpdateAvailable, "1.2.4", offered},
        {"1.2.4\r\n", true, kUpdateAvailable, "1.2.4", offered},  // a version file with a line end
        {"1.2.3", true, kUpToDate, "1.2.3", upToDate},
        {"1.2.2", true, kUpToDate, "1.2.2", upToDate},
        {"1.2.10",
         true,
         kUpdateAvailable,
         "1.2.10",
         {"software button: on", "software label: T582: v1.2.10", "1692 1"}},
        // Another number of parts counts as an update.
        {"1.2.3.0",
         true,
         kUpdateAvailable,
         "1.2.3.0",
         {"software button: on", "software label: T582: v1.2.3.0", "1692 1"}},
        {"12345678901", false, kNotChecked, "", none},  // 11 characters
        {"1.2.4-beta", false, kNotChecked, "", none},   // not only digits and dots
        {"../../x", false, kNotChecked, "", none},
        {"", false, kNotChecked, "", none},
        {nullptr, false, kNotChecked, "", none},  // the server's error page
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer ? c.answer : "(error page)");
        test::RecordingUpdateView view;
        UpdateState state;
        state.Modify([](UpdateStateData& s) {
            s.currentSoftwareVersion = "1.2.3";
            s.latestSoftwareVersion = "9.9.9";  // from an earlier check
        });
        if (c.answer) server_->Put("upd/version", c.answer);
        state.Modify(
            [&](UpdateStateData& s) { s.updateFolder = server_->Url(c.answer ? "/upd/" : "/none/"); });
        EXPECT_EQ(CheckSoftwareUpdate({http_, state, view, test::TestText}), c.valid);
        EXPECT_EQ(state.Snapshot().softwareState, c.state);
        EXPECT_EQ(state.Snapshot().latestSoftwareVersion, c.latest);
        EXPECT_EQ(view.Calls(), c.calls);
    }
    EXPECT_EQ(server_->RequestedPaths().front(), "/upd/version");
}

TEST_F(UpdateCheckTest, FailedCheckKeepsTheEarlierState) {
    state_.Modify([](UpdateStateData& s) {
        s.currentSoftwareVersion = "1.2.3";
        s.softwareState = kUpdateAvailable;
        s.latestSoftwareVersion = "1.2.4";
        s.updateFolder = "http://127.0.0.1:" + std::to_string(test::UnusedLocalPort()) + "/upd/";
    });
    EXPECT_FALSE(CheckSoftwareUpdate(services_));
    EXPECT_EQ(state_.Snapshot().softwareState, kUpdateAvailable);
    EXPECT_EQ(state_.Snapshot().latestSoftwareVersion, "");
    EXPECT_THAT(view_.Calls(), IsEmpty());
}

TEST_F(UpdateCheckTest, FirmwareNewerIsShownWithTheDeviceStyleVersion) {
    server_->Put("fw/mouse/version", "105");
    state_.Modify([](UpdateStateData& s) {
        s.firmwareLocation = server_->Url("/fw");
        s.deviceFirmwareVersion = "104";
    });
    EXPECT_TRUE(CheckFirmwareUpdate(services_));
    EXPECT_EQ(state_.Snapshot().firmwareState, kUpdateAvailable);
    EXPECT_EQ(state_.Snapshot().latestFirmwareVersion, "105");
    EXPECT_THAT(view_.Calls(), ElementsAre("firmware label: T582: V1.05", "firmware button: on", "1692 2"));
    EXPECT_THAT(server_->RequestedPaths(), ElementsAre("/fw/mouse/version"));
}

TEST_F(UpdateCheckTest, FirmwareAnswers) {
    struct Case {
        const char* answer;
        const char* device;
        int state;
        const char* latest;
        std::vector<std::string> calls;
    } cases[] = {
        {"104", "104", kUpToDate, "104", {"firmware label: T580", "firmware button: off"}},
        {"103", "104", kUpToDate, "103", {"firmware label: T580", "firmware button: off"}},
        // Without the mouse's version the latest one is only remembered.
        {"105", "", kNotChecked, "105", {}},
        {"1234567890", "104", kNotChecked, "", {}},  // 10 characters
        {"1.0.5 beta", "104", kNotChecked, "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        test::RecordingUpdateView view;
        UpdateState state;
        server_->Put("fw/mouse/version", c.answer);
        state.Modify([&](UpdateStateData& s) {
            s.firmwareLocation = server_->Url("/fw");
            s.deviceFirmwareVersion = c.device;
        });
        CheckFirmwareUpdate({http_, state, view, test::TestText});
        EXPECT_EQ(state.Snapshot().firmwareState, c.state);
        EXPECT_EQ(state.Snapshot().latestFirmwareVersion, c.latest);
        EXPECT_EQ(view.Calls(), c.calls);
    }
}

TEST_F(UpdateCheckTest, WithoutLocationsNoServerIsAsked) {
    state_.Modify([](UpdateStateData& s) {
        s.deviceFirmwareVersion = "104";
        s.latestFirmwareVersion = "105";
        s.firmwareState = kUpdateAvailable;
    });
    EXPECT_FALSE(CheckFirmwareUpdate(services_));
    EXPECT_FALSE(CheckSoftwareUpdate(services_));
    EXPECT_EQ(state_.Snapshot().latestFirmwareVersion, "");
    EXPECT_EQ(state_.Snapshot().firmwareState, kUpdateAvailable);
    EXPECT_THAT(view_.Calls(), IsEmpty());
    EXPECT_THAT(server_->RequestedPaths(), IsEmpty());
}

}  // namespace
}  // namespace vellomir
