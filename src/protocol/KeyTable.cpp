#include "protocol/KeyTable.h"

#include <algorithm>

#include "protocol/FunctionCodes.h"
#include "protocol/SettingsCommands.h"

namespace vellomir {

KeyTable DefaultKeyTable() {
    KeyTable table{};
    for (int key = 0; key < kKeyTableKeys; ++key)
        PlaceKeyEntry(table, key, DefaultKeyEntry(key));
    return table;
}

bool PlaceKeyEntry(KeyTable& table, int keyValue, const KeyEntry& entry) {
    if (keyValue < 0 || keyValue >= kKeyTableKeys) return false;
    std::copy(entry.begin(), entry.end(), table.begin() + 3 * keyValue);
    return true;
}

KeyTable BuildKeyTable(std::span<const BindingValues> bindings, const MacroLookup& findMacro) {
    KeyTable table = DefaultKeyTable();
    for (const BindingValues& binding : bindings) {
        if (binding.keyValue < 0 || binding.keyValue >= kKeyTableKeys) continue;
        std::optional<MacroPlay> macro;
        if (binding.type == static_cast<int>(BindingType::kMacro) && findMacro)
            macro = findMacro(binding.value);
        if (const auto entry = EncodeKeyEntry(binding, macro)) PlaceKeyEntry(table, binding.keyValue, *entry);
    }
    return table;
}

Request EncodeKeyTable(const KeyTable& table) {
    Request request = MakeWriteRequest(command::kKeyTable, 0x0F, kShortRequest);
    std::copy_n(table.begin(), 3 * kKeysSent, request.frame.begin() + kDataOffset);
    return request;
}

}  // namespace vellomir
