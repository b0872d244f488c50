#include "sim/SimulatedDevice.h"

#include <algorithm>
#include <cstring>
#include <thread>

#include "common/Text.h"
#include "common/Trace.h"

namespace vellomir::sim {

namespace {
constexpr std::chrono::milliseconds kReportTime(1);

std::string HexBytes(const std::uint8_t* data, std::size_t length) {
    std::string out;
    for (std::size_t i = 0; i < length; ++i)
        out += StrFormat(i ? " %02X" : "%02X", data[i]);
    return out;
}

// Counts down a fault counter; kAlways never runs out.
bool TakeFault(int& counter) {
    if (counter == SimulatedDevice::kAlways) return true;
    if (counter <= 0) return false;
    --counter;
    return true;
}
}  // namespace

// The handle hid_open_path would give. It keeps the device alive; closing it is destroying it.
class SimHandle final : public HidDevice {
public:
    SimHandle(std::shared_ptr<SimulatedDevice> device, int handle)
        : device_(std::move(device)), handle_(handle) {}
    ~SimHandle() override { device_->Close(handle_); }

    int Write(const std::uint8_t* data, std::size_t length) override {
        return device_->Write(handle_, data, length);
    }
    int ReadTimeout(std::uint8_t* buffer, std::size_t length, int timeoutMs) override {
        return device_->Read(handle_, buffer, length, timeoutMs);
    }

private:
    std::shared_ptr<SimulatedDevice> device_;
    int handle_;
};

SimulatedDevice::SimulatedDevice(const UsbIdentity& usb) : usb_(usb), interfaces_(CompositeInterfaces(usb)) {}

const SimInterface* SimulatedDevice::FindInterface(int number) const {
    for (const auto& i : interfaces_) {
        if (i.number == number) return &i;
    }
    return nullptr;
}

std::unique_ptr<HidDevice> SimulatedDevice::Open(int interfaceNumber) {
    std::lock_guard lock(mutex_);
    if (!plugged_ || !FindInterface(interfaceNumber)) return nullptr;
    const int handle = nextHandle_++;
    HandleState state;
    state.interfaceNumber = interfaceNumber;
    state.generation = generation_;
    handles_.emplace(handle, std::move(state));
    return std::make_unique<SimHandle>(shared_from_this(), handle);
}

bool SimulatedDevice::Plugged() const {
    std::lock_guard lock(mutex_);
    return plugged_;
}

int SimulatedDevice::OpenHandles() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(handles_.size());
}

bool SimulatedDevice::Attach() {
    std::lock_guard lock(mutex_);
    if (plugged_) return false;
    plugged_ = true;
    return true;
}

void SimulatedDevice::Detach() {
    {
        std::lock_guard lock(mutex_);
        plugged_ = false;
        ++generation_;  // handles opened before now stay dead, also after a re-plug
        for (auto& [id, state] : handles_)
            state.queue.clear();
    }
    readable_.notify_all();
}

void SimulatedDevice::Close(int handle) {
    std::lock_guard lock(mutex_);
    handles_.erase(handle);
}

bool SimulatedDevice::HandleAliveLocked(int handle) const {
    auto it = handles_.find(handle);
    return plugged_ && it != handles_.end() && it->second.generation == generation_;
}

void SimulatedDevice::DropFrames(int count) {
    std::lock_guard lock(mutex_);
    dropFrames_ = count;
}

void SimulatedDevice::FailWrites(int count) {
    std::lock_guard lock(mutex_);
    failWrites_ = count;
}

void SimulatedDevice::SetBusyReplies(int count) {
    std::lock_guard lock(mutex_);
    busyReplies_ = std::max(count, 0);
}

void SimulatedDevice::SetReplyDelay(std::chrono::milliseconds delay) {
    std::lock_guard lock(mutex_);
    replyDelay_ = std::max(delay, std::chrono::milliseconds(0));
}

void SimulatedDevice::SetLinkTiming(bool on) {
    std::lock_guard lock(mutex_);
    linkTiming_ = on;
}

void SimulatedDevice::ClearFaults() {
    std::lock_guard lock(mutex_);
    dropFrames_ = 0;
    failWrites_ = 0;
    busyReplies_ = 0;
    replyDelay_ = std::chrono::milliseconds(0);
}

void SimulatedDevice::InjectReport(int interfaceNumber, Report report, std::chrono::milliseconds delay) {
    {
        std::lock_guard lock(mutex_);
        DeliverLocked(interfaceNumber, std::move(report), InboundSlotLocked(Clock::now() + delay));
    }
    readable_.notify_all();
}

void SimulatedDevice::SendLocked(Report report) {
    DeliverLocked(kProtocolInterface, std::move(report), InboundSlotLocked(Clock::now()));
    readable_.notify_all();
}

std::vector<FrameRecord> SimulatedDevice::Log() const {
    std::lock_guard lock(mutex_);
    return log_;
}

std::vector<FrameRecord> SimulatedDevice::Log(int interfaceNumber) const {
    std::lock_guard lock(mutex_);
    std::vector<FrameRecord> out;
    std::copy_if(log_.begin(), log_.end(), std::back_inserter(out),
                 [&](const FrameRecord& r) { return r.interfaceNumber == interfaceNumber; });
    return out;
}

void SimulatedDevice::ClearLog() {
    std::lock_guard lock(mutex_);
    log_.clear();
}

FirmwareLoader SimulatedDevice::Loader() const {
    std::lock_guard lock(mutex_);
    return loader_;
}

SimulatedDevice::Clock::time_point SimulatedDevice::InboundSlotLocked(Clock::time_point earliest) {
    if (!linkTiming_) return earliest;
    const auto at = std::max(earliest, inboundFree_) + kReportTime;
    inboundFree_ = at;
    return at;
}

void SimulatedDevice::DeliverLocked(int interfaceNumber, Report report, Clock::time_point at) {
    if (!plugged_) return;
    for (auto& [id, state] : handles_) {
        if (state.interfaceNumber != interfaceNumber || state.generation != generation_) continue;
        // Keep the queue ordered by arrival time; reports due at the same time keep their order.
        auto pos = std::upper_bound(state.queue.begin(), state.queue.end(), at,
                                    [](Clock::time_point t, const Pending& p) { return t < p.at; });
        state.queue.insert(pos, Pending{at, report});
    }
}

void SimulatedDevice::RespondLocked(const std::uint8_t* request, Clock::time_point sent) {
    if (TakeFault(dropFrames_)) return;
    const auto due = sent + replyDelay_;
    for (Report& reply : Respond(request)) {
        for (int i = 0; i < busyReplies_; ++i) {
            Report busy(kReportSize, 0);
            busy[0] = reply[0];
            busy[kRepStatus] = kStatusBusy;
            DeliverLocked(kProtocolInterface, std::move(busy), InboundSlotLocked(due));
        }
        DeliverLocked(kProtocolInterface, std::move(reply), InboundSlotLocked(due));
    }
}

int SimulatedDevice::Write(int handle, const std::uint8_t* data, std::size_t length) {
    Clock::time_point sent;
    bool timed = false;
    {
        std::lock_guard lock(mutex_);
        if (!HandleAliveLocked(handle) || data == nullptr || length == 0) return -1;
        const SimInterface* iface = FindInterface(handles_.at(handle).interfaceNumber);
        if (length > iface->outputLength + 1 || data[0] != iface->reportId) return -1;

        FrameRecord record;
        record.interfaceNumber = iface->number;
        record.time = Clock::now();
        record.bytes.assign(data, data + length);
        record.writeFailed = TakeFault(failWrites_);
        const bool failed = record.writeFailed;
        if (TraceEnabled()) {
            Trace("sim %04X:%04X MI_%02X <- %s%s", usb_.vendorId, usb_.productId, iface->number,
                  HexBytes(data, std::min<std::size_t>(length, 33)).c_str(), failed ? " (write fails)" : "");
        }
        log_.push_back(std::move(record));
        if (failed) return -1;

        sent = Clock::now();
        timed = linkTiming_;
        if (timed) {
            sent = std::max(sent, outboundFree_) + kReportTime;
            outboundFree_ = sent;
        }
        // The device sees the whole output report, zero padded.
        std::vector<std::uint8_t> padded(iface->outputLength + 1, 0);
        std::memcpy(padded.data(), data, length);
        if (iface->role == InterfaceRole::kProtocol) {
            RespondLocked(padded.data(), sent);
        } else if (iface->role == InterfaceRole::kLoader) {
            loader_.HandleFrame(padded.data(), padded.size());
        }
    }
    readable_.notify_all();
    // With link timing the write returns once its report has gone over the wire.
    if (timed) std::this_thread::sleep_until(sent);
    return static_cast<int>(length);
}

int SimulatedDevice::Read(int handle, std::uint8_t* buffer, std::size_t length, int timeoutMs) {
    std::unique_lock lock(mutex_);
    const bool forever = timeoutMs < 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    for (;;) {
        if (!HandleAliveLocked(handle) || buffer == nullptr) return -1;
        auto& queue = handles_.at(handle).queue;
        const auto now = Clock::now();
        if (!queue.empty() && queue.front().at <= now) {
            const Report report = std::move(queue.front().report);
            queue.pop_front();
            const std::size_t n = std::min(length, report.size());
            std::copy_n(report.begin(), n, buffer);
            return static_cast<int>(n);
        }
        if (!forever && now >= deadline) return 0;
        // Wake for the deadline, for the next report coming due, or when something is delivered.
        if (!queue.empty() && (forever || queue.front().at < deadline)) {
            const Clock::time_point due = queue.front().at;  // the queue may change while we wait
            readable_.wait_until(lock, due);
        } else if (forever) {
            readable_.wait(lock);
        } else {
            readable_.wait_until(lock, deadline);
        }
    }
}

}  // namespace vellomir::sim
