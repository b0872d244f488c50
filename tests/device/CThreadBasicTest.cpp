#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "device/CThreadBasic.h"
#include "device/JobQueue.h"

namespace vellomir {
namespace {

using namespace std::chrono_literals;

// A worker that takes queued codes in order and, when told to, blocks inside a step.
class RecordingWorker : public CThreadBasic {
public:
    RecordingWorker() : queue_([this] { Wake(); }) {}
    ~RecordingWorker() override {
        StopWorker();
        JoinWorker();
    }
    JobQueue& queue() { return queue_; }
    std::vector<int> Taken() {
        std::lock_guard lock(mutex_);
        return taken_;
    }
    std::atomic<int> blockMs{0};
    std::atomic<bool> polling{false};

protected:
    void WorkerStep() override {
        if (auto code = queue_.Pop()) {
            if (blockMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(blockMs.load()));
            std::lock_guard lock(mutex_);
            taken_.push_back(*code);
        }
    }
    bool IdleUntilWoken() override { return queue_.Empty() && !polling; }

private:
    JobQueue queue_;
    std::mutex mutex_;
    std::vector<int> taken_;
};

template <typename Pred>
bool WaitFor(Pred pred, std::chrono::milliseconds limit = 2000ms) {
    auto end = std::chrono::steady_clock::now() + limit;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

TEST(CThreadBasicTest, JobsRunInQueueOrderAndIdleWorkerSleeps) {
    RecordingWorker worker;
    ASSERT_TRUE(worker.StartWorker());
    EXPECT_FALSE(worker.StartWorker());  // started once only
    ASSERT_TRUE(WaitFor([&] { return worker.StepCount() >= 1; }));
    std::this_thread::sleep_for(50ms);
    unsigned long idleSteps = worker.StepCount();
    EXPECT_LE(idleSteps, 2u) << "an idle worker with nothing to poll must not spin";

    for (int code : {9, 10, 14, 5})
        worker.queue().Push(code);
    ASSERT_TRUE(WaitFor([&] { return worker.Taken().size() == 4; }));
    EXPECT_EQ(worker.Taken(), (std::vector<int>{9, 10, 14, 5}));
}

TEST(CThreadBasicTest, PollingWorkerPausesOnlyForTheInterval) {
    RecordingWorker worker;
    worker.polling = true;
    ASSERT_TRUE(worker.StartWorker(2ms));
    std::this_thread::sleep_for(100ms);
    EXPECT_GE(worker.StepCount(), 3u);
}

TEST(CThreadBasicTest, StopGivesUpAfterTheLimitWhileAStepBlocks) {
    RecordingWorker worker;
    worker.blockMs = 1500;
    ASSERT_TRUE(worker.StartWorker());
    worker.queue().Push(1);
    ASSERT_TRUE(WaitFor([&] { return worker.queue().Empty(); }));
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(worker.StopWorker(200ms));
    auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, 190ms);
    EXPECT_LT(waited, 1000ms);
    worker.JoinWorker();  // the blocked step still ends before the object goes away
    EXPECT_EQ(worker.Taken(), std::vector<int>{1});
}

TEST(CThreadBasicTest, StopOfAnIdleWorkerIsImmediate) {
    RecordingWorker worker;
    ASSERT_TRUE(worker.StartWorker());
    std::this_thread::sleep_for(5ms);
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(worker.StopWorker());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
}

}  // namespace
}  // namespace vellomir
