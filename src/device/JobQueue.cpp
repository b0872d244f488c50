#include "device/JobQueue.h"

namespace vellomir {

void JobQueue::Push(int code) {
    {
        std::lock_guard lock(mutex_);
        codes_.push_back(code);
    }
    if (onQueued_) onQueued_();
}

std::optional<int> JobQueue::Pop() {
    std::lock_guard lock(mutex_);
    if (codes_.empty()) return std::nullopt;
    int code = codes_.front();
    codes_.pop_front();
    return code;
}

bool JobQueue::Empty() const {
    std::lock_guard lock(mutex_);
    return codes_.empty();
}

std::size_t JobQueue::Size() const {
    std::lock_guard lock(mutex_);
    return codes_.size();
}

void JobQueue::Clear() {
    std::lock_guard lock(mutex_);
    codes_.clear();
}

}  // namespace vellomir
