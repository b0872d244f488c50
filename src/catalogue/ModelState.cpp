#include "catalogue/ModelState.h"

namespace vellomir {

void ApplyModelDescription(const ModelDescription& description, ModelState& state) {
    (void)description;
    (void)state;
}

}  // namespace vellomir
