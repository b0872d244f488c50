#include <gtest/gtest.h>

#include <set>

#include "xml/XmlEntities.h"
#include "xml/XmlReferences.h"

namespace vellomir::xml {
namespace {

TEST(XmlReferencesTest, DecodesNumericAndNamedReferences) {
    struct Case {
        std::string_view in;
        std::string_view out;
    };
    const Case cases[] = {
        {"A&amp;B&#65;&lt;", "A&BA<"},
        {"&quot;&apos;&gt;", "\"'>"},
        {"&#x41;&#X42;&#x4e2d;", "AB\xE4\xB8\xAD"},
        {"&#128433;", "\xF0\x9F\x96\xB1"},  // beyond U+FFFF
        {"&AMP;&Lt;", "&<"},                // names match without regard to case
        {"&Alpha;&alpha;", "\xCE\x91\xCE\xB1"},
        {"&ALPHA;", "\xCE\x91"},
        {"&thetasym;&euro;&nbsp;", "\xCF\x91\xE2\x82\xAC\xC2\xA0"},
        {"&bogus; &Amp", "&bogus; &Amp"},  // unknown name, no ';'
        {"&#0;&#x0;", "&#0;&#x0;"},        // value 0 stays
        {"&#xD800;&#x110000;&#99999999;", "&#xD800;&#x110000;&#99999999;"},
        {"&#;&#x;&#12a;&#xG1;", "&#;&#x;&#12a;&#xG1;"},
        {"&#00000065;", "A"},              // nine characters between '&' and ';'
        {"&#000000065;", "&#000000065;"},  // ten: not a reference
        {"a & b; &;", "a & b; &;"},
        {"&&amp;&", "&&&"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeReferences(c.in), c.out) << c.in;
}

TEST(XmlReferencesTest, EntityTableHoldsTheHtml4NamesAndApos) {
    std::set<std::string_view> names;
    for (std::size_t i = 0; i < EntityCount(); ++i)
        names.insert(EntityName(i));
    EXPECT_EQ(names.size(), EntityCount());  // no name twice
    EXPECT_EQ(EntityCount(), 253u);          // 252 of HTML 4 plus "apos"
    const std::pair<std::string_view, char32_t> samples[] = {
        {"nbsp", 0xA0},   {"yuml", 0xFF},   {"Yuml", 0x178},  {"fnof", 0x192},  {"Omega", 0x3A9},
        {"sigmaf", 962},  {"piv", 0x3D6},   {"weierp", 8472}, {"crarr", 8629},  {"sdot", 8901},
        {"lang", 9001},   {"diams", 9830},  {"euro", 8364},   {"rsaquo", 8250}, {"apos", 39},
        {"Dagger", 8225}, {"dagger", 8224}, {"Prime", 8243},  {"prime", 8242},  {"THORN", 222},
    };
    for (auto [name, code] : samples) {
        EXPECT_TRUE(names.count(name)) << name;
        EXPECT_EQ(LookupEntity(name), code) << name;
    }
    for (std::string_view name : names)
        EXPECT_TRUE(LookupEntity(name).has_value()) << name;
}

TEST(XmlReferencesTest, EscapesEveryMarkupCharacter) {
    EXPECT_EQ(EscapeAttributeValue("a<b>&c\"d'e"), "a&lt;b&gt;&amp;c&quot;d&apos;e");
    EXPECT_EQ(EscapeAttributeValue("&amp;"), "&amp;amp;");
    EXPECT_EQ(DecodeReferences(EscapeAttributeValue("&#65; &lt; <x>")), "&#65; &lt; <x>");
}

}  // namespace
}  // namespace vellomir::xml
