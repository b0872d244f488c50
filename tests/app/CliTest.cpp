// vellomir-cli run as a program, on the simulator, in the test sandbox (the child inherits the
// sandbox's HOME and XDG folders).

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "TempDir.h"

namespace vellomir::test {
namespace {

using namespace std::chrono_literals;

// The command-line program with VELLOMIR_SIMULATE set, its standard output and error in one pipe.
class CliProcess {
public:
    ~CliProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (output_ >= 0) ::close(output_);
    }

    bool Start(const std::string& simulate, const std::vector<std::string>& options = {}) {
        int fds[2];
        if (::pipe(fds) != 0) return false;
        const std::string program = (BuiltProgramFolder() / "vellomir-cli").string();
        std::vector<std::string> args = {program};
        args.insert(args.end(), options.begin(), options.end());
        pid_ = ::fork();
        if (pid_ < 0) return false;
        if (pid_ == 0) {
            ::dup2(fds[1], STDOUT_FILENO);
            ::dup2(fds[1], STDERR_FILENO);
            ::close(fds[0]);
            ::close(fds[1]);
            ::setenv("VELLOMIR_SIMULATE", simulate.c_str(), 1);
            std::vector<char*> argv;
            for (std::string& arg : args)
                argv.push_back(arg.data());
            argv.push_back(nullptr);
            ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(fds[1]);
        output_ = fds[0];
        return true;
    }

    // Reads until `text` has appeared in the output or the output ends; false when neither happened
    // within `limit` or the text never came.
    bool ReadUntil(const std::string& text, std::chrono::milliseconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (output.find(text) == std::string::npos) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            if (left <= 0ms) return false;
            pollfd descriptor{output_, POLLIN, 0};
            if (::poll(&descriptor, 1, static_cast<int>(left.count())) <= 0) return false;
            char buffer[4096];
            const ssize_t got = ::read(output_, buffer, sizeof buffer);
            if (got <= 0) return false;
            output.append(buffer, static_cast<std::size_t>(got));
        }
        return true;
    }

    void Signal(int number) { ::kill(pid_, number); }

    // Reads the rest of the output and returns the exit code (-1 when it did not exit normally).
    int Finish(std::chrono::milliseconds limit = 30s) {
        ReadUntil(std::string(1, '\0'), limit);  // the text never comes: reads to the end
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string output;

private:
    pid_t pid_ = -1;
    int output_ = -1;
};

TEST(CliTest, StartUpScanOnTheSimulatedArcPrintsWhatTheWindowShows) {
    CliProcess cli;
    ASSERT_TRUE(cli.Start("arc"));
    ASSERT_EQ(cli.Finish(), 0) << cli.output;

    const std::string& out = cli.output;
    // The simulated Arc's factory settings, read back into the first of the four new profiles.
    for (const char* line :
         {"Title: Wired", "  Vellomir Arc: cable, on line, version 1.03",
          "Profiles: Profile 1, Profile 2, Profile 3, Profile 4", "Current profile: Profile 1",
          "DPI stages: 4 (dpi_count), active stage 1 (dpi_index)", "  stage 0: 400 DPI",
          "  stage 1: 800 DPI  <- active", "  stage 3: 3200 DPI", "Report rate: 1000Hz"}) {
        EXPECT_NE(out.find(line), std::string::npos) << "missing \"" << line << "\" in:\n" << out;
    }
    EXPECT_EQ(out.find("  stage 4:"), std::string::npos) << out;
    EXPECT_NE(out.find("  Vellomir Drift: not present"), std::string::npos) << out;
}

TEST(CliTest, WithoutASupportedDeviceItPrintsTheNoDeviceTitle) {
    CliProcess cli;
    ASSERT_TRUE(cli.Start("cable:1234:5678:ZZZZ"));
    ASSERT_EQ(cli.Finish(), 0) << cli.output;
    EXPECT_NE(cli.output.find("Title: Not connected"), std::string::npos) << cli.output;
    EXPECT_EQ(cli.output.find("Current profile"), std::string::npos) << cli.output;
}

TEST(CliTest, WatchRunsUntilSigtermAndThenStopsTheWorker) {
    CliProcess cli;
    ASSERT_TRUE(cli.Start("arc", {"--watch"}));
    ASSERT_TRUE(cli.ReadUntil("Ctrl-C ends.", 30s)) << cli.output;
    cli.Signal(SIGTERM);
    EXPECT_EQ(cli.Finish(), 0) << cli.output;
    EXPECT_NE(cli.output.find("Stopping (SIGTERM)."), std::string::npos) << cli.output;
}

}  // namespace
}  // namespace vellomir::test
