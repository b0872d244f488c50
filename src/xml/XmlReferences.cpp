#include "xml/XmlReferences.h"

#include <optional>

#include "common/Text.h"
#include "xml/XmlEntities.h"

namespace vellomir::xml {

namespace {

constexpr std::size_t kMaxReferenceBody = 9;

std::optional<char32_t> NumericReference(std::string_view body) {
    // body starts after '#'
    bool hex = !body.empty() && (body[0] == 'x' || body[0] == 'X');
    std::string_view digits = hex ? body.substr(1) : body;
    if (digits.empty()) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9') {
            d = c - '0';
        } else if (hex && c >= 'a' && c <= 'f') {
            d = c - 'a' + 10;
        } else if (hex && c >= 'A' && c <= 'F') {
            d = c - 'A' + 10;
        } else {
            return std::nullopt;
        }
        value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(d);
        if (value > 0x10FFFF) return std::nullopt;  // also keeps the product from overflowing
    }
    if (value == 0 || (value >= 0xD800 && value <= 0xDFFF)) return std::nullopt;
    return static_cast<char32_t>(value);
}

}  // namespace

std::string DecodeReferences(std::string_view value) {
    std::size_t amp = value.find('&');
    if (amp == std::string_view::npos) return std::string(value);
    std::string out;
    out.reserve(value.size());
    std::size_t done = 0;
    while (amp != std::string_view::npos) {
        // Only the next few characters can end a reference; looking further would make a long run of
        // '&' without ';' quadratic.
        std::size_t semi = value.substr(0, amp + 2 + kMaxReferenceBody).find(';', amp + 1);
        std::optional<char32_t> code;
        if (semi != std::string_view::npos && semi - amp - 1 <= kMaxReferenceBody && semi > amp + 1) {
            std::string_view body = value.substr(amp + 1, semi - amp - 1);
            code = body[0] == '#' ? NumericReference(body.substr(1)) : LookupEntity(body);
        }
        if (code) {
            out.append(value.substr(done, amp - done));
            AppendUtf8(out, *code);
            done = semi + 1;
            amp = value.find('&', done);
        } else {
            amp = value.find('&', amp + 1);
        }
    }
    out.append(value.substr(done));
    return out;
}

std::string EscapeAttributeValue(std::string_view value) {
    std::string out;
    out.reserve(value.size() + value.size() / 8);
    for (char c : value) {
        switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '\'':
                out += "&apos;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

}  // namespace vellomir::xml
