// Loads every description file the program ships and checks it against the catalogue, the language
// files and the ranges the pages and the mouse accept.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>

#include "TempDir.h"
#include "app/AppIdentity.h"
#include "app/LanguageTexts.h"
#include "catalogue/Catalogue.h"
#include "catalogue/DeviceDescription.h"
#include "common/FileIo.h"
#include "common/Text.h"
#include "xml/XmlDoc.h"

namespace vellomir {
namespace {

// The picture size the key labels are laid out for: image_file's width and height.
struct PictureSize {
    int width = 0;
    int height = 0;
};

PictureSize DeclaredPictureSize(const std::filesystem::path& file) {
    XmlDoc doc;
    if (!doc.LoadFile(file) || !doc.FindElement("mouse") || !doc.EnterElement() ||
        !doc.FindElement("image_file")) {
        return {};
    }
    return {ReadDecimal(doc.GetAttribute("width")), ReadDecimal(doc.GetAttribute("height"))};
}

// Width and height from a PNG file's header; nothing when the file is missing or no PNG.
std::optional<PictureSize> PngSize(const std::filesystem::path& file) {
    const auto bytes = ReadWholeFile(file);
    if (!bytes || bytes->size() < 24 || bytes->compare(1, 3, "PNG") != 0) return std::nullopt;
    auto be32 = [&](std::size_t at) {
        int value = 0;
        for (std::size_t i = 0; i < 4; ++i)
            value = value * 256 + static_cast<unsigned char>((*bytes)[at + i]);
        return value;
    };
    return PictureSize{be32(16), be32(20)};
}

bool IsHexColor(const std::string& text) {
    return text.size() == 7 && text[0] == '#' && std::all_of(text.begin() + 1, text.end(), [](char c) {
               return std::isxdigit(static_cast<unsigned char>(c));
           });
}

// Whether a default function is one the key page can describe and the mouse can be sent.
bool IsShippableDefault(int type, int value) {
    switch (type) {
        case 1:
            return value >= 1 && value <= 10;  // mouse buttons
        case 2:
            return value >= 4 && value <= 231;  // a keyboard usage
        case 3:
            return value >= 1 && value <= 8;  // media
        case 5:
            return value >= 1 && value <= 3;  // DPI
        case 6:
            return value >= 1 && value <= 6;  // special
        case 7:
            return value >= 5 && value <= 255;  // fire key
        case 8:
            return value >= 1 && value <= 11;  // shortcuts
        case 9:
            return value == 1;  // disabled
        default:
            return false;  // a macro id cannot be a factory default
    }
}

class ShippedDescriptionTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = test::BuiltProgramFolder();
        ASSERT_TRUE(LoadCatalogue(catalogue_, folder_, DefaultSkinDeviceFolder(folder_), {}))
            << "config.xml must load";
        ASSERT_FALSE(catalogue_.models.empty());
        ASSERT_TRUE(LoadAppIdentity(folder_));
        languages_ = AppIdentity::Instance().ListedLanguages();
        ASSERT_FALSE(languages_.empty());
    }

    void ExpectText(int id, const std::string& where) {
        EXPECT_GT(id, 0) << where;
        for (const auto& [lcid, listed] : languages_) {
            EXPECT_FALSE(ReadLanguageText(folder_, lcid, id).empty())
                << where << ": text " << id << " missing in language " << lcid;
        }
    }

    std::filesystem::path folder_;
    Catalogue catalogue_;
    std::map<int, int> languages_;
};

TEST_F(ShippedDescriptionTest, EveryModelHasACompleteDescription) {
    std::set<int> deviceTypes;
    for (const CatalogueEntry& model : catalogue_.models) {
        SCOPED_TRACE(model.name);
        EXPECT_TRUE(deviceTypes.insert(model.device_type).second) << "device type listed twice";
        EXPECT_GT(model.device_type, 0);
        const auto file = DescriptionPath(folder_, model.description_stem);
        const auto description = ReadDeviceDescription(file);
        ASSERT_TRUE(description.has_value()) << file;

        const ModelDescription& m = description->model;
        ASSERT_TRUE(m.mouse_img.has_value());
        EXPECT_FALSE(m.mouse_img->empty());
        ASSERT_TRUE(m.lighting_page.has_value());
        EXPECT_TRUE(m.custom.has_value());
        ASSERT_TRUE(m.firmware_url.has_value());
        EXPECT_TRUE(m.firmware_url->starts_with("http://") || m.firmware_url->starts_with("https://"));
        EXPECT_FALSE(m.firmware_url->ends_with("/")) << "the update check appends /mouse/version";
        for (int i = 0; i < kDescriptionLightEffects; ++i) {
            ASSERT_TRUE(m.light_effects[i].has_value()) << "light_" << i + 1;
            if (!*m.lighting_page) {
                EXPECT_FALSE(*m.light_effects[i]) << "effect without a lighting page";
            }
        }
        if (*m.lighting_page) {
            EXPECT_TRUE(
                std::any_of(m.light_effects.begin(), m.light_effects.end(), [](auto e) { return *e; }));
        }

        const DeviceDefaults& d = description->defaults;
        ASSERT_TRUE(d.dpi.has_value());
        const int count = ReadDecimal(d.dpi->dpi_count);
        EXPECT_TRUE(count >= 1 && count <= kDescriptionDpiStages) << d.dpi->dpi_count;
        const int active = ReadDecimal(d.dpi->default_dpi);
        EXPECT_TRUE(active >= 0 && active < count) << d.dpi->default_dpi;
        for (int i = 0; i < kDescriptionDpiStages; ++i) {
            ASSERT_TRUE(d.dpi->stages[i].has_value()) << "dpi_" << i + 1;
            const int dpi = ReadDecimal(d.dpi->stages[i]->value);
            EXPECT_TRUE(dpi >= 50 && dpi <= 26000) << "dpi_" << i + 1 << " " << dpi;
            EXPECT_TRUE(IsHexColor(d.dpi->stages[i]->color))
                << "dpi_" << i + 1 << " " << d.dpi->stages[i]->color;
        }
        const std::set<std::string> rates = {"1", "2", "4", "8", "16", "32", "64"};
        const std::set<std::string> sleepTimes = {"1", "3", "6", "12", "30", "60", "120", "180"};
        const std::set<std::string> flags = {"0", "1"};
        EXPECT_TRUE(d.report_rate && rates.count(*d.report_rate)) << d.report_rate.value_or("(none)");
        EXPECT_EQ(description->report_rate_default, d.report_rate);
        EXPECT_TRUE(d.sleep_light && sleepTimes.count(*d.sleep_light)) << d.sleep_light.value_or("(none)");
        EXPECT_TRUE(d.move_wakeup && flags.count(*d.move_wakeup));
        EXPECT_TRUE(d.move_closelight && flags.count(*d.move_closelight));
        EXPECT_TRUE(d.lod && (*d.lod == "1" || *d.lod == "2"));
    }
}

TEST_F(ShippedDescriptionTest, KeysAreInRangeOnThePictureAndNamed) {
    for (const CatalogueEntry& model : catalogue_.models) {
        SCOPED_TRACE(model.name);
        const auto file = DescriptionPath(folder_, model.description_stem);
        const auto description = ReadModelDescription(file);
        ASSERT_TRUE(description.has_value() && description->keys.has_value()) << file;
        ASSERT_FALSE(description->keys->empty());

        const PictureSize picture = DeclaredPictureSize(file);
        ASSERT_GT(picture.width, 1);
        ASSERT_GT(picture.height, 1);
        const auto png = PngSize(DefaultSkinDeviceFolder(folder_) / *description->mouse_img);
        if (png) {
            EXPECT_EQ(png->width, picture.width);
            EXPECT_EQ(png->height, picture.height);
        }

        std::set<int> keyValues;
        for (const DescriptionKey& key : *description->keys) {
            const std::string where = "key " + std::to_string(key.key_value);
            // The mouse receives the key table entries 0 to 8.
            EXPECT_TRUE(key.key_value >= 0 && key.key_value <= 8) << where;
            EXPECT_TRUE(keyValues.insert(key.key_value).second) << where << " listed twice";
            EXPECT_TRUE(IsShippableDefault(key.func_type, key.func_value))
                << where << ": " << key.func_type << "/" << key.func_value;
            for (int x : {key.rect.x1, key.rect.x2})
                EXPECT_TRUE(x >= 0 && x <= picture.width) << where;
            EXPECT_TRUE(key.rect.y >= 0 && key.rect.y <= picture.height) << where;
            EXPECT_NE(key.rect.x1, key.rect.x2) << where << ": the label line has no length";
            ExpectText(ReadDecimal(key.name), where + " name");
            ExpectText(ReadDecimal(key.func_desc), where + " function");
        }
    }
}

}  // namespace
}  // namespace vellomir
