#pragma once
// A wireless receiver with its paired mouse, plugged in through SimulatedHidBackend.

#include <memory>

#include "sim/SimulatedDevice.h"
#include "sim/VirtualReceiver.h"

namespace vellomir::sim {

class SimulatedReceiver final : public SimulatedDevice {
public:
    static std::shared_ptr<SimulatedReceiver> Create(const UsbIdentity& usb, const ReceiverModel& receiver,
                                                     const MouseModel& mouse, bool mouseOnline);

    // The paired mouse comes into range (or is switched on) or goes away: a 0xC0 report when the
    // state changes.
    void SetMouseOnline(bool online);
    bool MouseOnline() const;
    // The mouse's DPI button; its 0xC2 report arrives only while the mouse is on line.
    void PressDpiButton();
    void SelectDpiStage(int index);
    // New battery reading of the mouse; with `report` the receiver also sends a 0xC0 report now
    // (only while the mouse is on line).
    void SetBattery(std::uint8_t a, std::uint8_t b, bool report = false);
    // Pairs another mouse (with its factory settings) in place of the present one. Done while the
    // mouse is off line, the next SetMouseOnline(true) brings the new model.
    void PairMouse(const MouseModel& mouse);
    // A copy of the receiver (with its mouse) as it is now.
    VirtualReceiver State() const;

protected:
    std::vector<Report> Respond(const std::uint8_t* request) override;

private:
    SimulatedReceiver(const UsbIdentity& usb, const ReceiverModel& receiver, const MouseModel& mouse,
                      bool mouseOnline);

    VirtualReceiver receiver_;
};

}  // namespace vellomir::sim
