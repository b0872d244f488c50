#pragma once
// The device worker: one thread that takes one queued job at a time and runs it to its end, and while
// nothing is queued and a device is connected polls the mouse for its own reports. All HID traffic,
// the device side of profiles and the online update jobs run here.

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "device/CThreadBasic.h"
#include "device/ConnectionState.h"
#include "device/DeviceRecord.h"
#include "device/HidBackend.h"
#include "device/JobQueue.h"
#include "device/ModelSession.h"
#include "device/WorkerView.h"
#include "protocol/DeviceState.h"
#include "protocol/ProtocolContext.h"

namespace vellomir {

// What the worker needs from the rest of the program.
struct WorkerEnvironment {
    ModelSession& model;
    DeviceState& state;
    WorkerView& view;
    // UI text N of the current language (text 61 names the initial profiles).
    std::function<std::string(int)> text;
    // Runs an online update job (23, 24, 26, 27) on the worker; unset: those codes are dropped.
    std::function<void(int job)> runUpdateJob;
};

class DeviceWorker : public CThreadBasic {
public:
    explicit DeviceWorker(WorkerEnvironment environment);
    ~DeviceWorker() override;

    // UI thread: appends a job; an idle worker starts on it at once.
    void QueueJob(int code);
    // UI thread: a device arrival or removal from the backend's hot-plug source, matched against the
    // catalogue's identities; it becomes job 2 or 3 (or nothing).
    void OnHotplug(const HotplugEvent& event);
    bool QueueEmpty() const { return queue_.Empty(); }

    ConnectionState& connection() { return connection_; }
    const ProtocolContext& context() const { return context_; }

    // Number of jobs finished so far (jobs dropped as unknown do not count).
    unsigned long JobsRun() const { return jobsRun_.load(); }
    // Number of notification polls so far.
    unsigned long PollsRun() const { return pollsRun_.load(); }

    // Runs one job on the calling thread (the worker's step does the same).
    void RunJob(int code);

protected:
    void WorkerStep() override;
    bool IdleUntilWoken() override;

private:
    void FullRefresh();
    void ScanAndRead(bool pause);
    void RemovalScan();
    void SelectDevice();
    void WriteAllJob();
    void ResetDpi();
    void FactoryReset();
    void SetUpProfiles();
    // Page refresh and version display after a successful configuration read.
    bool ReadConfigAndRefresh();

    WorkerEnvironment env_;
    std::vector<VidPid> modes_;  // the catalogue's identities, for hot-plug matching
    JobQueue queue_;
    ConnectionState connection_;
    ProtocolContext context_;
    std::atomic<unsigned long> jobsRun_{0};
    std::atomic<unsigned long> pollsRun_{0};
};

}  // namespace vellomir
