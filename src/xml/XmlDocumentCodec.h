#pragma once
// The bytes of an XML file to document text and back: encoding detection plus conversion.

#include <optional>
#include <string>
#include <string_view>

namespace vellomir::xml {

struct LoadedText {
    std::string text;      // UTF-8
    std::string encoding;  // the encoding the bytes were read in
    std::string log;       // diagnostic entries, one per line
};

// Converts a file's bytes into document text. The encoding comes from a byte order mark, the zero
// bytes of wide text, a declaration, or, when none of those decides it, from whether the bytes are
// valid UTF-8 (else the ANSI code page). Zero characters are dropped. Never fails: what does not
// convert becomes U+FFFD.
LoadedText DecodeDocument(std::string bytes);

struct SavedBytes {
    std::string bytes;
    std::string encoding;
    std::string log;
};

// Converts document text into the encoding its XML declaration names (UTF-8 when none), without a
// byte order mark. Characters the target cannot hold are written as numeric character references.
// Nothing when the declared encoding cannot be written at all.
std::optional<SavedBytes> EncodeDocument(std::string_view text);

}  // namespace vellomir::xml
