#include "xml/XmlTranscode.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

#include "common/Encoding.h"
#include "common/Text.h"
#include "xml/XmlCodePages.h"

namespace vellomir::xml {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// Length of the UTF-8 sequence a lead byte announces (1 for a stray byte).
std::size_t Utf8SequenceLength(unsigned char lead) {
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

// Replaces every invalid UTF-8 sequence with U+FFFD.
Decoded RepairUtf8(std::string_view bytes) {
    Decoded out;
    out.text.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            out.text.push_back(static_cast<char>(lead));
            ++i;
            continue;
        }
        std::size_t len = Utf8SequenceLength(lead);
        std::string_view seq = bytes.substr(i, len);
        if (len > 1 && seq.size() == len && IsValidUtf8(seq)) {
            out.text.append(seq);
            i += len;
            continue;
        }
        if (len > 1 && seq.size() < len) {
            // Cut off at the end of the data?
            bool prefix = true;
            for (std::size_t k = 1; k < seq.size(); ++k)
                prefix = prefix && (seq[k] & 0xC0) == 0x80;
            if (prefix) {
                out.truncated = true;
                out.text.append(kReplacement);
                break;
            }
        }
        out.text.append(kReplacement);
        ++out.replaced;
        ++i;
    }
    return out;
}

class Iconv {
public:
    Iconv(const std::string& to, const std::string& from) : cd_(iconv_open(to.c_str(), from.c_str())) {}
    ~Iconv() {
        if (ok()) iconv_close(cd_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can and appends it to `out`. Returns 0 when all input was taken, else
    // the errno that stopped it (EILSEQ, EINVAL); `in` then points at the offending bytes.
    int Convert(std::string_view& in, std::string& out) {
        // Small windows of input through a small buffer, so that a call costs only what it converts:
        // the lossy loops call this once per bad character, and iconv may convert a whole input in
        // an intermediate step before the step that fails.
        constexpr std::size_t kWindow = 256;
        char buffer[4096];
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        int error = 0;
        while (true) {
            const std::size_t window = std::min(srcLeft, kWindow);
            std::size_t windowLeft = window;
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            std::size_t rc = iconv(cd_, srcLeft > 0 ? &src : nullptr, &windowLeft, &dst, &dstLeft);
            const int saved = errno;
            srcLeft -= window - windowLeft;
            out.append(buffer, sizeof buffer - dstLeft);
            if (rc != static_cast<std::size_t>(-1)) {
                if (srcLeft == 0) break;
                continue;
            }
            if (saved == E2BIG) continue;
            // A character cut by the window's end is taken with the next window.
            if (saved == EINVAL && windowLeft < srcLeft && window - windowLeft > 0) continue;
            error = saved;
            break;
        }
        in = std::string_view(src, srcLeft);
        return error;
    }

private:
    iconv_t cd_;
};

Decoded DecodeLossy(Iconv& cd, std::string_view in) {
    Decoded out;
    out.text.reserve(in.size() * 2);
    while (!in.empty()) {
        int error = cd.Convert(in, out.text);
        if (error == 0) break;
        out.text.append(kReplacement);
        if (error == EINVAL) {  // incomplete character at the end of the data
            out.truncated = true;
            break;
        }
        ++out.replaced;
        in.remove_prefix(1);
    }
    return out;
}

void DropZeroUnits(std::u16string& units, std::size_t& removed) {
    std::size_t kept = 0;
    for (char16_t u : units) {
        if (u != 0) units[kept++] = u;
    }
    removed = units.size() - kept;
    units.resize(kept);
}

}  // namespace

std::optional<Decoded> DecodeCodePage(std::string_view bytes, int codePage) {
    if (codePage == kCodePageUtf8) {
        if (IsValidUtf8(bytes)) return Decoded{std::string(bytes), 0, false};
        return RepairUtf8(bytes);
    }
    std::string charset = IconvCharset(codePage);
    if (auto text = CharsetToUtf8(bytes, charset)) return Decoded{std::move(*text), 0, false};
    Iconv cd("UTF-8", charset);
    if (!cd.ok()) return std::nullopt;
    return DecodeLossy(cd, bytes);
}

DecodedWide DecodeUtf16(std::string_view bytes, bool bigEndian) {
    DecodedWide out;
    std::u16string units;
    units.resize(bytes.size() / 2);
    for (std::size_t i = 0; i < units.size(); ++i) {
        auto b0 = static_cast<unsigned char>(bytes[2 * i]);
        auto b1 = static_cast<unsigned char>(bytes[2 * i + 1]);
        units[i] = static_cast<char16_t>(bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0);
    }
    DropZeroUnits(units, out.nullsRemoved);
    out.decoded.truncated = bytes.size() % 2 != 0;
    if (!units.empty() && units.back() >= 0xD800 && units.back() <= 0xDBFF) out.decoded.truncated = true;
    out.decoded.text = Utf16ToUtf8(units);
    if (out.decoded.truncated && bytes.size() % 2 != 0) out.decoded.text.append(kReplacement);
    return out;
}

DecodedWide DecodeUtf32(std::string_view bytes, bool bigEndian) {
    DecodedWide out;
    out.decoded.text.reserve(bytes.size() / 4);
    for (std::size_t i = 0; i + 3 < bytes.size(); i += 4) {
        auto b = [&](std::size_t k) {
            return static_cast<char32_t>(static_cast<unsigned char>(bytes[i + k]));
        };
        char32_t cp = bigEndian ? (b(0) << 24) | (b(1) << 16) | (b(2) << 8) | b(3)
                                : (b(3) << 24) | (b(2) << 16) | (b(1) << 8) | b(0);
        if (cp == 0) {
            ++out.nullsRemoved;
            continue;
        }
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) ++out.decoded.replaced;
        AppendUtf8(out.decoded.text, cp);  // invalid code points become U+FFFD
    }
    if (bytes.size() % 4 != 0) {
        out.decoded.truncated = true;
        out.decoded.text.append(kReplacement);
    }
    return out;
}

std::optional<Encoded> EncodeCodePage(std::string_view utf8, int codePage) {
    if (codePage == kCodePageUtf8) return Encoded{std::string(utf8), 0};
    if (codePage == kCodePageUtf32) codePage = kCodePageUtf32Le;
    std::string charset = IconvCharset(codePage);
    if (auto bytes = Utf8ToCharset(utf8, charset)) return Encoded{std::move(*bytes), 0};
    Iconv cd(charset, "UTF-8");
    if (!cd.ok()) return std::nullopt;
    // Characters the code page cannot hold are written as numeric character references, which
    // read back as the same characters in attribute values and element text.
    Encoded out;
    std::string_view in = utf8;
    while (!in.empty()) {
        int error = cd.Convert(in, out.bytes);
        if (error == 0) break;
        std::size_t len = std::min(Utf8SequenceLength(static_cast<unsigned char>(in[0])), in.size());
        std::u16string units = Utf8ToUtf16(in.substr(0, len));
        char32_t cp = units.empty() ? 0xFFFD : units[0];
        if (units.size() == 2) cp = 0x10000 + ((units[0] - 0xD800) << 10) + (units[1] - 0xDC00);
        std::string reference = "&#" + std::to_string(static_cast<std::uint32_t>(cp)) + ";";
        std::string_view ref = reference;
        cd.Convert(ref, out.bytes);
        ++out.lost;
        in.remove_prefix(len);
    }
    std::string_view none;
    cd.Convert(none, out.bytes);  // back to the initial shift state
    return out;
}

}  // namespace vellomir::xml
