#include "xml/XmlEncodingDetect.h"

#include <algorithm>

#include "common/Text.h"
#include "xml/XmlAttributes.h"
#include "xml/XmlChars.h"
#include "xml/XmlCodePages.h"

namespace vellomir::xml {

namespace {

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

// Zero-byte patterns of a wide encoding without a mark, for a first character below 0x80.
int WideEncodingByPattern(std::string_view h) {
    auto b = [&](std::size_t i) { return i < h.size() ? static_cast<unsigned char>(h[i]) : 0xFFu; };
    if (h.size() >= 4 && b(0) != 0 && b(0) < 0x80 && b(1) == 0 && b(2) == 0 && b(3) == 0)
        return kCodePageUtf32Le;
    if (h.size() >= 4 && b(0) == 0 && b(1) == 0 && b(2) == 0 && b(3) != 0 && b(3) < 0x80)
        return kCodePageUtf32Be;
    if (h.size() >= 2 && b(0) != 0 && b(0) < 0x80 && b(1) == 0) return kCodePageUtf16Le;
    if (h.size() >= 2 && b(0) == 0 && b(1) != 0 && b(1) < 0x80) return kCodePageUtf16Be;
    return 0;
}

std::string AttributeValue(std::string_view tag, std::size_t nameLen, std::string_view name) {
    auto span = FindAttribute(tag, nameLen, name);
    if (!span || !span->hasValue) return {};
    return std::string(TrimAscii(tag.substr(span->valueOffset, span->valueLen)));
}

}  // namespace

std::string DeclaredEncoding(std::string_view text) {
    std::size_t i = 0;
    if (StartsWith(text, "\xEF\xBB\xBF")) i = 3;
    while (i < text.size() && IsXmlSpace(text[i]))
        ++i;
    std::string_view rest = text.substr(i);
    if (!StartsWith(rest, "<?xml") || rest.size() < 6) return {};
    if (!IsXmlSpace(rest[5])) return {};
    std::size_t end = rest.find("?>");
    if (end == std::string_view::npos) return {};
    return AttributeValue(rest.substr(0, end + 2), 4, "encoding");
}

std::string MetaCharset(std::string_view text) {
    // HTML names are not case-sensitive, and neither are charset names.
    std::string lower = ToLowerAscii(text);
    std::string_view view = lower;
    for (std::size_t at = view.find("<meta"); at != std::string_view::npos; at = view.find("<meta", at + 5)) {
        std::size_t end = view.find('>', at);
        if (end == std::string_view::npos) break;
        std::string_view tag = view.substr(at, end + 1 - at);
        std::string charset = AttributeValue(tag, 4, "charset");
        if (!charset.empty()) return charset;
        if (AttributeValue(tag, 4, "http-equiv") != "content-type") continue;
        std::string content = AttributeValue(tag, 4, "content");
        std::size_t pos = content.find("charset=");
        if (pos == std::string::npos) continue;
        std::string_view value = std::string_view(content).substr(pos + 8);
        std::size_t stop = value.find_first_of("; \t\"'");
        return std::string(TrimAscii(value.substr(0, stop)));
    }
    return {};
}

EncodingGuess DetectEncoding(std::string_view head) {
    EncodingGuess guess;
    struct Mark {
        std::string_view bytes;
        int codePage;
    };
    static constexpr Mark kMarks[] = {
        {"\xEF\xBB\xBF", kCodePageUtf8},
        {std::string_view("\xFF\xFE\x00\x00", 4), kCodePageUtf32Le},
        {std::string_view("\x00\x00\xFE\xFF", 4), kCodePageUtf32Be},
        {"\xFF\xFE", kCodePageUtf16Le},
        {"\xFE\xFF", kCodePageUtf16Be},
    };
    for (const Mark& mark : kMarks) {
        if (StartsWith(head, mark.bytes)) {
            guess.codePage = mark.codePage;
            guess.decided = true;
            guess.bomLength = mark.bytes.size();
            return guess;
        }
    }

    int wide = WideEncodingByPattern(head);
    std::string narrow;  // the head with its zero bytes dropped, to read a declaration in wide text
    narrow.reserve(head.size());
    std::copy_if(head.begin(), head.end(), std::back_inserter(narrow), [](char c) { return c != '\0'; });
    bool hasZeros = narrow.size() != head.size();

    guess.declared = DeclaredEncoding(narrow);
    if (guess.declared.empty()) guess.declared = MetaCharset(narrow);
    if (wide != 0) {
        // The bytes themselves show width and byte order, whatever the declaration says.
        guess.codePage = wide;
        guess.decided = true;
        return guess;
    }
    if (!guess.declared.empty()) {
        int page = CodePageFromName(guess.declared);
        if ((IsUtf16(page) || IsUtf32(page)) && !hasZeros) {
            guess.declared.clear();  // cannot be: readable one-byte text declaring a wide encoding
        } else {
            guess.codePage = page;
            guess.decided = true;
            return guess;
        }
    }
    if (!head.empty() && head[0] == '<') {
        guess.codePage = kCodePageUtf8;
        guess.decided = true;
    }
    return guess;
}

}  // namespace vellomir::xml
