#include "sim/SimInterface.h"

#include "sim/FirmwareLoader.h"
#include "sim/SimProtocol.h"

namespace vellomir::sim {

std::vector<SimInterface> CompositeInterfaces(const UsbIdentity& usb) {
    return {
        {kPointerInterface, 0x0001, 0x0002, InterfaceRole::kPointer, 0, 0},
        {kKeyboardInterface, 0x0001, 0x0006, InterfaceRole::kKeyboard, 0, 1},  // LED report
        {kProtocolInterface, usb.protocolUsagePage, usb.protocolUsage, InterfaceRole::kProtocol, 0,
         kReportSize},
        {kLoaderInterface, 0xFFEF, 0x0000, InterfaceRole::kLoader, kLoaderReportId, kLoaderFrameSize - 1},
    };
}

}  // namespace vellomir::sim
