#include <gtest/gtest.h>

#include "XdgScope.h"
#include "app/AppIdentity.h"
#include "app/AppSettings.h"
#include "app/LanguageTexts.h"
#include "app/Languages.h"

namespace vellomir {
namespace {

std::map<int, int> Listed(std::initializer_list<int> lcids) {
    std::map<int, int> listed;
    for (int lcid : lcids)
        listed[lcid] = 1;
    return listed;
}

TEST(Languages, StartUpDecision) {
    const struct {
        int stored, userDefault;
        std::map<int, int> listed;
        int current;
        std::optional<int> store;
    } cases[] = {
        // First start: the user's language when listed, else English.
        {0, 1041, Listed({1033, 1041}), 1041, 1041},
        {0, 1031, Listed({1033, 2052}), 1033, 1033},
        // A stored language stays while it is listed, and is replaced by English when it no longer is.
        {1033, 2052, Listed({1033, 2052}), 1033, std::nullopt},
        {2052, 1033, Listed({1033, 1041}), 1033, 1033},
        // No catalogue languages at all.
        {0, 2052, {}, 1033, 1033},
        {1041, 1041, {}, 1033, 1033},
        // A flag other than 1 does not list a language.
        {1041, 1041, {{1041, 0}}, 1033, 1033},
    };
    for (const auto& c : cases) {
        LanguageDecision d = DecideLanguage(c.stored, c.userDefault, c.listed);
        EXPECT_EQ(d.current, c.current) << c.stored << " " << c.userDefault;
        EXPECT_EQ(d.store, c.store) << c.stored << " " << c.userDefault;
    }
}

TEST(Languages, MenuOffersListedTableLanguagesInTableOrder) {
    auto offered = OfferedLanguages(Listed({1058, 1033, 9999}));
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[0].lcid, 1033);
    EXPECT_STREQ(offered[0].name, "English");
    EXPECT_EQ(offered[1].lcid, 1058);
    EXPECT_EQ(OfferedLanguages(Listed({1033, 2052, 1028, 1041, 1042, 1058})).front().lcid, 2052);
    EXPECT_TRUE(OfferedLanguages({}).empty());
}

TEST(Languages, LocaleNamesGiveLanguageIdentifiers) {
    const std::pair<const char*, int> cases[] = {
        {"zh_CN.UTF-8", 2052},
        {"zh_TW.UTF-8", 1028},
        {"zh", 2052},
        {"ja_JP.eucJP", 1041},
        {"ko_KR", 1042},
        {"uk_UA.UTF-8", 1058},
        {"en_US.UTF-8", 1033},
        {"de_DE@euro", 1031},
        {"C", 0},
        {"POSIX", 0},
        {"", 0},
        {"zhx_CN", 0},
    };
    for (auto [locale, lcid] : cases)
        EXPECT_EQ(LcidForLocale(locale), lcid) << locale;

    test::EnvVar language("LANGUAGE", "ja_JP:en_US");
    EXPECT_EQ(UserDefaultUiLanguage(), 1041);
    test::EnvVar none("LANGUAGE", "");
    test::EnvVar all("LC_ALL", "C");
    test::EnvVar messages("LC_MESSAGES", "ko_KR.UTF-8");
    EXPECT_EQ(UserDefaultUiLanguage(), 1042);
}

class LanguageChoice : public testing::Test {
protected:
    void SetUp() override {
        AppIdentity::Instance().ClearLanguages();
        for (int lcid : {1033, 1041})
            AppIdentity::Instance().AddLanguage(lcid);
    }
    void TearDown() override {
        AppIdentity::Instance().ClearLanguages();
        SetCurrentLanguage(kEnglish);
        SetLanguageChangedHook(nullptr);
    }
    test::XdgScope xdg;
};

TEST_F(LanguageChoice, FirstStartStoresTheChoice) {
    EXPECT_EQ(ChooseLanguage(1041), 1041);
    EXPECT_EQ(CurrentLanguage(), 1041);
    EXPECT_EQ(ReadLanguage(), 1041);

    WriteLanguage(0);
    EXPECT_EQ(ChooseLanguage(1031), 1033);
    EXPECT_EQ(ReadLanguage(), 1033);
}

TEST_F(LanguageChoice, StoredLanguageNoLongerListedBecomesEnglish) {
    ReadLanguage();
    WriteLanguage(2052);
    EXPECT_EQ(ChooseLanguage(1041), 1033);
    EXPECT_EQ(ReadLanguage(), 1033);
}

TEST_F(LanguageChoice, SetLanguageStoresAndTellsTheWindow) {
    ReadLanguage();
    std::vector<int> seen;
    SetLanguageChangedHook([&](int lcid) { seen.push_back(CurrentLanguage() == lcid ? lcid : -1); });
    SetLanguage(1041);
    EXPECT_EQ(CurrentLanguage(), 1041);
    EXPECT_EQ(ReadLanguage(), 1041);
    EXPECT_EQ(seen, std::vector<int>{1041});
}

TEST(LanguageTexts, LookupFollowsTheCurrentLanguage) {
    test::TempDir dir;
    dir.Write("language/1033.lan", "[LAN]\n17=Version\n");
    dir.Write("language/2052.lan", "\xEF\xBB\xBF[LAN]\n17=版本\n");
    EXPECT_EQ(ReadLanguageText(dir.path(), 1033, 17), "Version");
    EXPECT_EQ(ReadLanguageText(dir.path(), 2052, 17), "版本");
    EXPECT_EQ(ReadLanguageText(dir.path(), 2052, 18), "");
    EXPECT_EQ(ReadLanguageText(dir.path(), 1041, 17), "");
    EXPECT_EQ(ReadLanguageText(dir.path(), 1033, 17, "OTHER"), "");

    // GetText reads the shipped files of the program folder.
    SetCurrentLanguage(1033);
    const std::string english = GetText(17);
    SetCurrentLanguage(2052);
    const std::string chinese = GetText(17);
    SetCurrentLanguage(kEnglish);
    EXPECT_FALSE(english.empty());
    EXPECT_FALSE(chinese.empty());
    EXPECT_NE(english, chinese);
}

}  // namespace
}  // namespace vellomir
