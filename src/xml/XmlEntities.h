#pragma once
// Named character references: the five XML entities and the 252 character entity names of HTML 4.

#include <optional>
#include <string_view>

namespace vellomir::xml {

// The code point of a named reference (the part between '&' and ';'). An exact match wins; otherwise
// the name is matched without regard to ASCII letter case ("AMP", "Nbsp"), and where that is
// ambiguous ("Alpha"/"alpha") the first name of the table wins.
std::optional<char32_t> LookupEntity(std::string_view name);

// Every name of the table, in table order (HTML 4 Latin-1, symbols, special; then "apos").
std::size_t EntityCount();
std::string_view EntityName(std::size_t index);

}  // namespace vellomir::xml
