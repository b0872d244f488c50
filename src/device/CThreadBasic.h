#pragma once
// A worker thread that runs a step over and over with a short pause in between, until it is stopped.
// The pause ends early when Wake() is called, and lasts until Wake() when the derived class reports
// that it has nothing to do (so an idle worker sleeps instead of waking every few milliseconds).

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace vellomir {

class CThreadBasic {
public:
    CThreadBasic() = default;
    CThreadBasic(const CThreadBasic&) = delete;
    CThreadBasic& operator=(const CThreadBasic&) = delete;

    // Starts the thread once. With loop false the step runs a single time. Returns false when the
    // thread was already started.
    bool StartWorker(std::chrono::milliseconds interval = std::chrono::milliseconds(2), bool loop = true);
    // Asks the thread to end and waits at most `limit` for it. Returns true when it ended in time; a
    // thread still inside a step is not killed (JoinWorker waits for it).
    bool StopWorker(std::chrono::milliseconds limit = std::chrono::milliseconds(1000));
    // Waits for the thread to end for good. Derived classes call it in their destructor, after
    // StopWorker, so that no step runs on a half-destroyed object.
    void JoinWorker();
    // Ends the pause between two steps now.
    void Wake();

    bool IsRunning() const;
    // Number of steps run so far (for the idle measurements).
    unsigned long StepCount() const;

protected:
    virtual ~CThreadBasic();
    // The work of one step.
    virtual void WorkerStep() = 0;
    // Asked after each step: true when the worker may sleep until Wake() (nothing queued, nothing to
    // poll), false to pause only for the interval.
    virtual bool IdleUntilWoken() { return false; }

private:
    void ThreadProc();

    mutable std::mutex mutex_;
    std::condition_variable wakeup_;
    std::condition_variable stopped_;
    std::thread thread_;
    std::chrono::milliseconds interval_{2};
    bool loop_ = true;
    bool running_ = false;
    bool ended_ = false;
    bool woken_ = false;
    unsigned long steps_ = 0;
};

}  // namespace vellomir
