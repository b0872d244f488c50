#include <gtest/gtest.h>

#include "TempDir.h"
#include "common/FileIo.h"
#include "xml/XmlDoc.h"

namespace vellomir {
namespace {

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

TEST(XmlDocWriteTest, BuildsTheCrLfLayoutWithoutIndentation) {
    XmlDoc doc;
    EXPECT_FALSE(doc.SetText(kDeclaration));  // no root yet
    ASSERT_TRUE(doc.AddElement("profile"));
    EXPECT_TRUE(doc.IsWellFormed());
    ASSERT_TRUE(doc.SetAttribute("version", "1"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AddElement("key"));
    ASSERT_TRUE(doc.SetAttribute("index", "0"));
    ASSERT_TRUE(doc.SetAttribute("type", "1"));
    ASSERT_TRUE(doc.AddElement("key"));
    ASSERT_TRUE(doc.SetAttribute("index", "1"));
    ASSERT_TRUE(doc.LeaveElement());
    EXPECT_EQ(doc.GetText(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
              "<profile version=\"1\">\r\n"
              "<key index=\"0\" type=\"1\"/>\r\n"
              "<key index=\"1\"/>\r\n"
              "</profile>\r\n");
    // The edited index still reads back the same as a fresh parse.
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.LeaveElement());
    EXPECT_EQ(doc.GetAttribute("version"), "1");
    XmlDoc reparsed;
    EXPECT_TRUE(reparsed.SetText(doc.GetText()));
}

TEST(XmlDocWriteTest, InsertsAfterTheCurrentElementAndAtTheEndOfTheParent) {
    XmlDoc doc;
    doc.SetText(kDeclaration);
    ASSERT_TRUE(doc.AddElement("r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AddElement("a"));
    ASSERT_TRUE(doc.EnterElement());  // a grandchild turns "<a/>" into a start and end tag
    ASSERT_TRUE(doc.AddElement("x"));
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.AddElement("c"));
    doc.ResetPos();
    ASSERT_TRUE(doc.FindElement("r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement("a"));
    ASSERT_TRUE(doc.AddElement("b"));  // directly after a, before c
    ASSERT_TRUE(doc.SetAttribute("v", "2"));
    doc.ResetPos();
    ASSERT_TRUE(doc.FindElement("r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AddElement("d"));  // no current element: after the last child
    EXPECT_EQ(doc.GetText(), std::string(kDeclaration) +
                                 "<r>\r\n<a>\r\n<x/>\r\n</a>\r\n<b v=\"2\"/>\r\n<c/>\r\n<d/>\r\n</r>\r\n");
    // Walk the edited index.
    doc.ResetPos();
    ASSERT_TRUE(doc.FindElement("r"));
    ASSERT_TRUE(doc.EnterElement());
    for (std::string_view name : {"a", "b", "c", "d"})
        EXPECT_TRUE(doc.FindElement(name)) << name;
    XmlDoc reparsed;
    EXPECT_TRUE(reparsed.SetText(doc.GetText())) << reparsed.GetResultLog();
}

TEST(XmlDocWriteTest, AddsChildrenInsideLoadedElements) {
    XmlDoc doc;
    ASSERT_TRUE(doc.SetText("<r><a>text</a><b></b></r>"));
    ASSERT_TRUE(doc.FindElement("r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement("b"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AddElement("n"));
    ASSERT_TRUE(doc.SetAttribute("k", "v"));
    EXPECT_EQ(doc.GetText(), "<r><a>text</a><b><n k=\"v\"/>\r\n</b></r>");
    EXPECT_TRUE(doc.LeaveElement());
    EXPECT_TRUE(doc.LeaveElement());
    EXPECT_EQ(doc.GetTagName(), "r");
}

TEST(XmlDocWriteTest, ReplacesValuesInPlaceAndEscapesEverything) {
    XmlDoc doc;
    ASSERT_TRUE(doc.SetText("<e a='old' b=x c d=\"4\"/>"));
    ASSERT_TRUE(doc.FindElement("e"));
    ASSERT_TRUE(doc.SetAttribute("a", "say \"hi\""));
    ASSERT_TRUE(doc.SetAttribute("b", "&amp; <tag> it's"));
    ASSERT_TRUE(doc.SetAttribute("c", "3"));
    ASSERT_TRUE(doc.SetAttribute("e", "5"));
    EXPECT_EQ(doc.GetText(),
              "<e a=\"say &quot;hi&quot;\" b=\"&amp;amp; &lt;tag&gt; it&apos;s\" c=\"3\" d=\"4\" e=\"5\"/>");
    EXPECT_EQ(doc.GetAttribute("a"), "say \"hi\"");
    EXPECT_EQ(doc.GetAttribute("b"), "&amp; <tag> it's");
    EXPECT_EQ(doc.GetAttribute("d"), "4");
    EXPECT_FALSE(doc.SetAttribute("bad name", "1"));
    EXPECT_FALSE(doc.SetAttribute("", "1"));
    EXPECT_FALSE(doc.AddElement("a>b"));
    EXPECT_FALSE(doc.AddElement("1x"));
    // A damaged tag would swallow the new attribute into another value: refused, text unchanged.
    ASSERT_TRUE(doc.SetText("<e v=>x</e>"));
    ASSERT_TRUE(doc.FindElement("e"));
    EXPECT_FALSE(doc.SetAttribute("z", "<&>"));
    EXPECT_EQ(doc.GetText(), "<e v=>x</e>");
    EXPECT_TRUE(doc.SetAttribute("v", "1"));
    EXPECT_EQ(doc.GetText(), "<e v=\"1\">x</e>");
}

TEST(XmlDocWriteTest, SavesAndLoadsBackNonAsciiText) {
    test::TempDir dir;
    const std::string values[] = {
        "\xE4\xB8\xAD\xE6\x96\x87 Stra\xC3\x9F"
        "e",
        "\xF0\x9F\x96\xB1 mouse", "<&>\"'", "", std::string(100000, 'x')};
    XmlDoc doc;
    doc.SetText(kDeclaration);
    ASSERT_TRUE(doc.AddElement("macro"));
    ASSERT_TRUE(doc.EnterElement());
    for (const std::string& v : values) {
        ASSERT_TRUE(doc.AddElement("event"));
        ASSERT_TRUE(doc.SetAttribute("name", v));
    }
    auto file = dir / "macro.xml";
    ASSERT_TRUE(doc.SaveFile(file));
    auto bytes = ReadWholeFile(file);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, doc.GetText());  // UTF-8, no byte order mark
    EXPECT_TRUE(bytes->starts_with("<?xml"));

    XmlDoc loaded;
    ASSERT_TRUE(loaded.LoadFile(file)) << loaded.GetResultLog();
    EXPECT_EQ(loaded.GetEncoding(), "UTF-8");
    ASSERT_TRUE(loaded.FindElement("macro"));
    ASSERT_TRUE(loaded.EnterElement());
    for (const std::string& v : values) {
        ASSERT_TRUE(loaded.FindElement("event"));
        EXPECT_EQ(loaded.GetAttribute("name"), v);
    }
}

TEST(XmlDocWriteTest, SavesWithoutAByteOrderMark) {
    test::TempDir dir;
    XmlDoc doc;
    ASSERT_TRUE(doc.SetText("\xEF\xBB\xBF<a/>"));
    ASSERT_TRUE(doc.SaveFile(dir / "a.xml"));
    EXPECT_EQ(ReadWholeFile(dir / "a.xml").value(), "<a/>");
}

TEST(XmlDocWriteTest, FailedSaveKeepsTheEarlierFile) {
    test::TempDir dir;
    auto file = dir.Write("keep.xml", "<old/>");
    XmlDoc doc;
    ASSERT_TRUE(doc.SetText("<new/>"));
    EXPECT_FALSE(doc.SaveFile(dir / "missing-folder" / "x.xml"));
    EXPECT_NE(doc.GetResultLog().find("file_error"), std::string::npos);
    EXPECT_FALSE(doc.SaveFile(dir.path()));  // a folder cannot be replaced by a file
    EXPECT_EQ(ReadWholeFile(file).value(), "<old/>");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

}  // namespace
}  // namespace vellomir
