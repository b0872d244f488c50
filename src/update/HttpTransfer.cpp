#include "update/HttpTransfer.h"

#include <curl/curl.h>

#include <mutex>
#include <system_error>
#include <utility>

#include "common/Encoding.h"
#include "common/Trace.h"
#include "update/PartFile.h"

namespace vellomir {

namespace {

constexpr const char* kAgentName = "IIC2.0/PC 5.5.0000";
constexpr long kConnectTimeoutSeconds = 30;
// A transfer that delivers nothing for this long has failed.
constexpr long kStallSeconds = 60;

// One request: cuts the answer into blocks of kTransferBlockBytes and hands each to the caller's
// handlers; stops when the running flag is cleared or a handler fails.
class Request {
public:
    using OpenHandler = std::function<bool(CURL*)>;
    using BlockHandler = std::function<bool(const char*, std::size_t)>;

    explicit Request(std::atomic<int>& running) : running_(running) {}
    ~Request() {
        if (headers_ != nullptr) curl_slist_free_all(headers_);
        if (curl_ != nullptr) curl_easy_cleanup(curl_);
    }
    Request(const Request&) = delete;
    Request& operator=(const Request&) = delete;

    // The session: false when no handle can be made.
    bool Create() {
        static std::once_flag once;
        std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
        curl_ = curl_easy_init();
        return curl_ != nullptr;
    }

    // Runs the request. `onOpen` is called once the answer starts (or, for an empty answer, once it
    // ended), `onBlock` for every block.
    TransferResult Run(const std::string& url, OpenHandler onOpen, BlockHandler onBlock) {
        onOpen_ = std::move(onOpen);
        onBlock_ = std::move(onBlock);
        block_.reserve(kTransferBlockBytes);
        headers_ = curl_slist_append(headers_, "Accept: */*");
        headers_ = curl_slist_append(headers_, "Cache-Control: no-cache");
        headers_ = curl_slist_append(headers_, "Pragma: no-cache");

        curl_easy_setopt(curl_, CURLOPT_URL, url.c_str());
        curl_easy_setopt(curl_, CURLOPT_USERAGENT, kAgentName);
        curl_easy_setopt(curl_, CURLOPT_HTTPHEADER, headers_);
        curl_easy_setopt(curl_, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl_, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl_, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(curl_, CURLOPT_MAXREDIRS, 10L);
        curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
        curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
        curl_easy_setopt(curl_, CURLOPT_BUFFERSIZE, static_cast<long>(kTransferBlockBytes));
        curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, &Request::OnData);
        curl_easy_setopt(curl_, CURLOPT_WRITEDATA, this);
        // The progress callback also runs while the server sends nothing, so a cancel is seen then.
        curl_easy_setopt(curl_, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(curl_, CURLOPT_XFERINFOFUNCTION, &Request::OnProgress);
        curl_easy_setopt(curl_, CURLOPT_XFERINFODATA, this);

        CURLcode rc = curl_easy_perform(curl_);
        if (rc != CURLE_OK) {
            if (cancelled_) return kTransferCancelled;
            Trace("HTTP transfer of %s failed: %s", url.c_str(), curl_easy_strerror(rc));
            return kTransferFailed;
        }
        if (!Open() || !FlushBlock()) return kTransferFailed;
        return running_.load() != 0 ? kTransferDone : kTransferCancelled;
    }

private:
    bool Open() {
        if (opened_) return true;
        opened_ = true;
        return onOpen_(curl_);
    }

    bool FlushBlock() {
        if (block_.empty()) return true;
        bool ok = onBlock_(block_.data(), block_.size());
        block_.clear();
        return ok;
    }

    static std::size_t OnData(char* data, std::size_t size, std::size_t count, void* user) {
        auto* self = static_cast<Request*>(user);
        std::size_t bytes = size * count;
        if (self->running_.load() == 0) {
            self->cancelled_ = true;
            return 0;
        }
        if (!self->Open()) return 0;
        std::size_t used = 0;
        while (used < bytes) {
            std::size_t take = std::min(bytes - used, kTransferBlockBytes - self->block_.size());
            self->block_.append(data + used, take);
            used += take;
            if (self->block_.size() == kTransferBlockBytes) {
                if (!self->FlushBlock()) return 0;
                if (self->running_.load() == 0) {
                    self->cancelled_ = true;
                    return 0;
                }
            }
        }
        return bytes;
    }

    static int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
        auto* self = static_cast<Request*>(user);
        if (self->running_.load() != 0) return 0;
        self->cancelled_ = true;
        return 1;
    }

    std::atomic<int>& running_;
    CURL* curl_ = nullptr;
    curl_slist* headers_ = nullptr;
    OpenHandler onOpen_;
    BlockHandler onBlock_;
    std::string block_;
    bool opened_ = false;
    bool cancelled_ = false;
};

}  // namespace

int DownloadPercent(std::uint64_t received, std::uint64_t announced) {
    if (announced < kTransferBlockBytes) return -1;
    std::uint64_t percent = 10 + 90 * received / announced;
    return percent > 100 ? 100 : static_cast<int>(percent);
}

TransferResult HttpTransfer::FetchText(const std::string& url, std::string& text) {
    text.clear();
    running_.store(1);
    Request request(running_);
    if (!request.Create()) return kTransferNoHandle;
    std::string bytes;
    TransferResult result = request.Run(
        url, [](CURL*) { return true; },
        [&bytes](const char* data, std::size_t size) {
            if (bytes.size() + size > kMaxTextAnswerBytes) return false;
            bytes.append(data, size);
            return true;
        });
    if (result == kTransferFailed) return result;
    text = AnsiToUtf8(bytes);
    return result;
}

TransferResult HttpTransfer::DownloadFile(const std::string& url, const std::filesystem::path& file,
                                          const ProgressSink& progress) {
    running_.store(1);
    Post(progress, 0);
    Request request(running_);
    if (!request.Create()) return kTransferNoHandle;
    Post(progress, 2);

    PartFile out;
    std::uint64_t announced = 0;
    std::uint64_t received = 0;
    bool writeFailed = false;
    auto onOpen = [&](CURL* curl) {
        Post(progress, 8);
        std::error_code ec;
        std::filesystem::remove(file, ec);
        if (!out.Create(file)) {
            Trace("DownloadFile: cannot create %s", file.c_str());
            return false;
        }
        curl_off_t length = -1;
        if (curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK && length > 0) {
            announced = static_cast<std::uint64_t>(length);
        }
        Post(progress, 10);
        return true;
    };
    auto onBlock = [&](const char* data, std::size_t size) {
        if (!out.Write(data, size)) {
            // A file with a hole in it is worse than none: the download fails.
            writeFailed = true;
            return false;
        }
        received += size;
        int percent = DownloadPercent(received, announced);
        if (percent >= 0) Post(progress, percent);
        return true;
    };
    TransferResult result = request.Run(url, onOpen, onBlock);
    if (writeFailed) Trace("DownloadFile: writing %s failed", file.c_str());
    if (result == kTransferFailed) return result;
    if (result == kTransferDone && !out.Commit()) return kTransferFailed;
    Post(progress, 100);
    return result;
}

void HttpTransfer::Post(const ProgressSink& progress, int percent) {
    if (!progress || percent == lastPosted_) return;
    lastPosted_ = percent;
    progress(percent);
}

}  // namespace vellomir
