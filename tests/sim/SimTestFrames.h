#pragma once
// Request frames written out by hand for the simulator tests, and a minimal request/reply loop. The
// tests build bytes themselves so that they check the device model, not an encoder.

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

#include "device/HidBackend.h"
#include "sim/SimulatedHidBackend.h"

namespace vellomir::sim::test {

using Bytes = std::vector<std::uint8_t>;

// A 65-byte request: report id 0, command, reserved 0, packet byte, length, data, checksum of the data.
Bytes Request(std::uint8_t command, std::uint8_t packet, std::uint8_t length,
              std::initializer_list<std::uint8_t> data = {});
Bytes Request(std::uint8_t command, std::uint8_t packet, std::uint8_t length, const Bytes& data);
Bytes Query(std::uint8_t command);
Bytes Setting(std::uint8_t command, std::uint8_t length, std::initializer_list<std::uint8_t> data);

// Writes the first `writeLength` bytes of the request and reads up to `reads` reports of 30 ms until one
// with status 0 arrives. Returns that reply, or the last report read (empty when none) with ok false.
struct Exchange {
    bool ok = false;
    Bytes reply;
    int reportsRead = 0;
};
Exchange Send(HidDevice& device, const Bytes& request, std::size_t writeLength = 33, int reads = 5);

// Reads one report (empty on timeout).
Bytes ReadReport(HidDevice& device, int timeoutMs);

// A backend with one plugged device and its protocol interface open.
struct Rig {
    std::shared_ptr<SimulatedHidBackend> backend = std::make_shared<SimulatedHidBackend>();
    std::unique_ptr<HidDevice> OpenProtocol(const std::shared_ptr<SimulatedDevice>& device) const;
};

}  // namespace vellomir::sim::test
