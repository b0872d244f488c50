#pragma once
// Finding one attribute in the text of a start tag.

#include <cstddef>
#include <optional>
#include <string_view>

namespace vellomir::xml {

// Where an attribute stands in its start tag; offsets are relative to the tag's '<'.
struct AttributeSpan {
    std::size_t nameOffset = 0;
    std::size_t end = 0;          // just past the attribute (past the closing quote when quoted)
    std::size_t valueOffset = 0;  // the value without its quotes
    std::size_t valueLen = 0;
    bool hasValue = false;  // false for an attribute written without '='
};

// Scans `startTag` (from '<' through '>') for `name = value` pairs, skipping the element name of
// `elementNameLen` characters. A value is quoted with double or single quotes and runs to the
// matching quote, or is unquoted and runs to white space or '>'. Names match case-sensitively and
// whole.
std::optional<AttributeSpan> FindAttribute(std::string_view startTag, std::size_t elementNameLen,
                                           std::string_view name);

}  // namespace vellomir::xml
