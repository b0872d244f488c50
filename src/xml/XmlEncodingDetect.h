#pragma once
// Deciding the encoding of an XML file from its first bytes.

#include <cstddef>
#include <string>
#include <string_view>

namespace vellomir::xml {

// How many leading bytes are looked at.
inline constexpr std::size_t kDetectionBytes = 1024;

struct EncodingGuess {
    int codePage = 0;           // valid when decided
    bool decided = false;       // false: test the bytes for UTF-8, else use the ANSI code page
    std::size_t bomLength = 0;  // bytes of a byte order mark to skip
    std::string declared;       // the declared name, if any
};

// Looks, in this order, for a byte order mark (UTF-8, UTF-32, UTF-16), for the pattern of zero bytes
// that UTF-16 or UTF-32 text without a mark shows around its first ASCII character, and for a
// declared encoding (XML declaration, else an HTML meta charset). A text with nothing declared that
// starts with '<' is UTF-8. A declaration of UTF-16 or UTF-32 in bytes that hold no zero bytes cannot
// be true and is ignored.
EncodingGuess DetectEncoding(std::string_view head);

// The `encoding` of the XML declaration at the start of a text (after white space); empty if none.
std::string DeclaredEncoding(std::string_view text);

// The charset an HTML-style head declares through a `meta` element: its `charset` attribute, or the
// charset in the `content` of a `meta` whose `http-equiv` is "Content-Type". Empty if none.
std::string MetaCharset(std::string_view text);

}  // namespace vellomir::xml
