#pragma once
// The key table: one three-byte entry per key value 0 to 20, of which the entries of key values 0 to 8
// (27 bytes) are sent with the key-table command.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "protocol/KeyEntries.h"
#include "protocol/Request.h"

namespace vellomir {

inline constexpr int kKeyTableKeys = 21;
inline constexpr int kKeysSent = 9;

using KeyTable = std::array<std::uint8_t, 3 * kKeyTableKeys>;

KeyTable DefaultKeyTable();

// Writes the entry of one key; false (and nothing written) for a key value outside 0 to 20.
bool PlaceKeyEntry(KeyTable& table, int keyValue, const KeyEntry& entry);

// The default table with every binding applied in the order given. `findMacro` gives the play
// settings of a stored macro by id, or nothing when there is no such macro.
using MacroLookup = std::function<std::optional<MacroPlay>(int macroId)>;
KeyTable BuildKeyTable(std::span<const BindingValues> bindings, const MacroLookup& findMacro);

// 0x09: the first 27 bytes of the table, length byte 0x0F.
Request EncodeKeyTable(const KeyTable& table);

}  // namespace vellomir
