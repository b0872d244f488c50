#include <gtest/gtest.h>

#include "xml/XmlDoc.h"

namespace vellomir {
namespace {

constexpr std::string_view kCatalogue = R"(<?xml version="1.0" encoding="UTF-8"?>
<!-- shipped catalogue -->
<config version="3">
  <software caption="Vellomir" url='http://example.invalid/a?b=1&amp;c=2'/>
  <device device_type="101" vid="0x1209">
    <mouse name="first"><mode id="0"/><mode id="1"/></mouse>
    <mouse name="second"/>
  </device>
  <device device_type="201"/>
</config>
)";

TEST(XmlDocCursorTest, WalksLevelsForwardAndBack) {
    XmlDoc doc;
    ASSERT_TRUE(doc.SetText(kCatalogue));
    EXPECT_FALSE(doc.EnterElement());  // nothing current at the document level
    EXPECT_FALSE(doc.LeaveElement());
    EXPECT_FALSE(doc.FindElement("device"));  // not a top-level element
    ASSERT_TRUE(doc.FindElement("config"));
    EXPECT_EQ(doc.GetAttribute("version"), "3");
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement("software"));
    EXPECT_EQ(doc.GetAttribute("url"), "http://example.invalid/a?b=1&c=2");
    ASSERT_TRUE(doc.FindElement("device"));
    EXPECT_EQ(doc.GetAttribute("device_type"), "101");
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement("mouse"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement("mode"));
    ASSERT_TRUE(doc.FindElement("mode"));
    EXPECT_EQ(doc.GetAttribute("id"), "1");
    EXPECT_FALSE(doc.FindElement("mode"));
    EXPECT_EQ(doc.GetAttribute("id"), "1");  // a failed search changes nothing
    ASSERT_TRUE(doc.LeaveElement());
    EXPECT_EQ(doc.GetAttribute("name"), "first");
    ASSERT_TRUE(doc.FindElement("mouse"));
    EXPECT_EQ(doc.GetAttribute("name"), "second");
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.FindElement("device"));
    EXPECT_EQ(doc.GetAttribute("device_type"), "201");
    ASSERT_TRUE(doc.LeaveElement());
    EXPECT_EQ(doc.GetTagName(), "config");
    EXPECT_FALSE(doc.LeaveElement());
}

TEST(XmlDocCursorTest, EnterAfterLeaveResumesAtTheRememberedChild) {
    XmlDoc doc;
    ASSERT_TRUE(doc.SetText("<r><a><x/></a><b/><c/></r>"));
    ASSERT_TRUE(doc.FindElement("r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement("b"));
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_EQ(doc.GetTagName(), "b");
    EXPECT_FALSE(doc.FindElement("a"));  // lies before b
    EXPECT_TRUE(doc.FindElement("c"));
    // Entering an element after FindElement starts its children from the first.
    ASSERT_TRUE(doc.LeaveElement());
    doc.ResetPos();
    ASSERT_TRUE(doc.FindElement("r"));
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_EQ(doc.GetTagName(), "");
    EXPECT_TRUE(doc.FindElement("a"));
}

TEST(XmlDocCursorTest, FindElementSearchesForwardOnly) {
    struct Case {
        std::vector<std::string_view> lookups;
        std::vector<bool> found;
        std::string_view currentAfter;
    };
    const Case cases[] = {
        {{"b", "c"}, {true, true}, "c"},
        {{"c", "b"}, {true, false}, "c"},
        {{"a", "a"}, {true, false}, "a"},
        {{"B"}, {false}, ""},  // names are case-sensitive
        {{"a", "c", "a"}, {true, true, false}, "c"},
    };
    for (const Case& c : cases) {
        XmlDoc doc;
        ASSERT_TRUE(doc.SetText("<r><a/><b/><c/></r>"));
        ASSERT_TRUE(doc.FindElement("r"));
        ASSERT_TRUE(doc.EnterElement());
        for (std::size_t i = 0; i < c.lookups.size(); ++i) {
            EXPECT_EQ(doc.FindElement(c.lookups[i]), c.found[i]) << c.lookups[i] << " step " << i;
        }
        EXPECT_EQ(doc.GetTagName(), c.currentAfter);
    }
}

TEST(XmlDocCursorTest, ReadsAttributeSyntaxVariants) {
    struct Case {
        std::string_view tag;
        std::string_view name;
        std::string_view value;
    };
    const Case cases[] = {
        {R"(<e a="1" b='2'/>)", "b", "2"},
        {R"(<e a = "x y" />)", "a", "x y"},
        {R"(<e a=plain b="2">)", "a", "plain"},
        {R"(<e a=plain>)", "a", "plain"},
        {R"(<e flag a="1">)", "flag", ""},
        {R"(<e a="1">)", "A", ""},          // case-sensitive
        {R"(<e ab="1" a="2">)", "a", "2"},  // whole names only
        {R"(<e data-a="1" a="2">)", "a", "2"},
        {R"(<e a="has > inside" b="3">)", "b", "3"},
        {R"(<e a='say "hi"'>)", "a", R"(say "hi")"},
        {R"(<e a="&#x4E2D;&#25991;">)", "a", "\xE4\xB8\xAD\xE6\x96\x87"},
        {R"(<e a="1">)", "missing", ""},
        {"<e\ta=\"1\"\r\nb=\"2\">", "b", "2"},
    };
    for (const Case& c : cases) {
        XmlDoc doc;
        std::string text(c.tag);
        if (!text.ends_with("/>")) text += "</e>";
        ASSERT_TRUE(doc.SetText(text)) << text;
        ASSERT_TRUE(doc.FindElement("e"));
        EXPECT_EQ(doc.GetAttribute(c.name), c.value) << c.tag;
    }
}

TEST(XmlDocCursorTest, SkipsNonElementNodes) {
    XmlDoc doc;
    ASSERT_TRUE(doc.SetText(
        "<?xml version=\"1.0\"?>\r\n<!DOCTYPE r [\r\n<!ENTITY x \"<fake>\">\r\n<!-- ] > -->\r\n]>\r\n"
        "<r><!-- <a/> --><![CDATA[ <a/> </r> ]]><?pi <a/> ?>text &amp; more<a n=\"1\"/></r>\r\n"));
    ASSERT_TRUE(doc.FindElement("r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement("a"));
    EXPECT_EQ(doc.GetAttribute("n"), "1");
    EXPECT_FALSE(doc.FindElement("a"));
}

TEST(XmlDocCursorTest, OperationsWithoutAnElementDoNothing) {
    XmlDoc doc;
    EXPECT_EQ(doc.GetAttribute("a"), "");
    EXPECT_FALSE(doc.SetAttribute("a", "1"));
    EXPECT_FALSE(doc.FindElement("a"));
    EXPECT_FALSE(doc.EnterElement());
    EXPECT_FALSE(doc.LeaveElement());
    EXPECT_EQ(doc.GetText(), "");
}

}  // namespace
}  // namespace vellomir
