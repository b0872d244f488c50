#pragma once
// A mouse on its own cable, plugged in through SimulatedHidBackend.

#include <memory>

#include "sim/SimulatedDevice.h"
#include "sim/VirtualMouse.h"

namespace vellomir::sim {

class SimulatedMouse final : public SimulatedDevice {
public:
    static std::shared_ptr<SimulatedMouse> Create(const UsbIdentity& usb, const MouseModel& model);

    // The user presses the DPI button, or switches straight to a stage: the mouse sends 0xC2.
    void PressDpiButton();
    void SelectDpiStage(int index);
    void SetBattery(std::uint8_t a, std::uint8_t b);
    // A copy of the mouse's present state.
    VirtualMouse Mouse() const;

protected:
    std::vector<Report> Respond(const std::uint8_t* request) override;

private:
    SimulatedMouse(const UsbIdentity& usb, const MouseModel& model);

    VirtualMouse mouse_;
};

}  // namespace vellomir::sim
