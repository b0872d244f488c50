// Loads every shipped catalogue and language file from the program folder of the build and checks
// that they hold what the program relies on.

#include <gtest/gtest.h>

#include <set>

#include "TempDir.h"
#include "app/AppIdentity.h"
#include "app/IniReader.h"
#include "app/LanguageTexts.h"
#include "app/Languages.h"
#include "catalogue/Catalogue.h"
#include "common/Text.h"
#include "xml/XmlDoc.h"

namespace vellomir {
namespace {

namespace fs = std::filesystem;

// Every text number the program shows, as ranges of numbers (first, last).
constexpr std::pair<int, int> kTextNumbers[] = {
    {1, 3},     {5, 7},     {11, 12},   {15, 17},   {20, 20},   {22, 23},   {25, 27},   {30, 32},
    {36, 36},   {38, 39},   {50, 52},   {56, 57},   {61, 61},   {71, 76},   {85, 86},   {100, 187},
    {250, 260}, {265, 272}, {275, 276}, {278, 285}, {350, 417}, {501, 538}, {551, 552}, {558, 558},
    {570, 571}, {576, 576}, {578, 578}, {580, 583}, {590, 593}, {596, 596}, {600, 616}, {630, 630},
};

class ShippedData : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(LoadAppIdentity(folder));
        ASSERT_TRUE(LoadCatalogue(catalogue, folder, DefaultSkinDeviceFolder(folder), {}));
    }
    void TearDown() override {
        AppIdentity::Instance().SetDeviceName("");
        AppIdentity::Instance().ClearLanguages();
    }

    const fs::path folder = test::BuiltProgramFolder();
    Catalogue catalogue;
};

TEST_F(ShippedData, CatalogueNamesTheProgramAndItsLinks) {
    EXPECT_EQ(AppIdentity::Instance().DeviceName(), "Vellomir");
    const SoftwareInfo& software = catalogue.software;
    EXPECT_EQ(software.version, "1.0.0");
    for (const std::string* link : {&software.website, &software.feedback, &software.qa, &software.store}) {
        EXPECT_TRUE(link->starts_with("https://")) << *link;
    }
    EXPECT_EQ(software.upgrade, "http://127.0.0.1:8080/vellomir/");
    EXPECT_FALSE(software.copyright.empty());
}

TEST_F(ShippedData, ModelsAreDistinctAndFindable) {
    ASSERT_GE(catalogue.models.size(), 3u);
    std::set<int> types;
    std::set<std::string> stems;
    for (const CatalogueEntry& model : catalogue.models) {
        SCOPED_TRACE(model.name);
        EXPECT_FALSE(model.name.empty());
        EXPECT_GT(model.device_type, 0);
        EXPECT_NE(model.device_type, 101);  // stands for a receiver without a device id
        EXPECT_TRUE(types.insert(model.device_type).second) << "device type used twice";
        EXPECT_TRUE(stems.insert(model.description_stem).second) << "description used twice";
        EXPECT_EQ(FindModel(catalogue, model.device_type), &model);
        // The model's description ships with it and is well-formed.
        XmlDoc description;
        EXPECT_TRUE(description.LoadFile(folder / "device" / (model.description_stem + ".xml")));
    }
    EXPECT_TRUE(std::any_of(types.begin(), types.end(), [](int type) { return type >= 201; }));
}

TEST_F(ShippedData, ModesUseTheTestVendorAndDistinctIdentities) {
    std::set<std::tuple<int, int, std::string>> identities;
    std::map<int, std::set<int>> modesOfType;
    for (const CatalogueEntry& mode : catalogue.modes) {
        SCOPED_TRACE(mode.name + " mode " + std::to_string(mode.mode_value));
        EXPECT_EQ(mode.vendor_id, 0x1209);
        EXPECT_GE(mode.product_id, 0x0001);
        EXPECT_LE(mode.product_id, 0x000F);
        EXPECT_FALSE(mode.device_id.empty());
        EXPECT_TRUE(mode.mode_value == 0 || mode.mode_value == 1);
        EXPECT_TRUE(identities.insert({mode.vendor_id, mode.product_id, mode.device_id}).second);
        modesOfType[mode.device_type].insert(mode.mode_value);
    }
    for (const CatalogueEntry& model : catalogue.models) {
        EXPECT_FALSE(modesOfType[model.device_type].empty()) << model.name << " has no mode";
    }
    // A wireless model is found both on its cable and behind its receiver.
    EXPECT_TRUE(std::any_of(modesOfType.begin(), modesOfType.end(), [](const auto& entry) {
        return entry.second == std::set<int>{0, 1};
    }));
}

TEST_F(ShippedData, EveryListedLanguageHoldsEveryText) {
    const std::map<int, int> listed = AppIdentity::Instance().ListedLanguages();
    EXPECT_EQ(listed, (std::map<int, int>{{1033, 1}, {2052, 1}}));
    EXPECT_EQ(OfferedLanguages(listed).size(), listed.size()) << "a listed language the menu cannot offer";
    for (const auto& [lcid, flag] : listed) {
        const fs::path file = LanguageFile(folder, lcid);
        SCOPED_TRACE(file.string());
        ASSERT_TRUE(fs::is_regular_file(file));
        for (auto [first, last] : kTextNumbers) {
            for (int id = first; id <= last; ++id) {
                const std::string text = ReadLanguageText(folder, lcid, id);
                EXPECT_FALSE(text.empty()) << "text " << id << " missing";
                EXPECT_TRUE(IsValidUtf8(text)) << "text " << id;
                EXPECT_LT(CountCodePoints(text), kMaxIniValueChars) << "text " << id << " would be cut";
            }
        }
    }
    // The two languages really differ where words are shown.
    EXPECT_NE(ReadLanguageText(folder, 1033, 17), ReadLanguageText(folder, 2052, 17));
    EXPECT_EQ(ReadLanguageText(folder, 1033, 61), "Profile");
    EXPECT_EQ(ReadLanguageText(folder, 2052, 351), "自定义");
}

TEST_F(ShippedData, TextsOfTheDescriptionsExist) {
    // Key names and function descriptions in the description files are text numbers.
    for (const CatalogueEntry& model : catalogue.models) {
        XmlDoc doc;
        ASSERT_TRUE(doc.LoadFile(folder / "device" / (model.description_stem + ".xml")));
        ASSERT_TRUE(doc.FindElement("mouse") && doc.EnterElement());
        if (!doc.FindElement("mouse_key") || !doc.EnterElement()) continue;
        while (doc.FindElement("key")) {
            for (const char* attribute : {"name", "func_desc"}) {
                const int id = ReadDecimal(doc.GetAttribute(attribute));
                for (int lcid : {1033, 2052}) {
                    EXPECT_FALSE(ReadLanguageText(folder, lcid, id).empty())
                        << model.description_stem << " " << attribute << " " << id << " in " << lcid;
                }
            }
        }
    }
}

}  // namespace
}  // namespace vellomir
