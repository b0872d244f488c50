#pragma once
// The update client's HTTP transfers: fetching a short text (a version) and downloading a file in
// blocks. Both block the calling thread (the device worker); CancelTransfer may be called from any
// thread and stops the running transfer after its current block.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace vellomir {

// Result codes of FetchText and DownloadFile.
enum TransferResult : int {
    kTransferNoHandle = 0,    // no HTTP session could be created
    kTransferDone = 1,        // the whole answer was read
    kTransferFailed = -1,     // the address did not open, or reading or storing failed
    kTransferCancelled = -2,  // CancelTransfer stopped it
};

// Receives the download progress in percent (the main window's message 1694).
using ProgressSink = std::function<void(int percent)>;

// Size of one transfer block.
inline constexpr std::size_t kTransferBlockBytes = 10240;
// A text answer longer than this is not a version text; the fetch fails instead of filling memory.
inline constexpr std::size_t kMaxTextAnswerBytes = 64 * 1024;

// Progress after `received` bytes of an answer announced as `announced` bytes long: 10 plus 90 times
// the share received, never above 100. -1 when the announced length is below one block (no rising
// values are shown then).
int DownloadPercent(std::uint64_t received, std::uint64_t announced);

class HttpTransfer {
public:
    // Reads the whole answer at `url` (any status; an error page is an answer too) and returns it
    // converted from the ANSI code page.
    TransferResult FetchText(const std::string& url, std::string& text);

    // Stores the answer at `url` in `file`. An existing file of that name is deleted once the address
    // opened; the new one appears under its name only when the download completed, so a failed or
    // cancelled download leaves no file there. Progress goes to `progress` (may be empty) and only
    // when it changes: 0, 2, 8, 10, the rising values, 100.
    TransferResult DownloadFile(const std::string& url, const std::filesystem::path& file,
                                const ProgressSink& progress);

    // Clears the running flag of the current transfer.
    void CancelTransfer() { running_.store(0); }

private:
    void Post(const ProgressSink& progress, int percent);

    std::atomic<int> running_{0};
    int lastPosted_ = -1;  // nothing posted yet
};

}  // namespace vellomir
