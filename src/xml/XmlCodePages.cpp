#include "xml/XmlCodePages.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "common/Encoding.h"
#include "common/Text.h"

namespace vellomir::xml {

namespace {

struct Alias {
    std::string_view name;  // lower case
    int codePage;
};

// Character-set names and aliases (IANA names, Windows names and common spellings) with their
// Windows code page numbers. Only ASCII-compatible code pages are listed (besides UTF-16 and
// UTF-32): a file in an EBCDIC page could be written but its declaration never read back.
constexpr Alias kAliases[] = {
    // Unicode
    {"utf-8", 65001},
    {"utf8", 65001},
    {"unicode-1-1-utf-8", 65001},
    {"unicode-2-0-utf-8", 65001},
    {"x-unicode20utf8", 65001},
    {"cp65001", 65001},
    {"utf-16", 1200},
    {"utf16", 1200},
    {"utf-16le", 1200},
    {"utf16le", 1200},
    {"unicode", 1200},
    {"ucs-2", 1200},
    {"ucs2", 1200},
    {"iso-10646-ucs-2", 1200},
    {"csunicode", 1200},
    {"ucs-2le", 1200},
    {"utf-16be", 1201},
    {"utf16be", 1201},
    {"unicodefffe", 1201},
    {"ucs-2be", 1201},
    {"utf-32", 12000},
    {"utf32", 12000},
    {"utf-32le", 12000},
    {"ucs-4", 12000},
    {"ucs-4le", 12000},
    {"utf-32be", 12001},
    {"ucs-4be", 12001},
    {"utf-7", 65000},
    {"utf7", 65000},
    {"unicode-1-1-utf-7", 65000},
    {"unicode-2-0-utf-7", 65000},
    {"csunicode11utf7", 65000},
    {"x-unicode20utf7", 65000},
    // ASCII
    {"us-ascii", 20127},
    {"ascii", 20127},
    {"us", 20127},
    {"ansi_x3.4-1968", 20127},
    {"ansi_x3.4-1986", 20127},
    {"iso646-us", 20127},
    {"iso_646.irv:1991", 20127},
    {"cp367", 20127},
    {"ibm367", 20127},
    {"csascii", 20127},
    {"iso-ir-6", 20127},
    // Windows code pages
    {"windows-1250", 1250},
    {"cp1250", 1250},
    {"x-cp1250", 1250},
    {"ms-ee", 1250},
    {"windows-1251", 1251},
    {"cp1251", 1251},
    {"x-cp1251", 1251},
    {"ms-cyrl", 1251},
    {"windows-1252", 1252},
    {"cp1252", 1252},
    {"x-ansi", 1252},
    {"ms-ansi", 1252},
    {"windows-1253", 1253},
    {"cp1253", 1253},
    {"ms-greek", 1253},
    {"windows-1254", 1254},
    {"cp1254", 1254},
    {"ms-turk", 1254},
    {"windows-1255", 1255},
    {"cp1255", 1255},
    {"ms-hebr", 1255},
    {"windows-1256", 1256},
    {"cp1256", 1256},
    {"ms-arab", 1256},
    {"windows-1257", 1257},
    {"cp1257", 1257},
    {"winbaltrim", 1257},
    {"windows-1258", 1258},
    {"cp1258", 1258},
    {"windows-874", 874},
    {"cp874", 874},
    {"dos-874", 874},
    {"tis-620", 874},
    {"tis620", 874},
    {"iso-8859-11", 874},
    // Latin-1 and the other ISO 8859 parts
    {"iso-8859-1", 28591},
    {"iso8859-1", 28591},
    {"iso_8859-1", 28591},
    {"iso_8859-1:1987", 28591},
    {"latin1", 28591},
    {"latin-1", 28591},
    {"l1", 28591},
    {"iso-ir-100", 28591},
    {"ibm819", 28591},
    {"cp819", 28591},
    {"csisolatin1", 28591},
    {"iso-8859-2", 28592},
    {"iso8859-2", 28592},
    {"iso_8859-2", 28592},
    {"iso_8859-2:1987", 28592},
    {"latin2", 28592},
    {"l2", 28592},
    {"iso-ir-101", 28592},
    {"csisolatin2", 28592},
    {"iso-8859-3", 28593},
    {"iso8859-3", 28593},
    {"iso_8859-3", 28593},
    {"latin3", 28593},
    {"l3", 28593},
    {"iso-ir-109", 28593},
    {"csisolatin3", 28593},
    {"iso-8859-4", 28594},
    {"iso8859-4", 28594},
    {"iso_8859-4", 28594},
    {"latin4", 28594},
    {"l4", 28594},
    {"iso-ir-110", 28594},
    {"csisolatin4", 28594},
    {"iso-8859-5", 28595},
    {"iso8859-5", 28595},
    {"iso_8859-5", 28595},
    {"cyrillic", 28595},
    {"iso-ir-144", 28595},
    {"csisolatincyrillic", 28595},
    {"iso-8859-6", 28596},
    {"iso8859-6", 28596},
    {"iso_8859-6", 28596},
    {"arabic", 28596},
    {"iso-ir-127", 28596},
    {"ecma-114", 28596},
    {"asmo-708", 708},
    {"csisolatinarabic", 28596},
    {"iso-8859-7", 28597},
    {"iso8859-7", 28597},
    {"iso_8859-7", 28597},
    {"greek", 28597},
    {"greek8", 28597},
    {"iso-ir-126", 28597},
    {"ecma-118", 28597},
    {"elot_928", 28597},
    {"csisolatingreek", 28597},
    {"iso-8859-8", 28598},
    {"iso8859-8", 28598},
    {"iso_8859-8", 28598},
    {"hebrew", 28598},
    {"iso-ir-138", 28598},
    {"csisolatinhebrew", 28598},
    {"iso-8859-8-i", 38598},
    {"logical", 38598},
    {"iso-8859-9", 28599},
    {"iso8859-9", 28599},
    {"iso_8859-9", 28599},
    {"latin5", 28599},
    {"l5", 28599},
    {"iso-ir-148", 28599},
    {"csisolatin5", 28599},
    {"iso-8859-10", 28600},
    {"latin6", 28600},
    {"iso-8859-13", 28603},
    {"iso8859-13", 28603},
    {"latin7", 28603},
    {"iso-8859-14", 28604},
    {"latin8", 28604},
    {"iso-8859-15", 28605},
    {"iso8859-15", 28605},
    {"iso_8859-15", 28605},
    {"latin9", 28605},
    {"latin-9", 28605},
    {"l9", 28605},
    {"csisolatin9", 28605},
    {"iso-8859-16", 28606},
    {"latin10", 28606},
    // DOS and IBM code pages
    {"ibm437", 437},
    {"cp437", 437},
    {"437", 437},
    {"cspc8codepage437", 437},
    {"ibm737", 737},
    {"cp737", 737},
    {"ibm775", 775},
    {"cp775", 775},
    {"ibm850", 850},
    {"cp850", 850},
    {"850", 850},
    {"ibm852", 852},
    {"cp852", 852},
    {"ibm855", 855},
    {"cp855", 855},
    {"ibm857", 857},
    {"cp857", 857},
    {"ibm00858", 858},
    {"ibm858", 858},
    {"cp858", 858},
    {"ibm860", 860},
    {"cp860", 860},
    {"ibm861", 861},
    {"cp861", 861},
    {"dos-862", 862},
    {"ibm862", 862},
    {"cp862", 862},
    {"ibm863", 863},
    {"cp863", 863},
    {"ibm864", 864},
    {"cp864", 864},
    {"ibm865", 865},
    {"cp865", 865},
    {"cp866", 866},
    {"ibm866", 866},
    {"ibm869", 869},
    {"cp869", 869},
    // Cyrillic
    {"koi8-r", 20866},
    {"koi8r", 20866},
    {"koi8", 20866},
    {"koi", 20866},
    {"cskoi8r", 20866},
    {"koi8-u", 21866},
    {"koi8u", 21866},
    {"koi8-ru", 21866},
    {"x-mac-cyrillic", 10007},
    {"maccyrillic", 10007},
    // Macintosh
    {"macintosh", 10000},
    {"mac", 10000},
    {"x-mac-roman", 10000},
    {"macroman", 10000},
    {"x-mac-ce", 10029},
    {"x-mac-icelandic", 10079},
    // Simplified Chinese
    {"gb2312", 936},
    {"gbk", 936},
    {"cp936", 936},
    {"windows-936", 936},
    {"ms936", 936},
    {"gb2312-80", 936},
    {"gb_2312-80", 936},
    {"csgb2312", 936},
    {"csgb231280", 936},
    {"chinese", 936},
    {"iso-ir-58", 936},
    {"x-gbk", 936},
    {"euc-cn", 51936},
    {"x-euc-cn", 51936},
    {"euccn", 51936},
    {"gb18030", 54936},
    {"gb-18030", 54936},
    // Traditional Chinese
    {"big5", 950},
    {"big-5", 950},
    {"cn-big5", 950},
    {"csbig5", 950},
    {"x-x-big5", 950},
    {"cp950", 950},
    {"windows-950", 950},
    {"ms950", 950},
    {"big5-hkscs", 951},
    {"euc-tw", 51950},
    // Japanese
    {"shift_jis", 932},
    {"shift-jis", 932},
    {"sjis", 932},
    {"ms_kanji", 932},
    {"csshiftjis", 932},
    {"cswindows31j", 932},
    {"windows-31j", 932},
    {"x-sjis", 932},
    {"x-ms-cp932", 932},
    {"cp932", 932},
    {"ms932", 932},
    {"windows-932", 932},
    {"euc-jp", 51932},
    {"eucjp", 51932},
    {"x-euc-jp", 51932},
    {"x-euc", 51932},
    {"cseucpkdfmtjapanese", 51932},
    {"extended_unix_code_packed_format_for_japanese", 51932},
    {"iso-2022-jp", 50220},
    {"csiso2022jp", 50221},
    {"iso-2022-jp-2", 50220},
    // Korean
    {"ks_c_5601-1987", 949},
    {"ks_c_5601", 949},
    {"ks_c_5601-1989", 949},
    {"ks_c_5601_1987", 949},
    {"ksc5601", 949},
    {"ksc_5601", 949},
    {"korean", 949},
    {"iso-ir-149", 949},
    {"csksc56011987", 949},
    {"cp949", 949},
    {"windows-949", 949},
    {"uhc", 949},
    {"ms949", 949},
    {"euc-kr", 51949},
    {"euckr", 51949},
    {"cseuckr", 51949},
    {"iso-2022-kr", 50225},
    {"csiso2022kr", 50225},
    {"johab", 1361},
    {"cp1361", 1361},
};

const std::array<std::uint16_t, std::size(kAliases)>& SortedAliases() {
    static const auto order = [] {
        std::array<std::uint16_t, std::size(kAliases)> o{};
        for (std::size_t i = 0; i < o.size(); ++i)
            o[i] = static_cast<std::uint16_t>(i);
        std::stable_sort(o.begin(), o.end(),
                         [](auto a, auto b) { return kAliases[a].name < kAliases[b].name; });
        return o;
    }();
    return order;
}

const Alias* FindAlias(std::string_view name) {
    std::string lower = ToLowerAscii(TrimAscii(name));
    const auto& order = SortedAliases();
    auto it = std::lower_bound(order.begin(), order.end(), lower,
                               [](std::uint16_t i, const std::string& n) { return kAliases[i].name < n; });
    if (it == order.end() || kAliases[*it].name != lower) return nullptr;
    return &kAliases[*it];
}

}  // namespace

int CodePageFromName(std::string_view name) {
    name = TrimAscii(name);
    if (name.empty()) return AnsiCodePage();
    if (name.starts_with("UTF-32")) return kCodePageUtf32;
    const Alias* alias = FindAlias(name);
    return alias != nullptr ? alias->codePage : AnsiCodePage();
}

bool IsKnownCharsetName(std::string_view name) {
    name = TrimAscii(name);
    return name.starts_with("UTF-32") || FindAlias(name) != nullptr;
}

std::string IconvCharset(int codePage) {
    switch (codePage) {
        case 37:
            return "IBM037";
        case 708:
            return "ISO-8859-6";
        case 10000:
            return "MACINTOSH";
        case 10007:
            return "MAC-CYRILLIC";
        case 10029:
            return "MAC-CENTRALEUROPE";
        case 10079:
            return "MAC-IS";
        case 12000:
            return "UTF-32LE";
        case 12001:
            return "UTF-32BE";
        case 20866:
            return "KOI8-R";
        case 21866:
            return "KOI8-U";
        case 38598:
            return "ISO-8859-8";
        case 50220:
        case 50221:
        case 50222:
            return "ISO-2022-JP";
        case 50225:
            return "ISO-2022-KR";
        case 51932:
            return "EUC-JP";
        case 51936:
            return "EUC-CN";
        case 51949:
            return "EUC-KR";
        case 51950:
            return "EUC-TW";
        case 951:
            return "BIG5-HKSCS";
        case 1361:
            return "JOHAB";
        case 65000:
            return "UTF-7";
        default:
            break;
    }
    if (codePage >= 28591 && codePage <= 28606) return "ISO-8859-" + std::to_string(codePage - 28590);
    return CodePageCharset(codePage);
}

std::size_t CharsetAliasCount() {
    return std::size(kAliases);
}

std::string_view CharsetAliasName(std::size_t index) {
    return index < std::size(kAliases) ? kAliases[index].name : std::string_view{};
}

std::string CodePageName(int codePage) {
    switch (codePage) {
        case kCodePageUtf8:
            return "UTF-8";
        case kCodePageUtf16Le:
            return "UTF-16LE";
        case kCodePageUtf16Be:
            return "UTF-16BE";
        case kCodePageUtf32Le:
            return "UTF-32LE";
        case kCodePageUtf32Be:
            return "UTF-32BE";
        case kCodePageUtf32:
            return "UTF-32";
        case 936:
            return "GBK";
        case 950:
            return "Big5";
        case 932:
            return "Shift_JIS";
        case 949:
            return "ks_c_5601-1987";
        case 20127:
            return "US-ASCII";
        default:
            break;
    }
    if (codePage >= 1250 && codePage <= 1258) return "windows-" + std::to_string(codePage);
    return IconvCharset(codePage);
}

}  // namespace vellomir::xml
