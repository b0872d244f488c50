#pragma once
// Child processes for the update tests: a tool run to its end, and a long-running helper whose first
// output line is read and which ends when the test closes its input.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vellomir::test {

// Runs a program (looked up in PATH) in `folder` with its output discarded; its exit code, or -1.
int RunProgram(const std::vector<std::string>& argv, const std::filesystem::path& folder);

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess() { Stop(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Start(const std::vector<std::string>& argv);
    // The next line of its standard output, or nothing within the time limit.
    std::optional<std::string> ReadLine(std::chrono::milliseconds limit);
    // Closes its input, then ends it if it has not ended within a second.
    void Stop();

private:
    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    std::string pending_;
};

// Waits for a process of ours to end, for at most `limit`; its exit code, or -1.
int WaitForExit(pid_t pid, std::chrono::milliseconds limit);

}  // namespace vellomir::test
