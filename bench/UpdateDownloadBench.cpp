// Downloads a 20 MB archive from a local HTTP server (python3 -m http.server on 127.0.0.1) with
// HttpTransfer::DownloadFile and with the curl command in the same run, and prints both speeds and
// their ratio (curl time / our time; 1.0 means as fast).

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "update/HttpTransfer.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kArchiveBytes = 20u << 20;
constexpr int kRounds = 5;

int FreeLocalPort() {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0) {
        port = ntohs(address.sin_port);
    }
    ::close(fd);
    return port;
}

bool Accepts(int port) {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}

// Starts a program found in PATH; its standard output goes to `output` (or nowhere), errors nowhere.
pid_t Spawn(const std::vector<std::string>& argv, const std::string& output = "/dev/null") {
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

int Wait(pid_t pid) {
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

}  // namespace

int main() {
    ::setenv("no_proxy", "127.0.0.1", 1);
    char pattern[] = "/tmp/vellomir-bench-update-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) return 1;
    const fs::path folder = pattern;
    fs::create_directories(folder / "www");
    {
        std::mt19937_64 random(42);
        std::vector<std::uint64_t> words(kArchiveBytes / 8);
        for (auto& w : words)
            w = random();
        std::ofstream(folder / "www" / "Mouse-Setup-9.9.9.zip", std::ios::binary)
            .write(reinterpret_cast<const char*>(words.data()), static_cast<std::streamsize>(kArchiveBytes));
    }

    const int port = FreeLocalPort();
    const pid_t server = Spawn({"python3", "-m", "http.server", "--bind", "127.0.0.1", "--directory",
                                (folder / "www").string(), std::to_string(port)});
    const auto until = Clock::now() + std::chrono::seconds(20);
    while (server > 0 && !Accepts(port) && Clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    int rc = 0;
    if (server <= 0 || !Accepts(port)) {
        std::fprintf(stderr, "bench_update: the local server did not start\n");
        rc = 1;
    }

    const std::string url = "http://127.0.0.1:" + std::to_string(port) + "/Mouse-Setup-9.9.9.zip";
    std::vector<double> ours;
    std::vector<double> theirs;
    std::vector<double> theirsInside;  // curl's own time_total, without its process start
    vellomir::HttpTransfer http;
    int posts = 0;
    for (int round = 0; rc == 0 && round < kRounds; ++round) {
        const fs::path ourFile = folder / "ours.zip";
        auto start = Clock::now();
        if (http.DownloadFile(url, ourFile, [&](int) { ++posts; }) != vellomir::kTransferDone ||
            fs::file_size(ourFile) != kArchiveBytes) {
            std::fprintf(stderr, "bench_update: DownloadFile failed\n");
            rc = 1;
            break;
        }
        ours.push_back(Seconds(Clock::now() - start));

        const fs::path curlFile = folder / "curl.zip";
        start = Clock::now();
        const fs::path timing = folder / "curl-time.txt";
        pid_t curl =
            Spawn({"curl", "-s", "-o", curlFile.string(), "-w", "%{time_total}", url}, timing.string());
        if (curl <= 0 || Wait(curl) != 0 || fs::file_size(curlFile) != kArchiveBytes) {
            std::fprintf(stderr, "bench_update: the curl command failed\n");
            rc = 1;
            break;
        }
        theirs.push_back(Seconds(Clock::now() - start));
        double inside = 0;
        std::ifstream(timing) >> inside;
        theirsInside.push_back(inside);
    }

    if (rc == 0) {
        // The best round of each: the least disturbed by the other work on the machine.
        const double ourBest = *std::min_element(ours.begin(), ours.end());
        const double curlBest = *std::min_element(theirs.begin(), theirs.end());
        const double mb = static_cast<double>(kArchiveBytes) / 1e6;
        std::printf("20 MiB archive from python3 http.server on 127.0.0.1, best of %d rounds\n", kRounds);
        std::printf("DownloadFile (10,240-byte blocks, progress posted): %.1f MB/s (%.3f s)\n", mb / ourBest,
                    ourBest);
        std::printf("curl command (process start included):              %.1f MB/s (%.3f s)\n", mb / curlBest,
                    curlBest);
        const double curlInside = *std::min_element(theirsInside.begin(), theirsInside.end());
        std::printf("curl's own transfer time (time_total):             %.1f MB/s (%.3f s)\n",
                    mb / curlInside, curlInside);
        std::printf(
            "ratio DownloadFile/curl speed: %.2f (command), %.2f (curl's own time); progress posts per "
            "download: %d\n",
            curlBest / ourBest, curlInside / ourBest, posts / kRounds);
    }

    if (server > 0) {
        ::kill(server, SIGTERM);
        Wait(server);
    }
    std::error_code ec;
    fs::remove_all(folder, ec);
    return rc;
}
