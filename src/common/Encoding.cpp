#include "common/Encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdlib>

#include "common/Text.h"

namespace vellomir {

std::string Utf16BytesToUtf8(std::string_view bytes, bool bigEndian) {
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        auto b0 = static_cast<unsigned char>(bytes[i]);
        auto b1 = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(static_cast<char16_t>(bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0));
    }
    return Utf16ToUtf8(units);
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            char32_t low = text[++i];
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        } else {
            AppendUtf8(out, unit);  // lone surrogates become U+FFFD there
        }
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        auto b0 = static_cast<unsigned char>(utf8[i]);
        char32_t cp = 0xFFFD;
        std::size_t len = 1;
        if (b0 < 0x80) {
            cp = b0;
        } else if ((b0 & 0xE0) == 0xC0) {
            len = 2;
        } else if ((b0 & 0xF0) == 0xE0) {
            len = 3;
        } else if ((b0 & 0xF8) == 0xF0) {
            len = 4;
        }
        if (len > 1) {
            std::string_view seq = utf8.substr(i, len);
            if (seq.size() == len && IsValidUtf8(seq)) {
                cp = b0 & (0x7F >> len);
                for (std::size_t k = 1; k < len; ++k)
                    cp = (cp << 6) | (static_cast<unsigned char>(seq[k]) & 0x3F);
            } else {
                len = 1;
            }
        }
        i += len;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

namespace {

std::optional<std::string> Convert(std::string_view input, const std::string& from, const std::string& to) {
    iconv_t cd = iconv_open(to.c_str(), from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out;
    out.resize(input.size() * 4 + 16);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    std::size_t produced = 0;
    bool ok = true;
    while (inLeft > 0) {
        char* dst = out.data() + produced;
        std::size_t outLeft = out.size() - produced;
        std::size_t rc = iconv(cd, &in, &inLeft, &dst, &outLeft);
        produced = out.size() - outLeft;
        if (rc != static_cast<std::size_t>(-1)) continue;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        ok = false;  // EILSEQ or EINVAL: invalid or truncated input
        break;
    }
    if (ok) {
        // Flush any shift state.
        char* dst = out.data() + produced;
        std::size_t outLeft = out.size() - produced;
        iconv(cd, nullptr, nullptr, &dst, &outLeft);
        produced = out.size() - outLeft;
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    out.resize(produced);
    return out;
}

}  // namespace

std::optional<std::string> CharsetToUtf8(std::string_view bytes, const std::string& charset) {
    return Convert(bytes, charset, "UTF-8");
}

std::optional<std::string> Utf8ToCharset(std::string_view utf8, const std::string& charset) {
    return Convert(utf8, "UTF-8", charset);
}

int AnsiCodePage() {
    const char* names[] = {"LC_ALL", "LC_CTYPE", "LANG"};
    std::string locale;
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            locale = value;
            break;
        }
    }
    std::string lower = ToLowerAscii(locale);
    auto starts = [&](const char* prefix) { return lower.rfind(prefix, 0) == 0; };
    if (starts("zh_cn") || starts("zh_sg")) return 936;
    if (starts("zh_tw") || starts("zh_hk") || starts("zh_mo")) return 950;
    if (starts("zh")) return 936;
    if (starts("ja")) return 932;
    if (starts("ko")) return 949;
    if (starts("ru") || starts("uk") || starts("be") || starts("bg")) return 1251;
    return 1252;
}

std::string CodePageCharset(int codePage) {
    switch (codePage) {
        case 65001:
            return "UTF-8";
        case 1200:
            return "UTF-16LE";
        case 1201:
            return "UTF-16BE";
        case 20127:
            return "ASCII";
        case 28591:
            return "ISO-8859-1";
        case 936:
            return "GBK";
        case 54936:
            return "GB18030";
        case 950:
            return "BIG5";
        case 932:
            return "CP932";
        case 949:
            return "CP949";
        case 20866:
            return "KOI8-R";
        case 21866:
            return "KOI8-U";
        case 20932:
        case 51932:
            return "EUC-JP";
        case 51949:
            return "EUC-KR";
        case 50220:
            return "ISO-2022-JP";
        default:
            if (codePage >= 28592 && codePage <= 28606) return "ISO-8859-" + std::to_string(codePage - 28590);
            return "CP" + std::to_string(codePage);
    }
}

std::string AnsiToUtf8(std::string_view bytes) {
    if (auto text = CharsetToUtf8(bytes, CodePageCharset(AnsiCodePage()))) return *text;
    if (auto text = CharsetToUtf8(bytes, "ISO-8859-1")) return *text;
    return std::string(bytes);
}

}  // namespace vellomir
