#include "sim/SimulatedReceiver.h"

namespace vellomir::sim {

SimulatedReceiver::SimulatedReceiver(const UsbIdentity& usb, const ReceiverModel& receiver,
                                     const MouseModel& mouse, bool mouseOnline)
    : SimulatedDevice(usb), receiver_(receiver, VirtualMouse(mouse), mouseOnline) {}

std::shared_ptr<SimulatedReceiver> SimulatedReceiver::Create(const UsbIdentity& usb,
                                                             const ReceiverModel& receiver,
                                                             const MouseModel& mouse, bool mouseOnline) {
    return std::shared_ptr<SimulatedReceiver>(new SimulatedReceiver(usb, receiver, mouse, mouseOnline));
}

std::vector<Report> SimulatedReceiver::Respond(const std::uint8_t* request) {
    return receiver_.HandleRequest(request);
}

void SimulatedReceiver::SetMouseOnline(bool online) {
    std::lock_guard lock(mutex_);
    if (auto report = receiver_.SetMouseOnline(online)) SendLocked(std::move(*report));
}

bool SimulatedReceiver::MouseOnline() const {
    std::lock_guard lock(mutex_);
    return receiver_.MouseOnline();
}

void SimulatedReceiver::PressDpiButton() {
    std::lock_guard lock(mutex_);
    if (auto report = receiver_.PressDpiButton()) SendLocked(std::move(*report));
}

void SimulatedReceiver::SelectDpiStage(int index) {
    std::lock_guard lock(mutex_);
    if (auto report = receiver_.SelectDpiStage(index)) SendLocked(std::move(*report));
}

void SimulatedReceiver::SetBattery(std::uint8_t a, std::uint8_t b, bool report) {
    std::lock_guard lock(mutex_);
    receiver_.Mouse().SetBattery(a, b);
    if (report && receiver_.MouseOnline()) SendLocked(receiver_.LinkReport());
}

void SimulatedReceiver::PairMouse(const MouseModel& mouse) {
    std::lock_guard lock(mutex_);
    receiver_.Mouse() = VirtualMouse(mouse);
}

VirtualReceiver SimulatedReceiver::State() const {
    std::lock_guard lock(mutex_);
    return receiver_;
}

}  // namespace vellomir::sim
