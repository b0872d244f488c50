#include "device/UdevMonitor.h"

#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <span>

#include "common/FileIo.h"
#include "common/Text.h"
#include "common/Trace.h"
#include "device/HidrawIdentity.h"
#include "device/ReportDescriptor.h"

namespace vellomir {
namespace {

std::string Text(const char* value) {
    return value ? value : "";
}

// The USB ids of a hidraw node that is present: the USB device's attributes, else HID_ID and HID_PHYS
// of the HID device, else its device path.
InterfaceIds IdsOfPresentNode(udev_device* device) {
    InterfaceIds ids;
    if (udev_device* usb = udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device")) {
        std::uint16_t vendor = 0, product = 0;
        const std::string hidId = "0:" + Text(udev_device_get_sysattr_value(usb, "idVendor")) + ":" +
                                  Text(udev_device_get_sysattr_value(usb, "idProduct"));
        if (ParseHidId(hidId, vendor, product)) {
            ids.known = true;
            ids.vendorId = vendor;
            ids.productId = product;
        }
    }
    if (udev_device* usbInterface =
            udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_interface")) {
        const std::string number = Text(udev_device_get_sysattr_value(usbInterface, "bInterfaceNumber"));
        if (!number.empty()) ids.interfaceNumber = static_cast<int>(ReadHex(number));
    }
    if (udev_device* hid = udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr)) {
        if (!ids.known) {
            ids.known =
                ParseHidId(Text(udev_device_get_property_value(hid, "HID_ID")), ids.vendorId, ids.productId);
        }
        if (ids.interfaceNumber < 0) {
            ids.interfaceNumber =
                ParseHidPhysInterface(Text(udev_device_get_property_value(hid, "HID_PHYS")));
        }
    }
    if (!ids.known || ids.interfaceNumber < 0) {
        const InterfaceIds fromPath = ParseHidrawDevpath(Text(udev_device_get_devpath(device)));
        if (!ids.known) {
            ids.known = fromPath.known;
            ids.vendorId = fromPath.vendorId;
            ids.productId = fromPath.productId;
        }
        if (ids.interfaceNumber < 0) ids.interfaceNumber = fromPath.interfaceNumber;
    }
    return ids;
}

std::string EventPath(udev_device* device, const InterfaceIds& ids) {
    std::string node = Text(udev_device_get_devnode(device));
    if (node.empty()) node = Text(udev_device_get_syspath(device));
    return FormatHotplugPath(node, ids);
}

}  // namespace

UdevMonitor::~UdevMonitor() {
    Stop();
}

bool UdevMonitor::Start(HidBackend::HotplugListener listener) {
    if (thread_.joinable() || udev_ != nullptr) return false;
    udev_ = udev_new();
    if (udev_ == nullptr) return false;
    monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    wakeFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (monitor_ == nullptr || wakeFd_ < 0 ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_) < 0) {
        Trace("udev monitor unavailable");
        Release();
        return false;
    }
    // Name the nodes already present, so their removal can be reported.
    if (udev_enumerate* enumerate = udev_enumerate_new(udev_)) {
        udev_enumerate_add_match_subsystem(enumerate, "hidraw");
        udev_enumerate_scan_devices(enumerate);
        udev_list_entry* entry = nullptr;
        udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
            if (udev_device* device = udev_device_new_from_syspath(udev_, udev_list_entry_get_name(entry))) {
                Remember(device);
                udev_device_unref(device);
            }
        }
        udev_enumerate_unref(enumerate);
    }
    listener_ = std::move(listener);
    thread_ = std::thread([this] { Run(); });
    return true;
}

void UdevMonitor::Stop() {
    if (thread_.joinable()) {
        const std::uint64_t one = 1;
        if (write(wakeFd_, &one, sizeof one) < 0) Trace("udev monitor wake failed: %s", std::strerror(errno));
        thread_.join();
    }
    Release();
}

void UdevMonitor::Release() {
    if (monitor_ != nullptr) udev_monitor_unref(monitor_);
    if (udev_ != nullptr) udev_unref(udev_);
    if (wakeFd_ >= 0) close(wakeFd_);
    monitor_ = nullptr;
    udev_ = nullptr;
    wakeFd_ = -1;
    listener_ = nullptr;
    known_.clear();
}

void UdevMonitor::Remember(udev_device* device) {
    known_[Text(udev_device_get_syspath(device))] = EventPath(device, IdsOfPresentNode(device));
}

HotplugEvent UdevMonitor::ArrivalOf(udev_device* device) {
    HotplugEvent event;
    event.kind = HotplugEvent::kArrival;
    Remember(device);
    event.path = known_[Text(udev_device_get_syspath(device))];
    // The report descriptor lives with the HID device the node belongs to.
    const std::filesystem::path descriptorFile =
        std::filesystem::path(Text(udev_device_get_syspath(device))) / "device" / "report_descriptor";
    if (const auto bytes = ReadWholeFile(descriptorFile, 4096)) {
        const auto summary = ParseReportDescriptor(
            std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()));
        if (summary && summary->hasUsage) {
            event.usageKnown = true;
            event.usagePage = summary->usagePage;
            event.usage = summary->usage;
        }
    }
    return event;
}

HotplugEvent UdevMonitor::RemovalOf(udev_device* device) {
    HotplugEvent event;
    event.kind = HotplugEvent::kRemoval;
    const std::string syspath = Text(udev_device_get_syspath(device));
    if (auto it = known_.find(syspath); it != known_.end()) {
        event.path = it->second;
        known_.erase(it);
    } else {
        event.path = EventPath(device, ParseHidrawDevpath(Text(udev_device_get_devpath(device))));
    }
    return event;
}

void UdevMonitor::Run() {
    pollfd fds[2] = {{udev_monitor_get_fd(monitor_), POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    for (;;) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            Trace("udev monitor poll failed: %s", std::strerror(errno));
            return;
        }
        if (fds[1].revents != 0) return;
        if ((fds[0].revents & POLLIN) == 0) continue;
        udev_device* device = udev_monitor_receive_device(monitor_);
        if (device == nullptr) continue;
        const std::string action = Text(udev_device_get_action(device));
        if (action == "add") {
            listener_(ArrivalOf(device));
        } else if (action == "remove") {
            listener_(RemovalOf(device));
        }
        udev_device_unref(device);
    }
}

}  // namespace vellomir
