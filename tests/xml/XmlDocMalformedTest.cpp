#include <gtest/gtest.h>

#include <random>

#include "TempDir.h"
#include "xml/XmlDoc.h"

namespace vellomir {
namespace {

std::string repeat(std::string_view s, std::size_t n) {
    std::string out;
    out.reserve(s.size() * n);
    for (std::size_t i = 0; i < n; ++i)
        out += s;
    return out;
}

TEST(XmlDocMalformedTest, ReportsEachSyntaxError) {
    struct Case {
        std::string_view text;
        std::string_view entry;
    };
    const Case cases[] = {
        {"", "no_root_element"},
        {"<?xml version=\"1.0\"?>\r\n<!-- only a comment -->", "no_root_element"},
        {"<a/><b/>", "root_has_sibling"},
        {"<a></a><a></a>", "root_has_sibling"},
        {"</x><a/>", "lone_end_tag"},
        {"<a></b></a>", "lone_end_tag"},
        {"<a><b></a>", "unended_start_tag"},
        {"<a><b>", "unended_start_tag"},
        {"<a>< b/></a>", "first_tag_syntax"},
        {"<a><!-- never closed </a>", "comment_tag_syntax"},
        {"<a><![CDATA[ never closed </a>", "cdata_section_syntax"},
        {"<!DOCTYPE a [ <!ELEMENT a ANY> <a/>", "doctype_tag_syntax"},
        {"<a/><!ELEMENT a ANY", "exclamation_tag_syntax"},
        {"<a b=\"1></a>", "unterminated_tag_syntax"},
        {"<a><b </a>", "unterminated_tag_syntax"},
        {"<a></a", "unterminated_tag_syntax"},
        {"<a>", "unended_start_tag"},
        {"<", "unterminated_tag_syntax"},
        {"<?xml version=\"1.0\"", "unterminated_tag_syntax"},
    };
    for (const Case& c : cases) {
        XmlDoc doc;
        EXPECT_FALSE(doc.SetText(c.text)) << c.text;
        EXPECT_FALSE(doc.IsWellFormed());
        EXPECT_NE(doc.GetResultLog().find(c.entry), std::string::npos) << c.text << "\n"
                                                                       << doc.GetResultLog();
    }
}

TEST(XmlDocMalformedTest, LoadFileRefusesWhatIsNotWellFormedOrNotAFile) {
    test::TempDir dir;
    XmlDoc doc;
    EXPECT_FALSE(doc.LoadFile(dir.Write("two-roots.xml", "<a/><b/>")));
    EXPECT_FALSE(doc.LoadFile(dir.Write("lone-end.xml", "<a></x></a>")));
    EXPECT_FALSE(doc.LoadFile(dir.Write("empty.xml", "")));
    EXPECT_FALSE(doc.LoadFile(dir / "missing.xml"));
    EXPECT_NE(doc.GetResultLog().find("file_error"), std::string::npos);
    EXPECT_EQ(doc.GetText(), "");  // nothing left over from the earlier load
    EXPECT_FALSE(doc.LoadFile(dir.path()));
    EXPECT_NE(doc.GetResultLog().find("file_error"), std::string::npos);
    EXPECT_TRUE(doc.LoadFile(dir.Write("good.xml", "<a/>")));
}

TEST(XmlDocMalformedTest, IndexesBrokenDocumentsAsFarAsTheyGo) {
    XmlDoc doc;
    // b is never ended: it closes as empty where r ends, and c becomes its sibling.
    EXPECT_FALSE(doc.SetText("<r><b><c/><d/></r>"));
    ASSERT_TRUE(doc.FindElement("r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement("b"));
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_FALSE(doc.FindElement("c"));
    EXPECT_FALSE(doc.AddElement("k"));  // no sound place for a child of an unended element
    EXPECT_EQ(doc.GetText(), "<r><b><c/><d/></r>");
    ASSERT_TRUE(doc.LeaveElement());
    EXPECT_TRUE(doc.FindElement("c"));
    EXPECT_TRUE(doc.FindElement("d"));
    // A lone end tag is skipped.
    EXPECT_FALSE(doc.SetText("<r><a/></x><b/></r>"));
    ASSERT_TRUE(doc.FindElement("r"));
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_TRUE(doc.FindElement("a"));
    EXPECT_TRUE(doc.FindElement("b"));
}

// Hostile inputs end in a bounded, clear failure (or a clean success). The limits keep the work
// linear in the input; a regression shows as this test running into its time-out.
TEST(XmlDocMalformedTest, HostileInputsStayBounded) {
    struct Case {
        const char* label;
        std::string text;
        bool wellFormed;
        std::string_view entry;
    };
    const Case cases[] = {
        {"deep nesting", repeat("<a>", 200000) + repeat("</a>", 200000), false, "depth_limit"},
        {"deep unended nesting", repeat("<a>", 4000), false, "unended_start_tag"},
        {"unended with many children", "<r>" + repeat("<a>", 2000) + repeat("<b/>", 100000) + "</r>", false,
         "unended_start_tag"},
        {"many lone end tags", "<r>" + repeat("</x>", 300000) + "</r>", false, "too_many_errors"},
        {"lone end tags below deep nesting", repeat("<a>", 4000) + repeat("</x>", 100000), false,
         "too_many_errors"},
        {"unterminated attribute", "<r a=\"" + std::string(5 << 20, 'x'), false, "unterminated_tag_syntax"},
        {"unterminated comment", "<r><!--" + std::string(5 << 20, '-'), false, "comment_tag_syntax"},
        {"stray '<'", repeat("<", 100000), false, "too_many_errors"},
        {"billion laughs",
         "<?xml version=\"1.0\"?>\n<!DOCTYPE lolz [\n <!ENTITY lol \"lol\">\n"
         " <!ENTITY lol2 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">\n"
         " <!ENTITY lol9 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">\n]>\n"
         "<lolz v=\"&lol9;\">&lol9;</lolz>",
         true, ""},
    };
    for (const Case& c : cases) {
        XmlDoc doc;
        EXPECT_EQ(doc.SetText(c.text), c.wellFormed) << c.label;
        EXPECT_NE(doc.GetResultLog().find(c.entry), std::string::npos) << c.label;
        // Walk whatever was indexed.
        while (doc.FindElement("a") || doc.FindElement("r")) {
            if (!doc.EnterElement()) break;
        }
    }
    XmlDoc laughs;
    ASSERT_TRUE(laughs.SetText(cases[std::size(cases) - 1].text));
    ASSERT_TRUE(laughs.FindElement("lolz"));
    EXPECT_EQ(laughs.GetAttribute("v"), "&lol9;");  // declared entities are never expanded
}

TEST(XmlDocMalformedTest, HugeAttributeValuesReadAndWriteWhole) {
    const std::string big(8 << 20, 'v');
    XmlDoc doc;
    ASSERT_TRUE(doc.SetText("<r a=\"" + big + "\" b='2'/>"));
    ASSERT_TRUE(doc.FindElement("r"));
    EXPECT_EQ(doc.GetAttribute("a").size(), big.size());
    EXPECT_EQ(doc.GetAttribute("b"), "2");
    ASSERT_TRUE(doc.SetAttribute("a", "small"));
    EXPECT_EQ(doc.GetText(), "<r a=\"small\" b='2'/>");
    // Long runs of '&' and of unknown references decode in linear time.
    const std::string amps(4 << 20, '&');
    ASSERT_TRUE(doc.SetText("<r a=\"" + amps + "\" b=\"" + repeat("&Unknown;&AMP;", 200000) + "\"/>"));
    ASSERT_TRUE(doc.FindElement("r"));
    EXPECT_EQ(doc.GetAttribute("a"), amps);
    EXPECT_EQ(doc.GetAttribute("b"), repeat("&Unknown;&", 200000));
}

// What the cursor sees of a document: a fixed walk over the names the damage test uses.
void Visit(XmlDoc& doc, std::string& out, int depth) {
    for (const char* name : {"c", "d", "m", "k"}) {
        while (doc.FindElement(name)) {
            out += std::string(name) + "[" + doc.GetAttribute("v") + "|" + doc.GetAttribute("n") + "|" +
                   doc.GetAttribute("z") + "]";
            if (depth < 4 && doc.EnterElement()) {
                out += "{";
                Visit(doc, out, depth + 1);
                out += "}";
                doc.LeaveElement();
            }
        }
    }
}

std::string Transcript(XmlDoc& doc) {
    doc.ResetPos();
    std::string out;
    Visit(doc, out, 0);
    return out;
}

// Random damage to a valid document never breaks the parser or the editing operations, and on
// whatever still parses, the index kept up to date by the edits matches a fresh parse of the text.
TEST(XmlDocMalformedTest, SurvivesRandomDamage) {
    const std::string base =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!DOCTYPE c [<!ENTITY e \"x\">]>\r\n"
        "<c v=\"1\"><d t='2' n=\"&amp;&#65;\"><m i=\"0\"/><m i=\"1\">t<![CDATA[<x>]]></m></d>"
        "<!-- note --><d/><?pi x?></c>\r\n";
    const char alphabet[] = "<>/!?-=\"'&;[] ax\r\n\xE4";
    std::mt19937 rng(1234);
    int wellFormed = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text = base;
        int edits = 1 + static_cast<int>(rng() % 4);
        for (int k = 0; k < edits; ++k) {
            std::size_t at = rng() % text.size();
            switch (rng() % 3) {
                case 0:
                    text.erase(at, 1 + rng() % 8);
                    break;
                case 1:
                    text.insert(at, 1, alphabet[rng() % (sizeof alphabet - 1)]);
                    break;
                default:
                    text[at] = alphabet[rng() % (sizeof alphabet - 1)];
                    break;
            }
            if (text.empty()) text = "<";
        }
        XmlDoc doc;
        bool ok = doc.SetText(text);
        // Read and edit everywhere the cursor reaches.
        for (int depth = 0; depth < 6; ++depth) {
            for (const char* name : {"c", "d", "m"}) {
                if (doc.FindElement(name) && doc.SetAttribute("z", "<&>")) {
                    EXPECT_EQ(doc.GetAttribute("z"), "<&>") << text;
                }
            }
            if (!doc.EnterElement()) break;
            if (doc.AddElement("k")) {
                EXPECT_EQ(doc.GetTagName(), "k");
            }
        }
        if (!ok) continue;
        ++wellFormed;
        XmlDoc reparsed;
        reparsed.SetText(doc.GetText());
        ASSERT_EQ(Transcript(doc), Transcript(reparsed)) << text << "\n---\n" << doc.GetText();
    }
    EXPECT_GT(wellFormed, 100);  // the comparison above really ran
}

}  // namespace
}  // namespace vellomir
