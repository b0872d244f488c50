#include "SimTestFrames.h"

#include "sim/SimInterface.h"

namespace vellomir::sim::test {

Bytes Request(std::uint8_t command, std::uint8_t packet, std::uint8_t length, const Bytes& data) {
    Bytes frame(65, 0);
    frame[1] = command;
    frame[3] = packet;
    frame[4] = length;
    unsigned sum = 0;
    for (std::size_t i = 0; i < data.size() && i < 27; ++i) {
        frame[5 + i] = data[i];
        sum += data[i];
    }
    frame[32] = static_cast<std::uint8_t>(sum);
    return frame;
}

Bytes Request(std::uint8_t command, std::uint8_t packet, std::uint8_t length,
              std::initializer_list<std::uint8_t> data) {
    return Request(command, packet, length, Bytes(data));
}

Bytes Query(std::uint8_t command) {
    return Request(command, 0, 0);
}

Bytes Setting(std::uint8_t command, std::uint8_t length, std::initializer_list<std::uint8_t> data) {
    return Request(command, 0x01, length, data);
}

Exchange Send(HidDevice& device, const Bytes& request, std::size_t writeLength, int reads) {
    Exchange ex;
    if (device.Write(request.data(), writeLength) < 1) return ex;
    for (int i = 0; i < reads; ++i) {
        std::uint8_t buffer[65] = {};
        const int n = device.ReadTimeout(buffer, sizeof buffer, 30);
        if (n <= 0) continue;
        ++ex.reportsRead;
        ex.reply.assign(buffer, buffer + n);
        if (n > 1 && buffer[1] == 0) {
            ex.ok = true;
            return ex;
        }
    }
    return ex;
}

Bytes ReadReport(HidDevice& device, int timeoutMs) {
    std::uint8_t buffer[65] = {};
    const int n = device.ReadTimeout(buffer, sizeof buffer, timeoutMs);
    return n > 0 ? Bytes(buffer, buffer + n) : Bytes();
}

std::unique_ptr<HidDevice> Rig::OpenProtocol(const std::shared_ptr<SimulatedDevice>& device) const {
    return backend->OpenPath(backend->PathOf(*device, kProtocolInterface));
}

}  // namespace vellomir::sim::test
