#include "device/InstalledBackend.h"

#include <mutex>
#include <utility>

namespace vellomir {
namespace {

std::mutex& BackendMutex() {
    static std::mutex mutex;
    return mutex;
}

std::shared_ptr<HidBackend>& InstalledSlot() {
    static std::shared_ptr<HidBackend> backend;
    return backend;
}

}  // namespace

void SetHidBackend(std::shared_ptr<HidBackend> backend) {
    std::shared_ptr<HidBackend> previous;
    {
        std::lock_guard lock(BackendMutex());
        previous = std::exchange(InstalledSlot(), std::move(backend));
    }
    // The previous backend, if this was its last owner, goes away outside the lock.
}

std::shared_ptr<HidBackend> GetHidBackend() {
    std::lock_guard lock(BackendMutex());
    return InstalledSlot();
}

}  // namespace vellomir
