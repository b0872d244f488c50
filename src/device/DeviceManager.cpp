#include "device/DeviceManager.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "common/Trace.h"
#include "device/DeviceIdentity.h"
#include "device/InstalledBackend.h"

namespace vellomir {
namespace {

// A mouse that misses the info query once gets a second chance after this pause.
constexpr auto kInfoRetryPause = std::chrono::milliseconds(500);

const SupportedDevice* FindSupported(const std::vector<SupportedDevice>& supported, std::uint32_t vendorId,
                                     std::uint32_t productId) {
    for (const SupportedDevice& entry : supported) {
        if (entry.vendorId == vendorId && entry.productId == productId) return &entry;
    }
    return nullptr;
}

}  // namespace

DeviceManager& DeviceManager::Instance() {
    // Never destroyed: the worker may still use it while the process exits.
    static DeviceManager* const manager = new DeviceManager();
    return *manager;
}

void DeviceManager::ClearSupported() {
    std::lock_guard lock(mutex_);
    supported_.clear();
}

void DeviceManager::AddSupported(std::uint32_t vendorId, std::uint32_t productId, int deviceType, int mode,
                                 std::string deviceId) {
    std::lock_guard lock(mutex_);
    supported_.push_back(SupportedDevice{vendorId, productId, deviceType, mode, std::move(deviceId)});
}

std::vector<SupportedDevice> DeviceManager::GetSupported() const {
    std::lock_guard lock(mutex_);
    return supported_;
}

void DeviceManager::EnumerateDevice() {
    Trace("EnumerateDevice!");
    const std::shared_ptr<HidBackend> backend = GetHidBackend();
    if (!backend) {
        Trace("EnumerateDevice: no HID backend installed");
        return;
    }
    const std::vector<SupportedDevice> supported = GetSupported();
    for (const HidInterfaceInfo& entry : backend->Enumerate()) {
        const SupportedDevice* match = FindSupported(supported, entry.vendorId, entry.productId);
        if (match == nullptr) continue;
        Trace("EnumerateDevice UsagePage: %X, Usage: %X", entry.usagePage, entry.usage);
        // The other collections of a composite mouse (its keyboard and pointer functions) end here.
        if (!IsAcceptedUsage(entry.usagePage, entry.usage)) continue;
        std::unique_ptr<HidDevice> device = backend->OpenPath(entry.path);
        if (!device) continue;
        Trace("Open hid Device Suc!");

        DeviceRecord record;
        record.path = entry.path;
        record.vendor_id = entry.vendorId;
        record.product_id = entry.productId;
        record.handle = std::make_shared<DeviceHandle>(std::move(device));
        record.release_number = entry.releaseNumber;
        record.dev_mode = match->mode;
        record.link_state = kLinkOnline;

        bool identified = QueryInfo(record.handle.get(), record.info);
        if (!identified) {
            std::this_thread::sleep_for(kInfoRetryPause);
            identified = QueryInfo(record.handle.get(), record.info);
        }
        if (identified) {
            record.device_id = GetDeviceId(record.info);
            record.dev_type =
                vellomir::GetDeviceType(supported, record.vendor_id, record.product_id, record.device_id);
            Trace("EnumerateDevice!, GetDeviceId: %s, GetDeviceType: %d", record.device_id.c_str(),
                  record.dev_type);
        }
        Trace("EnumerateDevice vendor_id: %X, product_id: %X, dev_type: %x, dev_mode: %x", record.vendor_id,
              record.product_id, static_cast<unsigned>(record.dev_type),
              static_cast<unsigned>(record.dev_mode));

        std::lock_guard lock(mutex_);
        record.id = nextRecordId_++;
        records_.push_back(std::move(record));
        cachedRecord_.reset();
    }
}

void DeviceManager::CloseAll() {
    std::vector<DeviceRecord> closing;
    {
        std::lock_guard lock(mutex_);
        if (!ready_) return;
        ready_ = false;
        closing.swap(records_);
        cachedRecord_.reset();
    }
    for (DeviceRecord& record : closing) {
        if (record.handle) record.handle->Close();
    }
}

bool DeviceManager::IsReady() const {
    std::lock_guard lock(mutex_);
    return ready_;
}

void DeviceManager::SetReady(bool ready) {
    std::lock_guard lock(mutex_);
    ready_ = ready;
}

void DeviceManager::RebuildRecords() {
    ClearCachedHandle();
    CloseAll();
    EnumerateDevice();
    SetReady(true);
    ClearCachedHandle();
}

int DeviceManager::GetCurrentType() const {
    std::lock_guard lock(mutex_);
    return currentType_;
}

void DeviceManager::SetCurrentType(int deviceType) {
    std::lock_guard lock(mutex_);
    currentType_ = deviceType;
    cachedRecord_.reset();
}

void DeviceManager::ClearCachedHandle() {
    std::lock_guard lock(mutex_);
    cachedRecord_.reset();
}

DeviceRecord* DeviceManager::FindLocked(std::uint64_t recordId) {
    auto it = std::find_if(records_.begin(), records_.end(),
                           [recordId](const DeviceRecord& record) { return record.id == recordId; });
    return it == records_.end() ? nullptr : &*it;
}

const DeviceRecord* DeviceManager::ResolveCurrentLocked() {
    if (cachedRecord_) {
        if (const DeviceRecord* cached = FindLocked(*cachedRecord_)) return cached;
        cachedRecord_.reset();
    }
    for (const DeviceRecord& record : records_) {
        if (record.dev_type == currentType_ && record.dev_mode == kModeCable) {
            cachedRecord_ = record.id;
            return &record;
        }
    }
    for (const DeviceRecord& record : records_) {
        if (record.dev_type == currentType_ && record.dev_mode == kModeReceiver) {
            // Only the first receiver record of the type counts: its mouse is linked or there is none.
            if (record.link_state != kLinkOnline) return nullptr;
            cachedRecord_ = record.id;
            return &record;
        }
    }
    return nullptr;
}

std::shared_ptr<DeviceHandle> DeviceManager::GetCurrentHandle() {
    std::lock_guard lock(mutex_);
    const DeviceRecord* record = ResolveCurrentLocked();
    return record ? record->handle : nullptr;
}

std::optional<DeviceRecord> DeviceManager::GetCurrentRecord() {
    std::lock_guard lock(mutex_);
    const DeviceRecord* record = ResolveCurrentLocked();
    if (record == nullptr) return std::nullopt;
    return *record;
}

int DeviceManager::GetConnectionKind() const {
    std::lock_guard lock(mutex_);
    bool receiver = false;
    for (const DeviceRecord& record : records_) {
        if (record.dev_type != currentType_) continue;
        if (record.dev_mode == kModeCable) return kConnectionCable;
        if (record.dev_mode == kModeReceiver) receiver = true;
    }
    return receiver ? kConnectionReceiver : kConnectionNone;
}

std::optional<VidPid> DeviceManager::GetCurrentVidPid() {
    std::lock_guard lock(mutex_);
    const DeviceRecord* record = ResolveCurrentLocked();
    if (record == nullptr) return std::nullopt;
    return VidPid{record->vendor_id, record->product_id};
}

bool DeviceManager::CollectRecords(bool onlineOnly, std::vector<DeviceRecord>& out) const {
    std::lock_guard lock(mutex_);
    out.clear();
    if (records_.empty()) return false;
    for (const DeviceRecord& record : records_) {
        if (currentType_ != 0 && record.dev_type != currentType_) continue;
        if (onlineOnly && record.link_state != kLinkOnline) continue;
        out.push_back(record);
    }
    return true;
}

std::vector<DeviceRecord> DeviceManager::AllRecords() const {
    std::lock_guard lock(mutex_);
    return records_;
}

std::size_t DeviceManager::RecordCount() const {
    std::lock_guard lock(mutex_);
    return records_.size();
}

void DeviceManager::SetLinkState(int deviceType, int mode, int state) {
    std::lock_guard lock(mutex_);
    for (DeviceRecord& record : records_) {
        if (record.dev_type == deviceType && record.dev_mode == mode) record.link_state = state;
    }
}

bool DeviceManager::SetRecordLinkState(std::uint64_t recordId, int state) {
    std::lock_guard lock(mutex_);
    DeviceRecord* record = FindLocked(recordId);
    if (record == nullptr) return false;
    record->link_state = state;
    return true;
}

bool DeviceManager::RequeryInfo(std::uint64_t recordId) {
    std::shared_ptr<DeviceHandle> handle;
    {
        std::lock_guard lock(mutex_);
        const DeviceRecord* record = FindLocked(recordId);
        if (record == nullptr) return false;
        handle = record->handle;
    }
    InfoBlock info{};
    if (!QueryInfo(handle.get(), info)) return false;

    std::lock_guard lock(mutex_);
    DeviceRecord* record = FindLocked(recordId);
    if (record == nullptr) return false;  // a rescan replaced it meanwhile
    record->info = info;
    record->device_id = GetDeviceId(info);
    record->dev_type =
        vellomir::GetDeviceType(supported_, record->vendor_id, record->product_id, record->device_id);
    if (cachedRecord_ == recordId) cachedRecord_.reset();
    return true;
}

std::optional<std::uint32_t> DeviceManager::GetReleaseNumber(int mode) const {
    std::lock_guard lock(mutex_);
    for (const DeviceRecord& record : records_) {
        if (record.dev_mode == mode) return record.release_number;
    }
    return std::nullopt;
}

bool DeviceManager::IsTypePresent(int deviceType) const {
    std::lock_guard lock(mutex_);
    return std::any_of(records_.begin(), records_.end(), [deviceType](const DeviceRecord& record) {
        return record.dev_type == deviceType && !record.device_id.empty() && record.link_state > 0;
    });
}

int DeviceManager::GetDeviceType(std::uint32_t vendorId, std::uint32_t productId,
                                 const std::string& deviceId) const {
    std::lock_guard lock(mutex_);
    return vellomir::GetDeviceType(supported_, vendorId, productId, deviceId);
}

std::shared_ptr<DeviceHandle> DeviceManager::OpenBootInterface(std::uint16_t vendorId,
                                                               std::uint16_t productId) {
    std::shared_ptr<DeviceHandle> opened;
    if (const std::shared_ptr<HidBackend> backend = GetHidBackend()) {
        for (const HidInterfaceInfo& entry : backend->Enumerate()) {
            if (entry.vendorId != vendorId || entry.productId != productId ||
                entry.usagePage != kLoaderUsagePage || entry.usage != kLoaderUsage) {
                continue;
            }
            if (std::unique_ptr<HidDevice> device = backend->OpenPath(entry.path)) {
                opened = std::make_shared<DeviceHandle>(std::move(device));
            }
            break;
        }
    }
    std::lock_guard lock(mutex_);
    bootHandle_ = opened;
    return opened;
}

std::shared_ptr<DeviceHandle> DeviceManager::GetBootHandle() const {
    std::lock_guard lock(mutex_);
    return bootHandle_;
}

}  // namespace vellomir
