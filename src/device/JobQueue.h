#pragma once
// The FIFO of job codes between the UI thread (the producer) and the device worker (the consumer).

#include <deque>
#include <functional>
#include <mutex>
#include <optional>

namespace vellomir {

class JobQueue {
public:
    // `onQueued` runs after each Push, outside the lock (the worker uses it to end its pause).
    explicit JobQueue(std::function<void()> onQueued = {}) : onQueued_(std::move(onQueued)) {}

    void Push(int code);
    std::optional<int> Pop();
    bool Empty() const;
    std::size_t Size() const;
    void Clear();

private:
    mutable std::mutex mutex_;
    std::deque<int> codes_;
    std::function<void()> onQueued_;
};

}  // namespace vellomir
