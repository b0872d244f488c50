#include "device/CThreadBasic.h"

namespace vellomir {

CThreadBasic::~CThreadBasic() {
    // A derived class should have joined already; this is the last guard against a running thread.
    StopWorker(std::chrono::milliseconds(0));
    JoinWorker();
}

bool CThreadBasic::StartWorker(std::chrono::milliseconds interval, bool loop) {
    std::lock_guard lock(mutex_);
    if (thread_.joinable() || ended_) return false;
    interval_ = interval;
    loop_ = loop;
    running_ = true;
    thread_ = std::thread(&CThreadBasic::ThreadProc, this);
    return true;
}

bool CThreadBasic::StopWorker(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    if (!thread_.joinable()) return true;
    running_ = false;
    wakeup_.notify_all();
    return stopped_.wait_for(lock, limit, [this] { return ended_; });
}

void CThreadBasic::JoinWorker() {
    std::thread thread;
    {
        std::lock_guard lock(mutex_);
        if (!thread_.joinable()) return;
        running_ = false;
        wakeup_.notify_all();
        thread = std::move(thread_);
    }
    thread.join();
}

void CThreadBasic::Wake() {
    std::lock_guard lock(mutex_);
    woken_ = true;
    wakeup_.notify_all();
}

bool CThreadBasic::IsRunning() const {
    std::lock_guard lock(mutex_);
    return running_;
}

unsigned long CThreadBasic::StepCount() const {
    std::lock_guard lock(mutex_);
    return steps_;
}

void CThreadBasic::ThreadProc() {
    if (!loop_) {
        WorkerStep();
    } else {
        for (;;) {
            {
                std::lock_guard lock(mutex_);
                if (!running_) break;
                ++steps_;
            }
            WorkerStep();
            bool idle = IdleUntilWoken();
            std::unique_lock lock(mutex_);
            auto done = [this] { return woken_ || !running_; };
            if (idle) {
                wakeup_.wait(lock, done);
            } else {
                wakeup_.wait_for(lock, interval_, done);
            }
            woken_ = false;
        }
    }
    std::lock_guard lock(mutex_);
    running_ = false;
    ended_ = true;
    stopped_.notify_all();
}

}  // namespace vellomir
