#include "device/BackendChoice.h"

#include <cstdio>
#include <cstdlib>

#include "device/HidapiBackend.h"
#include "sim/CreateSimulatedBackend.h"

namespace vellomir {

std::shared_ptr<HidBackend> ChooseHidBackend() {
    // An empty value asks for the real devices, like an unset one.
    const char* spec = std::getenv("VELLOMIR_SIMULATE");
    if (spec != nullptr && *spec != '\0') {
        if (std::shared_ptr<HidBackend> simulated = CreateSimulatedBackend(spec)) return simulated;
        std::fprintf(stderr, "vellomir: VELLOMIR_SIMULATE=\"%s\" is not understood; using the real devices\n",
                     spec);
    }
    return std::make_shared<HidapiBackend>();
}

}  // namespace vellomir
