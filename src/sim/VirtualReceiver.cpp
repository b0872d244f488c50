#include "sim/VirtualReceiver.h"

namespace vellomir::sim {

namespace {
constexpr std::uint8_t kCmdInfo = 0x10;
constexpr std::uint8_t kCmdReceiverVersion = 0x20;
}  // namespace

VirtualReceiver::VirtualReceiver(ReceiverModel model, VirtualMouse mouse, bool mouseOnline)
    : model_(model), mouse_(std::move(mouse)), online_(mouseOnline) {}

std::vector<Report> VirtualReceiver::HandleRequest(const std::uint8_t* request) {
    const std::uint8_t command = request[kReqCommand];
    const std::uint8_t check = CheckRequest(request);
    if (check != kStatusOk) return {MakeReply(command, check)};
    if (command == kCmdReceiverVersion) {
        const std::uint8_t version[2] = {model_.versionMajor, model_.versionMinor};
        return {MakeReply(command, kStatusOk, version, sizeof version)};
    }
    if (online_) return mouse_.HandleRequest(request);
    // The receiver remembers its paired mouse: it names it, but has no battery reading.
    if (command == kCmdInfo) return {mouse_.InfoReply(false)};
    return {MakeReply(command, kStatusNotLinked)};
}

Report VirtualReceiver::LinkReport() const {
    Report report(kReportSize, 0);
    report[0] = kLinkReportCode;
    report[1] = online_ ? 1 : 0;
    if (online_) {
        report[2] = mouse_.Model().batteryA;
        report[3] = mouse_.Model().batteryB;
    }
    return report;
}

std::optional<Report> VirtualReceiver::SetMouseOnline(bool online) {
    if (online == online_) return std::nullopt;
    online_ = online;
    return LinkReport();
}

std::optional<Report> VirtualReceiver::PressDpiButton() {
    if (!online_) return std::nullopt;
    return mouse_.PressDpiButton();
}

std::optional<Report> VirtualReceiver::SelectDpiStage(int index) {
    if (!online_) return std::nullopt;
    return mouse_.SelectDpiStage(index);
}

}  // namespace vellomir::sim
