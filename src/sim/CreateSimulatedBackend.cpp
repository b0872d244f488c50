#include "sim/CreateSimulatedBackend.h"

#include "sim/SimulatePresets.h"
#include "sim/SimulatedHidBackend.h"

namespace vellomir {

std::shared_ptr<HidBackend> CreateSimulatedBackend(const std::string& deviceList) {
    const auto devices = sim::ParseSimulateSpec(deviceList);
    if (!devices) return nullptr;
    auto backend = std::make_shared<sim::SimulatedHidBackend>();
    for (const auto& device : *devices)
        backend->Plug(sim::CreateDevice(device));
    return backend;
}

}  // namespace vellomir
