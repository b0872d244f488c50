#include "catalogue/KeyDefinition.h"

#include "common/Text.h"

namespace vellomir {

KeyRect ParseKeyRect(std::string_view rect) {
    // Each split takes the text up to the next '#' and leaves the rest; without a '#', the piece is
    // empty and the rest stays whole.
    auto split = [](std::string_view& rest) {
        const auto hash = rest.find('#');
        if (hash == std::string_view::npos) return std::string_view{};
        std::string_view piece = rest.substr(0, hash);
        rest.remove_prefix(hash + 1);
        return piece;
    };
    KeyRect out;
    std::string_view rest = rect;
    out.x1 = ReadDecimal(split(rest));
    out.x2 = ReadDecimal(split(rest));
    out.y = ReadDecimal(rest);  // ReadDecimal stops at a third '#'
    return out;
}

KeyDefinition MakeKeyDefinition(const DescriptionKey& key) {
    KeyDefinition out;
    out.key_code = key.key_value;
    out.layout_value = key.key_value;
    out.layout_desc = key.name;
    out.macro_type = key.func_type;
    out.macro_value = key.func_value;
    out.macro_desc = key.func_desc;
    return out;
}

}  // namespace vellomir
