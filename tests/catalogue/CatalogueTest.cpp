#include <gtest/gtest.h>

#include "CatalogueTestSinks.h"
#include "TempDir.h"
#include "app/AppIdentity.h"
#include "app/Languages.h"
#include "catalogue/Catalogue.h"

namespace vellomir {
namespace {

namespace fs = std::filesystem;
using test::SupportedIdentity;

const fs::path kSkin = "/skin/device";

fs::path TwoModes() {
    return test::FixturesFolder() / "catalogue" / "two_modes";
}

class CatalogueRead : public testing::Test {
protected:
    void SetUp() override { SetCurrentLanguage(kEnglish); }
    void TearDown() override {
        AppIdentity::Instance().SetDeviceName("");
        AppIdentity::Instance().ClearLanguages();
    }
};

TEST_F(CatalogueRead, IdentityTakesLanguagesAndName) {
    AppIdentity::Instance().AddLanguage(2052);  // from an earlier read: replaced
    ASSERT_TRUE(LoadAppIdentity(TwoModes()));
    EXPECT_EQ(AppIdentity::Instance().DeviceName(), "Fixture Mouse");
    EXPECT_EQ(AppIdentity::Instance().ListedLanguages(), (std::map<int, int>{{1033, 1}, {1041, 1}}));
}

TEST_F(CatalogueRead, TwoModesPerModelFillEveryList) {
    Catalogue catalogue;
    test::RecordingTargets targets;
    ASSERT_TRUE(LoadCatalogue(catalogue, TwoModes(), kSkin, targets.Targets()));

    ASSERT_EQ(catalogue.models.size(), 3u);
    CatalogueEntry one;
    one.name = "Test One";
    one.device_type = 7;
    one.description_stem = "one";
    one.image_path = kSkin / "one.png";
    EXPECT_EQ(catalogue.models[0], one);
    EXPECT_EQ(catalogue.models[1].name, "Test & Two");
    EXPECT_EQ(catalogue.models[1].device_type, 0);  // letters read as 0
    EXPECT_EQ(catalogue.models[1].vendor_id, 0);    // model entries carry no mode fields

    ASSERT_EQ(catalogue.modes.size(), 4u);
    EXPECT_EQ(catalogue.slots, catalogue.modes);
    const CatalogueEntry& cable = catalogue.modes[0];
    const CatalogueEntry& receiver = catalogue.modes[1];
    EXPECT_EQ(cable.name, "Test One");
    EXPECT_EQ(cable.vendor_id, 6699);
    EXPECT_EQ(cable.product_id, 3);
    EXPECT_EQ(cable.state, 0);
    EXPECT_EQ(cable.slot, -1);
    // The receiver mode leaves out vid, dev_id and hid_interface: it keeps the cable mode's values.
    EXPECT_EQ(receiver.mode_value, 1);
    EXPECT_EQ(receiver.mode_description, "receiver");
    EXPECT_EQ(receiver.vendor_id, 6699);
    EXPECT_EQ(receiver.product_id, 4);
    EXPECT_EQ(receiver.device_id, "ONE1");
    EXPECT_EQ(receiver.interface_text, "MI_02");
    // A later model starts afresh: nothing leaks from the model before it.
    EXPECT_EQ(catalogue.modes[2].interface_text, "");
    EXPECT_EQ(catalogue.modes[2].mode_description, "");
    EXPECT_TRUE(catalogue.modes[3].spare.empty());

    const std::vector<SupportedIdentity> supported = {
        {6699, 3, 7, 0, "ONE1"}, {6699, 4, 7, 1, "ONE1"}, {6699, 5, 0, 0, "TWO2"}, {6699, 6, 0, 1, "TWO3"}};
    EXPECT_EQ(targets.supported, supported);
    const std::vector<std::string> calls = {"clear list",
                                            "clear supported",
                                            "add Test One 7 one.png",
                                            "add Test & Two 0 two.png",
                                            "add Test One Again 7 again.png",
                                            "title Version: v2.3.4"};
    EXPECT_EQ(targets.calls, calls);

    EXPECT_EQ(catalogue.software.version, "2.3.4");
    EXPECT_EQ(catalogue.software.website, "https://www.example.com/");
    EXPECT_EQ(catalogue.software.feedback, "https://www.example.com/feedback");
    EXPECT_EQ(catalogue.software.qa, "https://www.example.com/qa");
    EXPECT_EQ(catalogue.software.store, "https://store.example.com/");
    EXPECT_EQ(catalogue.software.upgrade, "http://127.0.0.1:9/update/");
    EXPECT_EQ(catalogue.software.copyright, "Copyright line");
}

TEST_F(CatalogueRead, FindModelGivesTheFirstModelOfAType) {
    Catalogue catalogue;
    ASSERT_TRUE(LoadCatalogue(catalogue, TwoModes(), kSkin, {}));
    ASSERT_NE(FindModel(catalogue, 7), nullptr);
    EXPECT_EQ(FindModel(catalogue, 7)->description_stem, "one");
    EXPECT_EQ(FindModel(catalogue, 0)->description_stem, "two");
    EXPECT_EQ(FindModel(catalogue, 101), nullptr);
    EXPECT_EQ(FindModel(Catalogue{}, 7), nullptr);
}

TEST_F(CatalogueRead, FillSupportedReplacesTheListFromTheModes) {
    Catalogue catalogue;
    ASSERT_TRUE(LoadCatalogue(catalogue, TwoModes(), kSkin, {}));
    test::RecordingTargets sink;
    sink.AddSupported(1, 2, 3, 4, "stale");
    FillSupported(catalogue.modes, sink);
    ASSERT_EQ(sink.supported.size(), 4u);
    EXPECT_EQ(sink.supported[1], (SupportedIdentity{6699, 4, 7, 1, "ONE1"}));
}

// Elements are searched forward only: one placed before an element already found is not seen.
TEST_F(CatalogueRead, SearchOrderPitfalls) {
    const std::string device =
        R"(<device><mouse name="M" device_type="3"><mode vid="1209" pid="1"/></mouse></device>)";
    const std::string languages = R"(<language.info><lan value="1033"/></language.info>)";
    const std::string software = R"(<software caption="Named" version="9"><website url="w"/></software>)";
    const struct {
        const char* what;
        std::string body;
        std::string deviceName;
        std::size_t languages;
        std::size_t models;
        std::string version;
    } cases[] = {
        {"usual order", languages + device + software, "Named", 1, 1, "9"},
        {"software before language.info", software + languages + device, "Vellomir", 1, 1, ""},
        {"software before device", languages + software + device, "Named", 1, 1, ""},
        {"device before language.info", device + languages + software, "Named", 1, 1, "9"},
        {"no software", languages + device, "Vellomir", 1, 1, ""},
        {"nothing inside", "", "Vellomir", 0, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        dir.Write("config.xml", "<?xml version=\"1.0\"?>\n<config>" + c.body + "</config>\n");
        AppIdentity::Instance().SetDeviceName("");
        ASSERT_TRUE(LoadAppIdentity(dir.path()));
        EXPECT_EQ(AppIdentity::Instance().DeviceName(), c.deviceName);
        EXPECT_EQ(AppIdentity::Instance().ListedLanguages().size(), c.languages);
        Catalogue catalogue;
        ASSERT_TRUE(LoadCatalogue(catalogue, dir.path(), kSkin, {}));
        EXPECT_EQ(catalogue.models.size(), c.models);
        EXPECT_EQ(catalogue.software.version, c.version);
        EXPECT_EQ(catalogue.software.website.empty(), c.version.empty());
    }
}

TEST_F(CatalogueRead, UnusableFilesLeaveEverythingEmpty) {
    const std::pair<const char*, std::string> files[] = {
        {"two roots", R"(<config><device><mouse name="M"/></device></config><config/>)"},
        {"unclosed", R"(<config><device><mouse name="M" device_type="1">)"},
        {"stray end tag", R"(<config></device></config>)"},
        {"binary", std::string("\0\xFF\xFE<\x01", 5)},
        {"empty", ""},
    };
    for (const auto& [what, bytes] : files) {
        SCOPED_TRACE(what);
        test::TempDir dir;
        dir.Write("config.xml", bytes);
        AppIdentity::Instance().SetDeviceName("Earlier");
        AppIdentity::Instance().AddLanguage(1033);
        EXPECT_FALSE(LoadAppIdentity(dir.path()));
        EXPECT_EQ(AppIdentity::Instance().DeviceName(), "Earlier");
        EXPECT_TRUE(AppIdentity::Instance().ListedLanguages().empty());

        Catalogue catalogue;
        ASSERT_TRUE(LoadCatalogue(catalogue, TwoModes(), kSkin, {}));  // something to be emptied
        test::RecordingTargets targets;
        targets.AddSupported(1, 1, 1, 1, "old");
        EXPECT_FALSE(LoadCatalogue(catalogue, dir.path(), kSkin, targets.Targets()));
        EXPECT_TRUE(catalogue.models.empty());
        EXPECT_TRUE(catalogue.modes.empty());
        EXPECT_TRUE(catalogue.slots.empty());
        EXPECT_TRUE(catalogue.software.upgrade.empty());
        EXPECT_TRUE(targets.supported.empty());
        EXPECT_EQ(targets.calls, (std::vector<std::string>{"clear list", "clear supported"}));
    }
    test::TempDir none;
    EXPECT_FALSE(LoadAppIdentity(none.path()));
}

TEST_F(CatalogueRead, MissingLanguageTextLeavesTheTitleStartingWithTheSeparator) {
    test::TempDir dir;
    dir.Write("config.xml", R"(<config><software version="1.0"/></config>)");
    Catalogue catalogue;
    test::RecordingTargets targets;
    ASSERT_TRUE(LoadCatalogue(catalogue, dir.path(), kSkin, targets.Targets()));
    EXPECT_EQ(catalogue.software.title, ": v1.0");
    EXPECT_EQ(targets.calls.back(), "title : v1.0");
}

}  // namespace
}  // namespace vellomir
