#pragma once
// The process-wide list of supported mice and of the interfaces opened for them.
//
// Records are created and destroyed by the device worker (EnumerateDevice, CloseAll, normally through
// RebuildRecords); the UI thread reads the manager at the same time (GetConnectionKind,
// GetReleaseNumber, IsTypePresent, CollectRecords). Every member takes the manager's mutex, which is
// never held during device I/O. Records are handed out as copies; their handles are shared and are
// closed at the next rescan, so a kept handle fails cleanly instead of dangling.

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "device/DeviceHandle.h"
#include "device/DeviceRecord.h"

namespace vellomir {

class DeviceManager {
public:
    // The one manager of the process, created on first use by whichever thread comes first.
    static DeviceManager& Instance();

    DeviceManager(const DeviceManager&) = delete;
    DeviceManager& operator=(const DeviceManager&) = delete;

    // The supported list, in catalogue order.
    void ClearSupported();
    void AddSupported(std::uint32_t vendorId, std::uint32_t productId, int deviceType, int mode,
                      std::string deviceId);
    std::vector<SupportedDevice> GetSupported() const;

    // Finds, opens and identifies every supported interface of the installed backend and appends a
    // record for each. Waits up to about 3.5 s per interface that does not answer the info query.
    void EnumerateDevice();
    // When the ready flag is set: clears it, closes every handle and destroys every record.
    void CloseAll();
    bool IsReady() const;
    void SetReady(bool ready);
    // The full rescan: drop the cache, CloseAll, EnumerateDevice, set the ready flag, drop the cache.
    void RebuildRecords();

    // The device type the user has selected; 0 for none. Setting it drops the cached handle.
    int GetCurrentType() const;
    void SetCurrentType(int deviceType);
    void ClearCachedHandle();

    // The handle for the current device type: a cabled record first, else the first receiver record
    // of the type when its mouse is linked. Cached until the records or the current type change.
    std::shared_ptr<DeviceHandle> GetCurrentHandle();
    // A copy of the record behind GetCurrentHandle.
    std::optional<DeviceRecord> GetCurrentRecord();
    // kConnectionCable, kConnectionReceiver or kConnectionNone for the current type.
    int GetConnectionKind() const;
    // Vendor and product id of the record behind the current handle.
    std::optional<VidPid> GetCurrentVidPid();

    // Copies of the records of the current type (all records when it is 0); with onlineOnly only those
    // whose link state is online. False when there is no record at all.
    bool CollectRecords(bool onlineOnly, std::vector<DeviceRecord>& out) const;
    // Copies of every record, whatever the current type, in list order.
    std::vector<DeviceRecord> AllRecords() const;
    std::size_t RecordCount() const;
    // Writes the link state into every record of that type and mode.
    void SetLinkState(int deviceType, int mode, int state);
    // Writes the link state of one record; false when it no longer exists.
    bool SetRecordLinkState(std::uint64_t recordId, int state);
    // Sends the info query once on one record (the caller decides about retrying). On success stores
    // the info block and identifies the mouse anew (device id, dev_type). False when it failed or the
    // record no longer exists.
    bool RequeryInfo(std::uint64_t recordId);
    // The release number of the first record with that mode.
    std::optional<std::uint32_t> GetReleaseNumber(int mode) const;
    // True when a record of the type has a device id and a link state above 0.
    bool IsTypePresent(int deviceType) const;
    // GetDeviceType over the current supported list.
    int GetDeviceType(std::uint32_t vendorId, std::uint32_t productId, const std::string& deviceId) const;

    // Enumerates again and opens the first interface with that vendor and product id and the loader's
    // usage pair; it becomes the boot handle (replacing an earlier one). Rescans leave it alone.
    std::shared_ptr<DeviceHandle> OpenBootInterface(std::uint16_t vendorId, std::uint16_t productId);
    std::shared_ptr<DeviceHandle> GetBootHandle() const;

private:
    DeviceManager() = default;

    // Resolves the current record; the mutex must be held.
    const DeviceRecord* ResolveCurrentLocked();
    DeviceRecord* FindLocked(std::uint64_t recordId);

    mutable std::mutex mutex_;
    bool ready_ = false;
    std::vector<DeviceRecord> records_;
    std::vector<SupportedDevice> supported_;
    int currentType_ = 0;
    std::optional<std::uint64_t> cachedRecord_;
    std::shared_ptr<DeviceHandle> bootHandle_;
    std::uint64_t nextRecordId_ = 1;
};

}  // namespace vellomir
