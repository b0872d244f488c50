#pragma once
// Character references in attribute values: decoding when reading, escaping when writing.

#include <string>
#include <string_view>

namespace vellomir::xml {

// Decodes every reference of at most nine characters between '&' and ';': "#" with decimal digits,
// "#x" with hexadecimal digits, or an entity name (see LookupEntity). An '&' that begins nothing
// recognisable, a reference to code point 0, to a surrogate or beyond U+10FFFF stays as written.
std::string DecodeReferences(std::string_view value);

// Escapes '<', '&', '>', '\'' and '"' for a double-quoted attribute value. Every '&' is escaped,
// also one that begins a reference.
std::string EscapeAttributeValue(std::string_view value);

}  // namespace vellomir::xml
