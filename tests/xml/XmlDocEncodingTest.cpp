#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "TempDir.h"
#include "common/Encoding.h"
#include "common/FileIo.h"
#include "common/Text.h"
#include "xml/XmlCodePages.h"
#include "xml/XmlDoc.h"

namespace vellomir {
namespace {

// "中文 café" in UTF-8.
const std::string kText = "\xE4\xB8\xAD\xE6\x96\x87 caf\xC3\xA9";

std::string Utf16Bytes(std::string_view utf8, bool bigEndian) {
    std::string out;
    for (char16_t u : Utf8ToUtf16(utf8)) {
        char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return out;
}

std::string Utf32LeBytes(std::string_view utf8) {
    std::string out;
    std::u16string units = Utf8ToUtf16(utf8);
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t cp = units[i];
        if (cp >= 0xD800 && cp <= 0xDBFF) cp = 0x10000 + ((cp - 0xD800) << 10) + (units[++i] - 0xDC00);
        for (int k = 0; k < 4; ++k)
            out.push_back(static_cast<char>((cp >> (8 * k)) & 0xFF));
    }
    return out;
}

std::string Doc(std::string_view declaration, std::string_view value) {
    return std::string(declaration) + "<root v=\"" + std::string(value) + "\"/>\r\n";
}

std::string Charset(std::string_view utf8, const char* charset) {
    return Utf8ToCharset(utf8, charset).value();
}

// Pins the ANSI code page for one test.
class ScopedLocale {
public:
    explicit ScopedLocale(const char* value) {
        if (const char* old = std::getenv("LC_ALL")) old_ = old;
        ::setenv("LC_ALL", value, 1);
    }
    ~ScopedLocale() {
        if (old_) {
            ::setenv("LC_ALL", old_->c_str(), 1);
        } else {
            ::unsetenv("LC_ALL");
        }
    }

private:
    std::optional<std::string> old_;
};

struct LoadCase {
    const char* label;
    std::string bytes;
    std::string encoding;
    std::string value;
};

TEST(XmlDocEncodingTest, DecidesTheEncodingOfAFile) {
    ScopedLocale locale("en_US.UTF-8");  // ANSI code page 1252
    const std::string kDecl8 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";
    const LoadCase cases[] = {
        {"utf-8 mark beats a wrong declaration",
         "\xEF\xBB\xBF" + Doc("<?xml version=\"1.0\" encoding=\"windows-1252\"?>", kText), "UTF-8", kText},
        {"utf-16le mark", "\xFF\xFE" + Utf16Bytes(Doc(kDecl8, kText), false), "UTF-16LE", kText},
        {"utf-16be mark", "\xFE\xFF" + Utf16Bytes(Doc(kDecl8, kText), true), "UTF-16BE", kText},
        {"utf-32le mark", std::string("\xFF\xFE\0\0", 4) + Utf32LeBytes(Doc("", "\xF0\x9F\x96\xB1")),
         "UTF-32LE", "\xF0\x9F\x96\xB1"},
        {"utf-16le without mark",
         Utf16Bytes(Doc("<?xml version=\"1.0\" encoding=\"UTF-16\"?>", kText), false), "UTF-16LE", kText},
        {"utf-16be without mark", Utf16Bytes(Doc("", kText), true), "UTF-16BE", kText},
        {"no mark, no declaration, starts with <", Doc("", kText), "UTF-8", kText},
        {"leading space, valid utf-8", "  " + Doc("", kText), "UTF-8", kText},
        {"leading space, not utf-8: ANSI", "\r\n" + Doc("", Charset("caf\xC3\xA9 \xE2\x82\xAC", "CP1252")),
         "windows-1252", "caf\xC3\xA9 \xE2\x82\xAC"},
        {"gb2312", Doc("<?xml version=\"1.0\" encoding=\"gb2312\"?>", Charset(kText, "GBK")), "GBK", kText},
        {"GBK in capitals", Doc("<?xml version='1.0' encoding='GBK'?>", Charset(kText, "GBK")), "GBK", kText},
        {"Gb2312 mixed case", Doc("<?xml version=\"1.0\" encoding=\"Gb2312\"?>", Charset(kText, "GBK")),
         "GBK", kText},
        {"big5",
         Doc("<?xml version=\"1.0\" encoding=\"big5\"?>", Charset("\xE4\xB8\xAD\xE6\x96\x87", "BIG5")),
         "Big5", "\xE4\xB8\xAD\xE6\x96\x87"},
        {"shift_jis",
         Doc("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>",
             Charset("\xE3\x83\x9E\xE3\x82\xA6\xE3\x82\xB9", "CP932")),
         "Shift_JIS", "\xE3\x83\x9E\xE3\x82\xA6\xE3\x82\xB9"},
        {"euc-kr", Doc("<?xml version=\"1.0\" encoding=\"euc-kr\"?>", Charset("\xED\x95\x9C", "EUC-KR")),
         "EUC-KR", "\xED\x95\x9C"},
        {"iso-8859-1", Doc("<?xml version=\"1.0\" encoding=\"latin1\"?>", "caf\xE9"), "ISO-8859-1",
         "caf\xC3\xA9"},
        {"iso-8859-2", Doc("<?xml version=\"1.0\" encoding=\"ISO-8859-2\"?>", "\xB1"), "ISO-8859-2",
         "\xC4\x85"},
        {"koi8-r", Doc("<?xml version=\"1.0\" encoding=\"koi8-r\"?>", "\xC1"), "KOI8-R", "\xD0\xB0"},
        {"html meta http-equiv",
         "<root v=\"\xE0\"><META http-equiv=\"Content-Type\" content=\"text/html; "
         "charset=windows-1251\"/></root>",
         "windows-1251", "\xD0\xB0"},
        {"html meta charset", "<root v=\"\xE1\"><meta charset=\"koi8-r\"/></root>", "KOI8-R", "\xD0\x90"},
        {"a declaration of utf-16 in one-byte text is not believed",
         Doc("<?xml version=\"1.0\" encoding=\"UTF-16\"?>", kText), "UTF-8", kText},
        {"unknown name: ANSI", Doc("<?xml version=\"1.0\" encoding=\"x-no-such\"?>", "caf\xE9"),
         "windows-1252", "caf\xC3\xA9"},
    };
    test::TempDir dir;
    for (const LoadCase& c : cases) {
        XmlDoc doc;
        EXPECT_TRUE(doc.LoadFile(dir.Write("in.xml", c.bytes))) << c.label << "\n" << doc.GetResultLog();
        EXPECT_EQ(doc.GetEncoding(), c.encoding) << c.label;
        ASSERT_TRUE(doc.FindElement("root")) << c.label;
        EXPECT_EQ(doc.GetAttribute("v"), c.value) << c.label;
    }
}

TEST(XmlDocEncodingTest, SavesInTheDeclaredEncodingWithoutMarkAndReadsBack) {
    struct Case {
        std::string declared;
        std::string value;
        std::string charset;  // what the saved bytes must be in (iconv name)
    };
    const Case cases[] = {
        {"UTF-8", kText, "UTF-8"},
        {"UTF-16", kText + " \xF0\x9F\x96\xB1", "UTF-16LE"},
        {"UTF-16BE", kText, "UTF-16BE"},
        {"windows-1252", "caf\xC3\xA9 \xE2\x82\xAC", "CP1252"},
        {"gb2312", kText, "GBK"},
        {"GBK", kText, "GBK"},
        {"big5", "\xE4\xB8\xAD\xE6\x96\x87", "BIG5"},
        {"Shift_JIS", "\xE3\x83\x9E\xE3\x82\xA6\xE3\x82\xB9", "CP932"},
        {"ISO-8859-1", "caf\xC3\xA9", "ISO-8859-1"},
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        XmlDoc doc;
        doc.SetText("<?xml version=\"1.0\" encoding=\"" + c.declared + "\"?>\r\n");
        ASSERT_TRUE(doc.AddElement("root"));
        ASSERT_TRUE(doc.SetAttribute("v", c.value));
        auto file = dir / "out.xml";
        ASSERT_TRUE(doc.SaveFile(file)) << c.declared;
        EXPECT_EQ(ReadWholeFile(file).value(), Charset(doc.GetText(), c.charset.c_str())) << c.declared;

        XmlDoc loaded;
        ASSERT_TRUE(loaded.LoadFile(file)) << c.declared << "\n" << loaded.GetResultLog();
        ASSERT_TRUE(loaded.FindElement("root"));
        EXPECT_EQ(loaded.GetAttribute("v"), c.value) << c.declared;
        EXPECT_EQ(loaded.GetText(), doc.GetText());
    }
}

TEST(XmlDocEncodingTest, CharactersTheCodePageLacksSurviveAsReferences) {
    test::TempDir dir;
    XmlDoc doc;
    doc.SetText("<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n");
    ASSERT_TRUE(doc.AddElement("root"));
    ASSERT_TRUE(doc.SetAttribute("v", kText));
    auto file = dir / "lossy.xml";
    ASSERT_TRUE(doc.SaveFile(file));
    EXPECT_NE(doc.GetResultLog().find("conversion_loss 2"), std::string::npos) << doc.GetResultLog();
    EXPECT_NE(ReadWholeFile(file).value().find("&#20013;&#25991; caf\xE9"), std::string::npos);
    XmlDoc loaded;
    ASSERT_TRUE(loaded.LoadFile(file));
    ASSERT_TRUE(loaded.FindElement("root"));
    EXPECT_EQ(loaded.GetAttribute("v"), kText);

    // Many such characters cost time in proportion, not in the square.
    std::string many;
    for (int i = 0; i < 200000; ++i)
        many += "\xE4\xB8\xAD";
    ASSERT_TRUE(doc.SetAttribute("v", many));
    ASSERT_TRUE(doc.SaveFile(file));
    ASSERT_TRUE(loaded.LoadFile(file));
    ASSERT_TRUE(loaded.FindElement("root"));
    EXPECT_EQ(loaded.GetAttribute("v"), many);
}

TEST(XmlDocEncodingTest, MapsCharsetNamesToCodePages) {
    ScopedLocale locale("zh_CN.UTF-8");  // ANSI code page 936
    const std::pair<std::string_view, int> cases[] = {
        {"utf-8", 65001},
        {"UTF8", 65001},
        {"utf-16", 1200},
        {"utf16", 1200},
        {"UTF-16LE", 1200},
        {"unicode", 1200},
        {"ucs-2", 1200},
        {"utf-16be", 1201},
        {"unicodeFFFE", 1201},
        {"gb2312", 936},
        {"GBK", 936},
        {"cp936", 936},
        {"windows-936", 936},
        {"gb18030", 54936},
        {"big5", 950},
        {"Shift_JIS", 932},
        {"sjis", 932},
        {"ms_kanji", 932},
        {"euc-kr", 51949},
        {"ks_c_5601-1987", 949},
        {"iso-8859-1", 28591},
        {"LATIN1", 28591},
        {"windows-1252", 1252},
        {"us-ascii", 20127},
        {"ascii", 20127},
        {"UTF-32", 65005},
        {"UTF-32BE", 65005},
        {"", 936},
        {"no-such-charset", 936},
        {" utf-8 ", 65001},
        {"koi8-r", 20866},
        {"iso-8859-15", 28605},
    };
    for (auto [name, page] : cases)
        EXPECT_EQ(xml::CodePageFromName(name), page) << name;
}

TEST(XmlDocEncodingTest, EveryCharsetNameOfTheTableConverts) {
    std::set<std::string_view> seen;
    for (std::size_t i = 0; i < xml::CharsetAliasCount(); ++i) {
        std::string_view name = xml::CharsetAliasName(i);
        EXPECT_TRUE(seen.insert(name).second) << name << " twice";
        EXPECT_EQ(name, ToLowerAscii(name));
        int page = xml::CodePageFromName(name);
        if (page == xml::kCodePageUtf32) page = xml::kCodePageUtf32Le;
        // "<" in a one-byte, two-byte or four-byte form: one of them must convert.
        const std::string samples[] = {"<", std::string("<\0", 2), std::string("\0<", 2),
                                       std::string("<\0\0\0", 4), std::string("\0\0\0<", 4)};
        bool converts = false;
        for (const std::string& sample : samples) {
            converts = converts || CharsetToUtf8(sample, xml::IconvCharset(page)) == "<";
        }
        EXPECT_TRUE(converts) << name << " -> " << page << " -> " << xml::IconvCharset(page);
    }
}

TEST(XmlDocEncodingTest, DamagedBytesLoadWithReplacements) {
    ScopedLocale locale("en_US.UTF-8");
    struct Case {
        const char* label;
        std::string bytes;
        std::string_view logEntry;
    };
    const Case cases[] = {
        {"utf-8 cut inside a character",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?><r v=\"a\xE4\xB8\"/>\xE4\xB8", "truncation_error"},
        {"utf-8 with a stray byte",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?><r v=\"a\xFF"
         "b\"/>",
         "conversion_loss"},
        {"utf-16 with an odd byte", "\xFF\xFE" + Utf16Bytes("<r v=\"a\"/>", false) + "x", "truncation_error"},
        {"gbk cut inside a character", "<?xml version=\"1.0\" encoding=\"gbk\"?><r v=\"a\"/>\xD6",
         "truncation_error"},
        {"gbk with many bad bytes",
         "<?xml version=\"1.0\" encoding=\"gbk\"?><r v=\"a" + std::string(1 << 20, '\xFF') + "\"/>",
         "conversion_loss 1048576"},
        {"zero bytes", std::string("<r v=\"a\0b\"/>", 12), "nulls_removed 1"},
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        XmlDoc doc;
        doc.LoadFile(dir.Write("damaged.xml", c.bytes));
        EXPECT_NE(doc.GetResultLog().find(c.logEntry), std::string::npos) << c.label << "\n"
                                                                          << doc.GetResultLog();
        ASSERT_TRUE(doc.FindElement("r")) << c.label;
        EXPECT_TRUE(doc.GetAttribute("v").starts_with("a")) << c.label;
        EXPECT_TRUE(IsValidUtf8(doc.GetText())) << c.label;
    }
}

}  // namespace
}  // namespace vellomir
