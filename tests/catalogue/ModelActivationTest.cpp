#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempDir.h"
#include "catalogue/CatalogueEntry.h"
#include "catalogue/ModelState.h"
#include "common/FileIo.h"
#include "common/Text.h"
#include "storage/ConfigDatabase.h"
#include "storage/ConfigStore.h"
#include "storage/ProfileStore.h"

namespace vellomir {
namespace {

// Stands in for the main window: writes down every call in order.
class RecordingView : public ModelView {
public:
    Size SetModelPicture(const std::string& path) override {
        calls.push_back("picture " + path);
        return pictureSize;
    }
    int ClientWidth() const override { return 1200; }
    void PlaceModelPicture(const PictureRect& r) override {
        calls.push_back(StrFormat("place %d,%d %dx%d", r.left, r.top, r.width, r.height));
    }
    void ShowLightingTab(bool shown) override { calls.push_back(shown ? "lighting on" : "lighting off"); }
    void LayoutPages() override { calls.push_back("layout"); }
    void ClearKeys() override { calls.push_back("clear keys"); }
    void AddKeyLabel(int nameText, int keyCode, int direction, KeyPoint from, KeyPoint to) override {
        calls.push_back(StrFormat("label %d key %d dir %d (%d,%d)-(%d,%d)", nameText, keyCode, direction,
                                  from.x, from.y, to.x, to.y));
    }
    void AddKeyItem(int nameText, int functionText, int keyCode) override {
        calls.push_back(StrFormat("item %d %d key %d", nameText, functionText, keyCode));
    }
    void FinishKeys(int count) override { calls.push_back(StrFormat("finish %d", count)); }

    Size pictureSize{400, 300};
    std::vector<std::string> calls;
};

class ModelActivationTest : public ::testing::Test {
protected:
    void TearDown() override { ConfigDatabase::Instance().CloseIfOpen(); }

    void ShipDescription(const std::string& stem, const std::filesystem::path& from) {
        program_.Write("device/" + stem + ".xml", ReadWholeFile(from).value());
    }

    static CatalogueEntry Entry(const std::string& name, const std::string& stem) {
        CatalogueEntry entry;
        entry.name = name;
        entry.description_stem = stem;
        return entry;
    }

    test::TempDir program_;
    test::TempDir userData_;
};

TEST_F(ModelActivationTest, OpensTheModelsDatabaseAndShowsItsDescription) {
    ShipDescription("test", test::FixturesFolder() / "description/full.xml");
    const CatalogueEntry entry = Entry("Test Mouse", "test");
    ModelState state;
    RecordingView view;

    const ActivationResult result = ActivateModel(7, &entry, program_.path(), userData_.path(), state, view);
    EXPECT_TRUE(result.database_open);
    EXPECT_TRUE(result.description_read);
    EXPECT_TRUE(std::filesystem::exists(userData_ / "db/test_data.db"));
    EXPECT_TRUE(ConfigDatabase::Instance().IsOpened());

    EXPECT_EQ(state.model_name, "Test Mouse");
    EXPECT_EQ(state.description_stem, "test");
    EXPECT_EQ(state.device_type, 7);
    EXPECT_TRUE(state.lighting_page);
    EXPECT_TRUE(state.show_dpi_tips);
    EXPECT_FALSE(state.show_save_tips);
    EXPECT_EQ(state.firmware_url, "firmware/test/");
    EXPECT_EQ(state.light_effects, (std::array<bool, 6>{true, false, false, true, false, false}));
    ASSERT_EQ(state.keys.size(), 3u);
    EXPECT_EQ(state.keys[2], (KeyDefinition{0, 0, 0, 5, 5, "142", 5, 3, 0, 0, "142"}));

    const std::vector<std::string> expected = {
        "picture device/test_mouse.png",
        "place 650,120 400x300",
        "lighting on",
        "layout",
        "layout",
        "clear keys",
        "label 106 key 0 dir 1 (120,85)-(260,85)",
        "item 106 106 key 0",
        "label 107 key 1 dir 2 (300,90)-(180,90)",
        "item 107 107 key 1",
        "label 142 key 5 dir 1 (40,150)-(0,150)",
        "item 142 142 key 5",
        "finish 3",
    };
    EXPECT_EQ(view.calls, expected);
}

TEST_F(ModelActivationTest, UnreadableDescriptionKeepsThePreviousModelButSwitchesTheDatabase) {
    ShipDescription("first", test::FixturesFolder() / "description/full.xml");
    program_.Write("device/second.xml", "<mouse><menu light=\"0\"/>");  // truncated
    ModelState state;
    RecordingView view;
    const CatalogueEntry first = Entry("First", "first");
    ASSERT_TRUE(ActivateModel(1, &first, program_.path(), userData_.path(), state, view).description_read);

    view.calls.clear();
    const CatalogueEntry second = Entry("Second", "second");
    const ActivationResult result = ActivateModel(2, &second, program_.path(), userData_.path(), state, view);
    EXPECT_TRUE(result.database_open);
    EXPECT_FALSE(result.description_read);
    EXPECT_EQ(ConfigDatabase::Instance().Path(),
              ConfigDatabase::DatabaseFile(userData_.path(), "second").string());
    EXPECT_EQ(state.model_name, "Second");
    EXPECT_EQ(state.device_type, 2);
    EXPECT_TRUE(state.lighting_page);  // still the first model's
    EXPECT_EQ(state.keys.size(), 3u);
    EXPECT_TRUE(view.calls.empty());

    // No catalogue entry: name and stem become empty and the files named by the empty stem are tried.
    const ActivationResult none = ActivateModel(99, nullptr, program_.path(), userData_.path(), state, view);
    EXPECT_FALSE(none.description_read);
    EXPECT_TRUE(state.model_name.empty());
    EXPECT_TRUE(state.description_stem.empty());
    EXPECT_EQ(state.keys.size(), 3u);
}

TEST_F(ModelActivationTest, PictureThatDidNotLoadIsNotPlaced) {
    program_.Write("device/p.xml", "<mouse><image_file mouse_img=\"missing.png\"/></mouse>");
    const CatalogueEntry entry = Entry("P", "p");
    ModelState state;
    RecordingView view;
    view.pictureSize = {0, 0};
    ActivateModel(3, &entry, program_.path(), userData_.path(), state, view);
    EXPECT_EQ(view.calls, std::vector<std::string>{"picture device/missing.png"});
}

TEST_F(ModelActivationTest, RestoreReportRateDefaultStoresBothRates) {
    program_.Write("device/r.xml",
                   "<mouse><mouse_info><report_rate default_value=\"64\"/><dpi_info/></mouse_info></mouse>");
    program_.Write("device/none.xml", "<mouse><mouse_info><lod value=\"2\"/></mouse_info></mouse>");
    ASSERT_TRUE(ConfigDatabase::Instance().OpenForDevice(userData_.path(), "r"));
    const ConfigEntry rows[] = {{"report_rate", "2"}, {"report_rate_wireless", "1"}};
    const int profile = InsertProfile(ProfileInfo{0, "P", "", 0, 0}, rows);
    ASSERT_GT(profile, 0);

    auto value = [&](const char* key) {
        std::string text;
        GetConfigValue(profile, key, text);
        return text;
    };
    EXPECT_EQ(RestoreReportRateDefault(program_ / "device/none.xml", profile), std::nullopt);
    EXPECT_EQ(value("report_rate"), "2");
    EXPECT_EQ(RestoreReportRateDefault(program_ / "device/missing.xml", profile), std::nullopt);

    EXPECT_EQ(RestoreReportRateDefault(program_ / "device/r.xml", profile), "64");
    EXPECT_EQ(value("report_rate"), "64");
    EXPECT_EQ(value("report_rate_wireless"), "64");

    // Nothing can be stored without a database: not reported as restored.
    ConfigDatabase::Instance().CloseIfOpen();
    EXPECT_EQ(RestoreReportRateDefault(program_ / "device/r.xml", profile), std::nullopt);
}

}  // namespace
}  // namespace vellomir
