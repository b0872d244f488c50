#pragma once
// A simulated USB device behind the HID seam: its interfaces, the input reports queued for every open
// handle, the fault injection, the frame log and the firmware loader. Subclasses supply the firmware
// that answers protocol requests (SimulatedMouse, SimulatedReceiver).
//
// Thread safety: every public function may be called from any thread. One mutex guards the whole
// device; reads wait on a condition variable, so a blocked ReadTimeout costs nothing.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "device/HidBackend.h"
#include "sim/FirmwareLoader.h"
#include "sim/FrameRecord.h"
#include "sim/SimInterface.h"
#include "sim/SimProtocol.h"

namespace vellomir::sim {

class SimulatedDevice : public std::enable_shared_from_this<SimulatedDevice> {
public:
    using Clock = std::chrono::steady_clock;
    // Count for DropFrames and FailWrites: every frame until ClearFaults.
    static constexpr int kAlways = -1;

    virtual ~SimulatedDevice() = default;
    SimulatedDevice(const SimulatedDevice&) = delete;
    SimulatedDevice& operator=(const SimulatedDevice&) = delete;

    const UsbIdentity& Usb() const { return usb_; }
    const std::vector<SimInterface>& Interfaces() const { return interfaces_; }

    // Opens one interface, as hid_open_path would. nullptr while unplugged or for an unknown number.
    // A handle stops working (reads and writes return -1) when the device is unplugged.
    std::unique_ptr<HidDevice> Open(int interfaceNumber);
    bool Plugged() const;
    int OpenHandles() const;

    // Fault injection. Faults on replies concern the protocol interface.
    // The next `count` protocol requests are lost: not acted on, not answered (kAlways: all).
    void DropFrames(int count);
    // The next `count` writes on any interface return -1 and reach nothing (kAlways: all).
    void FailWrites(int count);
    // Every reply is preceded by `count` reports with status busy (0x01).
    void SetBusyReplies(int count);
    // Replies become readable only this long after the request.
    void SetReplyDelay(std::chrono::milliseconds delay);
    // Queues an unsolicited input report (bytes as the host reads them: report id 0 removed, any
    // other id kept) for every open handle of the interface.
    void InjectReport(int interfaceNumber, Report report,
                      std::chrono::milliseconds delay = std::chrono::milliseconds(0));
    void ClearFaults();
    // Link timing: every report takes 1 ms on the wire, each way, one at a time (for benchmarks).
    void SetLinkTiming(bool on);

    // Every write the host made, oldest first.
    std::vector<FrameRecord> Log() const;
    std::vector<FrameRecord> Log(int interfaceNumber) const;
    void ClearLog();

    // A copy of the firmware loader's state (image, progress, errors).
    FirmwareLoader Loader() const;

protected:
    explicit SimulatedDevice(const UsbIdentity& usb);

    // The firmware's answer to one protocol request (report id plus 64 bytes, zero padded). Called
    // with mutex_ held.
    virtual std::vector<Report> Respond(const std::uint8_t* request) = 0;
    // Sends an unsolicited report on the protocol interface. mutex_ must be held.
    void SendLocked(Report report);

    mutable std::mutex mutex_;

private:
    friend class SimulatedHidBackend;
    friend class SimHandle;

    struct Pending {
        Clock::time_point at;
        Report report;
    };
    struct HandleState {
        int interfaceNumber = 0;
        unsigned generation = 0;
        std::deque<Pending> queue;
    };

    bool Attach();  // false when plugged already
    void Detach();
    int Write(int handle, const std::uint8_t* data, std::size_t length);
    int Read(int handle, std::uint8_t* buffer, std::size_t length, int timeoutMs);
    void Close(int handle);

    const SimInterface* FindInterface(int number) const;
    bool HandleAliveLocked(int handle) const;
    // When a report sent now (or at `earliest`) is readable, honouring link timing.
    Clock::time_point InboundSlotLocked(Clock::time_point earliest);
    void DeliverLocked(int interfaceNumber, Report report, Clock::time_point at);
    void RespondLocked(const std::uint8_t* request, Clock::time_point sent);

    const UsbIdentity usb_;
    const std::vector<SimInterface> interfaces_;
    std::condition_variable readable_;
    std::map<int, HandleState> handles_;
    int nextHandle_ = 1;
    bool plugged_ = false;
    unsigned generation_ = 0;

    int dropFrames_ = 0;
    int failWrites_ = 0;
    int busyReplies_ = 0;
    std::chrono::milliseconds replyDelay_{0};
    bool linkTiming_ = false;
    Clock::time_point outboundFree_{};
    Clock::time_point inboundFree_{};

    std::vector<FrameRecord> log_;
    FirmwareLoader loader_;
};

}  // namespace vellomir::sim
