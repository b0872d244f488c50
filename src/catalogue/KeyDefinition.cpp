#include "catalogue/KeyDefinition.h"

namespace vellomir {

KeyRect ParseKeyRect(std::string_view rect) {
    (void)rect;
    return {};
}

KeyDefinition MakeKeyDefinition(const DescriptionKey& key) {
    (void)key;
    return {};
}

}  // namespace vellomir
