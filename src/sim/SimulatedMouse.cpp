#include "sim/SimulatedMouse.h"

namespace vellomir::sim {

SimulatedMouse::SimulatedMouse(const UsbIdentity& usb, const MouseModel& model)
    : SimulatedDevice(usb), mouse_(model) {}

std::shared_ptr<SimulatedMouse> SimulatedMouse::Create(const UsbIdentity& usb, const MouseModel& model) {
    return std::shared_ptr<SimulatedMouse>(new SimulatedMouse(usb, model));
}

std::vector<Report> SimulatedMouse::Respond(const std::uint8_t* request) {
    return mouse_.HandleRequest(request);
}

void SimulatedMouse::PressDpiButton() {
    std::lock_guard lock(mutex_);
    SendLocked(mouse_.PressDpiButton());
}

void SimulatedMouse::SelectDpiStage(int index) {
    std::lock_guard lock(mutex_);
    SendLocked(mouse_.SelectDpiStage(index));
}

void SimulatedMouse::SetBattery(std::uint8_t a, std::uint8_t b) {
    std::lock_guard lock(mutex_);
    mouse_.SetBattery(a, b);
}

VirtualMouse SimulatedMouse::Mouse() const {
    std::lock_guard lock(mutex_);
    return mouse_;
}

}  // namespace vellomir::sim
