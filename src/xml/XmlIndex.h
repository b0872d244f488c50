#pragma once
// The element index of an XML text: one record per element, built in a single pass over the text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vellomir::xml {

// One record per element. Offsets are byte offsets into the document text; links are element
// numbers (positions in the index), 0 meaning none. Record 0 stands for the document itself: its
// first child is the root element.
struct Element {
    std::uint32_t start = 0;        // offset of the start tag's '<'
    std::uint32_t startTagLen = 0;  // through its '>'
    std::uint32_t length = 0;       // the whole element, start tag through end tag
    std::uint32_t endTagLen = 0;    // 0 for an empty element and for one that is never ended
    std::uint32_t nameLen = 0;
    std::uint32_t parent = 0;
    std::uint32_t firstChild = 0;
    std::uint32_t lastChild = 0;
    std::uint32_t prev = 0;
    std::uint32_t next = 0;
    bool empty = false;  // written as "<name/>"
};

struct ParseResult {
    std::vector<Element> elements;  // elements[0] is the document record
    bool error = false;             // a syntax error was found (the document's error flag)
    bool wellFormed = false;        // one root element, no sibling of it, no error
    std::string log;                // diagnostic entries, one per line
};

// Bounds that keep hostile input cheap. Reaching one ends the parse with an error entry.
inline constexpr std::size_t kMaxDepth = 4096;                      // "depth_limit"
inline constexpr std::size_t kMaxElements = 8u << 20;               // "too_many_elements"
inline constexpr std::size_t kMaxErrors = 1000;                     // "too_many_errors"
inline constexpr std::size_t kMaxTextBytes = std::size_t{1} << 31;  // "document_too_large"

// Scans `text` and builds its element index. Never fails outright: a malformed text is indexed as
// far as it goes and reported through `error`, `wellFormed` and the log.
ParseResult ParseXml(std::string_view text);

// True when `name` is usable as an element or attribute name: it starts with a letter, '_', ':' or a
// non-ASCII character and holds no white space or markup characters.
bool IsXmlName(std::string_view name);

}  // namespace vellomir::xml
