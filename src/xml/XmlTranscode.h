#pragma once
// Conversions between the document text (UTF-8) and the bytes of a file in a code page. Unlike the
// strict helpers of common/Encoding.h these never give up: what cannot be converted is replaced and
// counted, so a damaged file still loads and a save still writes every character it can.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vellomir::xml {

struct Decoded {
    std::string text;          // UTF-8
    std::size_t replaced = 0;  // byte sequences that were not valid and became U+FFFD
    bool truncated = false;    // the data ended inside a multi-byte character
};

// Decodes bytes in a one- or multi-byte code page (UTF-8 included). Nothing when the platform
// cannot convert that code page at all.
std::optional<Decoded> DecodeCodePage(std::string_view bytes, int codePage);

// Decodes UTF-16 or UTF-32 bytes (no byte order mark); units that are 0 are dropped and counted.
struct DecodedWide {
    Decoded decoded;
    std::size_t nullsRemoved = 0;
};
DecodedWide DecodeUtf16(std::string_view bytes, bool bigEndian);
DecodedWide DecodeUtf32(std::string_view bytes, bool bigEndian);

struct Encoded {
    std::string bytes;
    std::size_t lost = 0;  // characters the code page cannot hold, written as "&#N;" references
};

// Encodes UTF-8 text into a code page (UTF-8, UTF-16 and UTF-32 included). Nothing when the
// platform cannot convert into that code page at all.
std::optional<Encoded> EncodeCodePage(std::string_view utf8, int codePage);

}  // namespace vellomir::xml
