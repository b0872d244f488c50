#pragma once
// Character classes of XML markup, on UTF-8 bytes.

namespace vellomir::xml {

inline bool IsXmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// A byte that may start an element or attribute name (every byte of a non-ASCII character may).
inline bool IsXmlNameStart(char c) {
    auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_' || u == ':' || u >= 0x80;
}

}  // namespace vellomir::xml
