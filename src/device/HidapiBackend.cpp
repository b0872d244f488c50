#include "device/HidapiBackend.h"

#include <hidapi/hidapi.h>

#include <algorithm>
#include <filesystem>
#include <utility>
#include <vector>

#include "common/FileIo.h"
#include "common/Trace.h"
#include "device/ReportDescriptor.h"
#include "device/UdevMonitor.h"

namespace vellomir {
namespace {

// hid_init is called once per process; a failure is retried at the next use.
bool EnsureHidapi() {
    static std::mutex mutex;
    static bool initialised = false;
    std::lock_guard lock(mutex);
    if (!initialised) {
        initialised = hid_init() == 0;
        if (!initialised) Trace("hid_init failed");
    }
    return initialised;
}

class HidapiDevice final : public HidDevice {
public:
    HidapiDevice(hid_device* device, std::map<std::uint8_t, std::size_t> outputReports)
        : device_(device), outputReports_(std::move(outputReports)) {}
    ~HidapiDevice() override { hid_close(device_); }
    HidapiDevice(const HidapiDevice&) = delete;
    HidapiDevice& operator=(const HidapiDevice&) = delete;

    int Write(const std::uint8_t* data, std::size_t length) override {
        if (data == nullptr || length == 0) return -1;
        const auto report = outputReports_.find(data[0]);
        if (report == outputReports_.end()) return hid_write(device_, data, length);
        const std::size_t full = report->second + 1;  // with the report id byte
        if (length >= full) return hid_write(device_, data, length);
        std::vector<std::uint8_t> padded(full, 0);
        std::copy_n(data, length, padded.begin());
        return hid_write(device_, padded.data(), padded.size());
    }

    int ReadTimeout(std::uint8_t* buffer, std::size_t length, int timeoutMs) override {
        if (buffer == nullptr || length == 0) return -1;
        return hid_read_timeout(device_, buffer, length, timeoutMs);
    }

private:
    hid_device* device_;
    std::map<std::uint8_t, std::size_t> outputReports_;
};

}  // namespace

std::map<std::uint8_t, std::size_t> HidrawOutputReports(const std::string& devnode) {
    const std::filesystem::path node(devnode);
    if (node.parent_path() != "/dev") return {};
    const auto descriptor = ReadWholeFile(
        std::filesystem::path("/sys/class/hidraw") / node.filename() / "device/report_descriptor", 4096);
    if (!descriptor) return {};
    const auto summary = ParseReportDescriptor(
        std::span(reinterpret_cast<const std::uint8_t*>(descriptor->data()), descriptor->size()));
    if (!summary) return {};
    return summary->outputBytes;
}

HidapiBackend::HidapiBackend() {
    EnsureHidapi();
}

HidapiBackend::~HidapiBackend() {
    StopHotplug();
}

std::vector<HidInterfaceInfo> HidapiBackend::Enumerate() {
    std::vector<HidInterfaceInfo> list;
    if (!EnsureHidapi()) return list;
    hid_device_info* all = hid_enumerate(0, 0);
    for (const hid_device_info* entry = all; entry != nullptr; entry = entry->next) {
        HidInterfaceInfo info;
        info.path = entry->path ? entry->path : "";
        info.vendorId = entry->vendor_id;
        info.productId = entry->product_id;
        info.releaseNumber = entry->release_number;
        info.interfaceNumber = entry->interface_number;
        info.usagePage = entry->usage_page;
        info.usage = entry->usage;
        list.push_back(std::move(info));
    }
    hid_free_enumeration(all);
    return list;
}

std::unique_ptr<HidDevice> HidapiBackend::OpenPath(const std::string& path) {
    if (!EnsureHidapi()) return nullptr;
    hid_device* device = hid_open_path(path.c_str());
    if (device == nullptr) return nullptr;
    return std::make_unique<HidapiDevice>(device, HidrawOutputReports(path));
}

bool HidapiBackend::StartHotplug(HotplugListener listener) {
    std::lock_guard lock(hotplugMutex_);
    if (monitor_) return false;
    auto monitor = std::make_unique<UdevMonitor>();
    if (!monitor->Start(std::move(listener))) return false;
    monitor_ = std::move(monitor);
    return true;
}

void HidapiBackend::StopHotplug() {
    std::unique_ptr<UdevMonitor> monitor;
    {
        std::lock_guard lock(hotplugMutex_);
        monitor = std::move(monitor_);
    }
    if (monitor) monitor->Stop();
}

}  // namespace vellomir
