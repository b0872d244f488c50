#pragma once
// A wireless receiver as it behaves on the wire: it answers its version query itself, passes every
// other request to its paired mouse while the mouse is on line, and speaks for the mouse while it is
// off line (the info block with the linked flag 0; anything else gets status "not linked"). It sends a
// 0xC0 link report, with the mouse's battery bytes, whenever the mouse comes or goes. Single-threaded.

#include <cstdint>
#include <optional>
#include <vector>

#include "sim/SimProtocol.h"
#include "sim/VirtualMouse.h"

namespace vellomir::sim {

struct ReceiverModel {
    // Receiver firmware version, answered to query 0x20 (shown as "%X%02X": 1, 0x05 -> "105").
    std::uint8_t versionMajor = 1;
    std::uint8_t versionMinor = 0x05;
};

class VirtualReceiver {
public:
    VirtualReceiver(ReceiverModel model, VirtualMouse mouse, bool mouseOnline);

    std::vector<Report> HandleRequest(const std::uint8_t* request);

    // Changes the link; returns the 0xC0 report it causes, or nothing when the state is unchanged.
    std::optional<Report> SetMouseOnline(bool online);
    // The 0xC0 report for the present link state (byte 1: 1 on line, 0 off line; battery when on).
    Report LinkReport() const;
    // The mouse's DPI button; its 0xC2 report comes through only while the mouse is on line.
    std::optional<Report> PressDpiButton();
    std::optional<Report> SelectDpiStage(int index);

    bool MouseOnline() const { return online_; }
    const ReceiverModel& Model() const { return model_; }
    VirtualMouse& Mouse() { return mouse_; }
    const VirtualMouse& Mouse() const { return mouse_; }

private:
    ReceiverModel model_;
    VirtualMouse mouse_;
    bool online_;
};

}  // namespace vellomir::sim
