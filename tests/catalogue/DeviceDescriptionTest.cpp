#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempDir.h"
#include "catalogue/DeviceDescription.h"
#include "catalogue/KeyDefinition.h"
#include "catalogue/ModelState.h"

namespace vellomir {
namespace {

std::filesystem::path Fixture(const char* name) {
    return test::FixturesFolder() / "description" / name;
}

// A description file around the given body of `mouse`.
std::filesystem::path WriteDescription(const test::TempDir& dir, const std::string& body) {
    return dir.Write("device/test.xml",
                     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<mouse>\r\n" + body + "</mouse>\r\n");
}

TEST(KeyRectTest, SplitsAtTheFirstTwoHashes) {
    struct Case {
        const char* text;
        KeyRect expected;
    } cases[] = {
        {"120#260#85", {120, 260, 85}},
        {"120#260#85#7", {120, 260, 85}},  // text after a third '#' is ignored
        {"120#85", {120, 0, 85}},          // second split finds no '#': x2 from an empty text
        {"85", {0, 0, 85}},
        {"", {0, 0, 0}},
        {"a#-4#x", {0, -4, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseKeyRect(c.text), c.expected) << c.text;
    }
    const KeyRect rect = ParseKeyRect("120#260#85");
    EXPECT_EQ(rect.From(), (KeyPoint{120, 85}));
    EXPECT_EQ(rect.To(), (KeyPoint{260, 85}));
}

TEST(DeviceDescriptionTest, ReadsEveryPartOfACompleteFile) {
    const auto description = ReadDeviceDescription(Fixture("full.xml"));
    ASSERT_TRUE(description.has_value());
    const ModelDescription& model = description->model;
    EXPECT_EQ(model.mouse_img, "test_mouse.png");
    EXPECT_EQ(model.lighting_page, true);
    ASSERT_TRUE(model.custom.has_value());
    // show_sensor="2" is not exactly 1, so it is off.
    EXPECT_EQ(*model.custom, (DescriptionCustom{true, false, true, false}));
    EXPECT_EQ(model.firmware_url, "firmware/test/");

    ASSERT_TRUE(model.keys.has_value());
    ASSERT_EQ(model.keys->size(), 3u);
    EXPECT_EQ((*model.keys)[0], (DescriptionKey{"106", 0, 1, {120, 260, 85}, "106", 1, 1}));
    EXPECT_EQ((*model.keys)[1].rect, (KeyRect{300, 180, 90}));
    EXPECT_EQ((*model.keys)[2].rect, (KeyRect{40, 0, 150}));
    EXPECT_EQ((*model.keys)[2].func_type, 5);
    EXPECT_EQ((*model.keys)[2].func_value, 3);

    EXPECT_EQ(model.light_effects[0], true);
    EXPECT_EQ(model.light_effects[1], std::nullopt);
    EXPECT_EQ(model.light_effects[2], false);
    EXPECT_EQ(model.light_effects[3], true);
    EXPECT_EQ(model.light_effects[4], std::nullopt);

    const DeviceDefaults& defaults = description->defaults;
    EXPECT_TRUE(defaults.has_mouse_info);
    ASSERT_TRUE(defaults.dpi.has_value());
    EXPECT_EQ(defaults.dpi->default_dpi, "1");
    EXPECT_EQ(defaults.dpi->dpi_count, "4");
    EXPECT_EQ(defaults.dpi->stages[0], (DpiStageDefault{"400", "#FF0000"}));
    EXPECT_EQ(defaults.dpi->stages[2], (DpiStageDefault{"1600", ""}));  // a missing colour is empty
    EXPECT_EQ(defaults.dpi->stages[3], (DpiStageDefault{"3200", "#0000FF"}));
    EXPECT_EQ(defaults.dpi->stages[4], std::nullopt);
    EXPECT_EQ(defaults.dpi->stages[5], std::nullopt);
    EXPECT_EQ(defaults.report_rate, "64");
    EXPECT_EQ(defaults.sleep_light, "30");
    EXPECT_EQ(defaults.move_wakeup, "1");
    EXPECT_EQ(defaults.move_closelight, "0");
    EXPECT_EQ(defaults.lod, "2");
    EXPECT_EQ(description->report_rate_default, "64");

    // The single-purpose readers agree with the combined one.
    EXPECT_EQ(ReadModelDescription(Fixture("full.xml")), model);
    EXPECT_EQ(ReadDeviceDefaults(Fixture("full.xml")), defaults);
    EXPECT_EQ(ReadReportRateDefault(Fixture("full.xml")), "64");
}

TEST(DeviceDescriptionTest, KeyDefinitionTakesTheBindingLayout) {
    const DescriptionKey key{"142", 5, 1, {40, 0, 150}, "143", 5, 3};
    const KeyDefinition def = MakeKeyDefinition(key);
    EXPECT_EQ(def, (KeyDefinition{0, 0, 0, 5, 5, "142", 5, 3, 0, 0, "143"}));
}

TEST(DeviceDescriptionTest, UnreadableFilesGiveNothing) {
    test::TempDir dir;
    const std::vector<std::pair<const char*, std::string>> files = {
        {"truncated", "<?xml version=\"1.0\"?>\r\n<mouse>\r\n<menu light=\"1\"/>\r\n<mouse_key>"},
        {"two roots", "<mouse><menu light=\"1\"/></mouse><mouse/>"},
        {"stray end tag", "<mouse><menu light=\"1\"/></mouse_key></mouse>"},
        {"empty", ""},
        {"not xml", "\x01\x02 binary"},
    };
    for (const auto& [what, text] : files) {
        const auto file = dir.Write(std::string(what) + ".xml", text);
        EXPECT_FALSE(ReadDeviceDescription(file).has_value()) << what;
        EXPECT_FALSE(ReadModelDescription(file).has_value()) << what;
        EXPECT_FALSE(ReadDeviceDefaults(file).has_value()) << what;
        EXPECT_FALSE(ReadReportRateDefault(file).has_value()) << what;
    }
    EXPECT_FALSE(ReadDeviceDescription(dir / "missing.xml").has_value());
}

TEST(DeviceDescriptionTest, OtherRootOrEmptyMouseHoldsNothing) {
    test::TempDir dir;
    for (const char* text : {"<config><menu light=\"1\"/><mouse_info/></config>", "<mouse/>"}) {
        const auto file = dir.Write("other.xml", text);
        const auto description = ReadDeviceDescription(file);
        ASSERT_TRUE(description.has_value()) << text;
        EXPECT_EQ(description->model, ModelDescription{}) << text;
        EXPECT_EQ(description->defaults, DeviceDefaults{}) << text;
        EXPECT_FALSE(ReadReportRateDefault(file).has_value()) << text;
    }
}

// Each routine walks forward only, so an element out of its place is seen by one routine and not by
// another.
TEST(DeviceDescriptionTest, ElementsOutOfOrderAreSeenOnlyWhereTheirRoutineLooks) {
    test::TempDir dir;
    const auto file =
        WriteDescription(dir,
                         "<mouse_info>\r\n"
                         "<report_rate default_value=\"8\"/>\r\n"
                         "<light_info><light_2 enable=\"1\"/><light_1 enable=\"1\"/></light_info>\r\n"
                         "<dpi_info dpi_count=\"2\"><dpi_2 value=\"800\"/><dpi_1 value=\"400\"/>"
                         "</dpi_info>\r\n"
                         "<lod value=\"2\"/>\r\n"
                         "<sleep_light value=\"6\"/>\r\n"
                         "</mouse_info>\r\n"
                         "<firmware url=\"fw/\"/>\r\n"
                         "<menu light=\"1\"/>\r\n");
    const auto description = ReadDeviceDescription(file);
    ASSERT_TRUE(description.has_value());
    // Activation finds menu (the last child), after which firmware and mouse_info, which stand before
    // it, are not found.
    EXPECT_EQ(description->model.lighting_page, true);
    EXPECT_EQ(description->model.firmware_url, std::nullopt);
    EXPECT_EQ(description->model.light_effects[0], std::nullopt);
    EXPECT_EQ(description->model.light_effects[1], std::nullopt);
    // Defaults: dpi_1 is found after dpi_2, so dpi_2 is missed; report_rate before dpi_info is missed;
    // sleep_light is found after lod, so lod is missed.
    const DeviceDefaults& defaults = description->defaults;
    ASSERT_TRUE(defaults.dpi.has_value());
    EXPECT_EQ(defaults.dpi->stages[0], (DpiStageDefault{"400", ""}));
    EXPECT_EQ(defaults.dpi->stages[1], std::nullopt);
    EXPECT_EQ(defaults.report_rate, std::nullopt);
    EXPECT_EQ(defaults.sleep_light, "6");
    EXPECT_EQ(defaults.lod, std::nullopt);
    // The report-rate restore looks from the first child of mouse_info.
    EXPECT_EQ(description->report_rate_default, "8");
}

TEST(DeviceDescriptionTest, LightInfoIsFoundAnywhereInMouseInfo) {
    test::TempDir dir;
    const auto file =
        WriteDescription(dir,
                         "<mouse_info><lod value=\"1\"/>"
                         "<light_info><light_2 enable=\"1\"/><light_6 enable=\"01\"/></light_info>"
                         "<report_rate default_value=\"1\"/></mouse_info>\r\n");
    const auto model = ReadModelDescription(file);
    ASSERT_TRUE(model.has_value());
    EXPECT_EQ(model->light_effects[1], true);
    EXPECT_EQ(model->light_effects[5], true);  // decimal value 1
    EXPECT_EQ(model->light_effects[0], std::nullopt);
}

TEST(ModelStateTest, MissingElementsKeepThePreviousModelsValues) {
    ModelState state;
    state.lighting_page = true;
    state.show_save_tips = true;
    state.firmware_url = "old/";
    state.light_effects = {true, true, true, true, true, true};
    state.keys = {KeyDefinition{0, 0, 0, 7, 7, "1", 1, 1, 0, 0, "1"}};

    test::TempDir dir;
    const auto file =
        WriteDescription(dir,
                         "<custom show_dpitips=\"1\"/>\r\n"
                         "<mouse_info><light_info><light_3 enable=\"0\"/></light_info></mouse_info>\r\n");
    const auto model = ReadModelDescription(file);
    ASSERT_TRUE(model.has_value());
    ApplyModelDescription(*model, state);
    EXPECT_TRUE(state.lighting_page);  // no menu: the lighting tab stays as it was
    EXPECT_TRUE(state.show_dpi_tips);
    EXPECT_FALSE(state.show_save_tips);  // custom present: all four flags replaced
    EXPECT_EQ(state.firmware_url, "old/");
    EXPECT_EQ(state.keys.size(), 1u);  // no mouse_key: the key list is kept
    EXPECT_EQ(state.light_effects, (std::array<bool, 6>{true, true, false, true, true, true}));

    // An empty mouse_key empties the list.
    const auto emptyKeys = ReadModelDescription(WriteDescription(dir, "<mouse_key/>\r\n"));
    ASSERT_TRUE(emptyKeys.has_value());
    ApplyModelDescription(*emptyKeys, state);
    EXPECT_TRUE(state.keys.empty());
}

TEST(ModelStateTest, PicturePlacement) {
    EXPECT_EQ(ModelPictureRect(1200, 400, 300), (PictureRect{650, 120, 400, 300}));
    EXPECT_EQ(ModelPictureRect(1200, 1, 300), std::nullopt);
    EXPECT_EQ(ModelPictureRect(1200, 0, 0), std::nullopt);
}

}  // namespace
}  // namespace vellomir
