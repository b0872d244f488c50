#pragma once
// Runs a writer in a child process and kills it with SIGKILL at a chosen moment: after it has reported
// a number of finished steps, plus a delay. Reporting steps makes the moment independent of how fast
// the build runs (a sanitizer build is many times slower).

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <thread>

namespace vellomir::test {

namespace killed_writer_detail {
inline int g_stepPipe = -1;
}

// Called by the child after each finished step. Never blocks: when nobody reads, the report is dropped.
inline void ReportStep() {
    if (killed_writer_detail::g_stepPipe < 0) return;
    const char step = 1;
    const ssize_t written = ::write(killed_writer_detail::g_stepPipe, &step, 1);
    static_cast<void>(written);
}

// Forks; the child runs `body` (which must not return; a return ends the child with status 99). The
// parent waits until the child has reported `steps` steps (at most 60 s), then `delay`, then kills it
// and reaps it. Fails unless the child was still running when the signal came.
inline ::testing::AssertionResult RunAndKill(const std::function<void()>& body, int steps,
                                             std::chrono::microseconds delay) {
    int fds[2];
    if (::pipe(fds) != 0) return ::testing::AssertionFailure() << "pipe";
    const pid_t child = ::fork();
    if (child < 0) return ::testing::AssertionFailure() << "fork";
    if (child == 0) {
        ::close(fds[0]);
        ::fcntl(fds[1], F_SETFL, O_NONBLOCK);
        killed_writer_detail::g_stepPipe = fds[1];
        body();
        ::_exit(99);
    }
    ::close(fds[1]);
    for (int seen = 0; seen < steps;) {
        pollfd p{fds[0], POLLIN, 0};
        if (::poll(&p, 1, 60000) <= 0) break;
        char buffer[64];
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n <= 0) break;  // the child is gone
        seen += static_cast<int>(n);
    }
    std::this_thread::sleep_for(delay);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(fds[0]);
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "the writer stopped by itself with status " << WEXITSTATUS(status);
}

}  // namespace vellomir::test
