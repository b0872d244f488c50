#pragma once
// The job codes the UI thread queues for the device worker. One list for every area that queues jobs
// (hot-plug routing, the update prompt, the pages).

namespace vellomir {

enum JobCode : int {
    kJobStartupScan = 1,
    kJobArrivalScan = 2,
    kJobRemovalScan = 3,
    kJobSelectDevice = 4,
    kJobWriteAll = 5,
    kJobWriteKeys = 6,
    kJobWriteLight = 8,
    kJobWriteDpi = 9,
    kJobWriteDpiColours = 10,
    kJobWriteReportRate = 11,
    kJobWriteSensor = 12,
    kJobWritePower = 13,
    kJobResetLight = 17,
    kJobResetDpi = 18,
    kJobFactoryReset = 20,
    kJobCheckSoftwareUpdate = 23,
    kJobCheckFirmwareUpdate = 24,
    kJobDownloadSoftware = 26,
    kJobUpdateFirmware = 27,
};

inline bool IsUpdateJob(int code) {
    return code == kJobCheckSoftwareUpdate || code == kJobCheckFirmwareUpdate ||
           code == kJobDownloadSoftware || code == kJobUpdateFirmware;
}

}  // namespace vellomir
