#pragma once
// Version texts: decimal numbers separated by '.', such as "1.0.3"; a firmware version may be a single
// number such as "105".

#include <string>
#include <string_view>

namespace vellomir {

// Compares two versions part by part as decimal numbers: 1 when `latest` is newer, -1 when `current`
// is newer, 0 when equal, 2 when the two have a different number of parts (empty parts count).
int CompareVersions(std::string_view current, std::string_view latest);

// A version the server may offer: only digits and dots, at least one digit. Such a text is also safe
// to put into a file name.
bool IsOfferableVersion(std::string_view version);

// A firmware version as shown to the user: the first character, a dot and the last two characters
// ("105" -> "1.05").
std::string FirmwareDisplayVersion(std::string_view version);

}  // namespace vellomir
