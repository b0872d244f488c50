#include "update/HttpTransfer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "LocalHttpServer.h"
#include "common/FileIo.h"

namespace vellomir {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

class HttpTransferTest : public test::WithLocalServer {
protected:
    static std::string Pattern(std::size_t size) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>((i * 131 + i / 251) & 0xFF);
        return bytes;
    }
    // Names in the folder besides `except`: a transfer must leave no temporary files behind.
    static std::vector<std::string> OtherFiles(const fs::path& folder, const std::string& except) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path().filename() != except) names.push_back(entry.path().filename().string());
        }
        return names;
    }

    test::TempDir folder_;
    HttpTransfer http_;
    std::vector<int> posted_;
    ProgressSink sink_ = [this](int percent) { posted_.push_back(percent); };
};

TEST_F(HttpTransferTest, FetchTextReturnsTheBodyAndSendsTheClientHeaders) {
    server_->Put("version", "1.2.4");
    std::string text;
    EXPECT_EQ(http_.FetchText(server_->Url("/version"), text), kTransferDone);
    EXPECT_EQ(text, "1.2.4");

    ASSERT_EQ(http_.FetchText(server_->Url("/echo-headers"), text), kTransferDone);
    EXPECT_NE(text.find("User-Agent: IIC2.0/PC 5.5.0000\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Accept: */*\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Pragma: no-cache\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Cache-Control: no-cache\n"), std::string::npos) << text;
}

TEST_F(HttpTransferTest, FetchTextTakesAnErrorPageAsTheAnswer) {
    std::string text;
    EXPECT_EQ(http_.FetchText(server_->Url("/missing"), text), kTransferDone);
    EXPECT_NE(text.find("404"), std::string::npos);
}

TEST_F(HttpTransferTest, FetchTextRefusesAnAnswerTooLongForAVersion) {
    server_->Put("huge", std::string(kMaxTextAnswerBytes + 1, '1'));
    std::string text = "old";
    EXPECT_EQ(http_.FetchText(server_->Url("/huge"), text), kTransferFailed);
    EXPECT_EQ(text, "");
}

TEST_F(HttpTransferTest, NoServerFails) {
    const std::string url = "http://127.0.0.1:" + std::to_string(test::UnusedLocalPort()) + "/version";
    std::string text;
    EXPECT_EQ(http_.FetchText(url, text), kTransferFailed);

    folder_.Write("old.zip", "earlier archive");
    EXPECT_EQ(http_.DownloadFile(url, folder_ / "old.zip", sink_), kTransferFailed);
    EXPECT_THAT(posted_, ElementsAre(0, 2));
    // The address never opened, so the earlier file stays.
    EXPECT_EQ(ReadWholeFile(folder_ / "old.zip"), "earlier archive");
}

TEST_F(HttpTransferTest, OnlyWebAddressesAreFetched) {
    folder_.Write("secret", "local file");
    std::string text;
    EXPECT_EQ(http_.FetchText("file://" + (folder_ / "secret").string(), text), kTransferFailed);
    EXPECT_EQ(text, "");
}

TEST_F(HttpTransferTest, SmallDownloadPostsOnlyTheFixedSteps) {
    const std::string bytes = Pattern(5000);
    server_->Put("small.zip", bytes);
    folder_.Write("small.zip", "an older file that is longer than the new one " + std::string(9000, 'o'));
    EXPECT_EQ(http_.DownloadFile(server_->Url("/small.zip"), folder_ / "small.zip", sink_), kTransferDone);
    EXPECT_THAT(posted_, ElementsAre(0, 2, 8, 10, 100));
    EXPECT_EQ(ReadWholeFile(folder_ / "small.zip"), bytes);
    EXPECT_TRUE(OtherFiles(folder_.path(), "small.zip").empty());
}

TEST_F(HttpTransferTest, LargeDownloadPostsRisingValuesPerBlock) {
    const std::string bytes = Pattern(102400);
    server_->Put("large.zip", bytes);
    EXPECT_EQ(http_.DownloadFile(server_->Url("/large.zip"), folder_ / "large.zip", sink_), kTransferDone);
    // Ten blocks of 10,240 bytes, each 9 % of the announced length.
    EXPECT_THAT(posted_, ElementsAre(0, 2, 8, 10, 19, 28, 37, 46, 55, 64, 73, 82, 91, 100));
    EXPECT_EQ(ReadWholeFile(folder_ / "large.zip"), bytes);

    // The same object again starts from 0, and a download without a window posts nothing.
    posted_.clear();
    EXPECT_EQ(http_.DownloadFile(server_->Url("/large.zip"), folder_ / "again.zip", sink_), kTransferDone);
    EXPECT_EQ(posted_.front(), 0);
    EXPECT_EQ(http_.DownloadFile(server_->Url("/large.zip"), folder_ / "quiet.zip", nullptr), kTransferDone);
    EXPECT_EQ(ReadWholeFile(folder_ / "quiet.zip"), bytes);
}

TEST(DownloadPercent, RisesFromTenAndNeverPassesAHundred) {
    EXPECT_EQ(DownloadPercent(5000, 5000), -1);  // below one block: no rising values
    EXPECT_EQ(DownloadPercent(0, 10240), 10);
    EXPECT_EQ(DownloadPercent(10240, 10240), 100);
    EXPECT_EQ(DownloadPercent(51200, 102400), 55);
    EXPECT_EQ(DownloadPercent(300000, 102400), 100);  // more than announced
    EXPECT_EQ(DownloadPercent(std::uint64_t{1} << 40, std::uint64_t{1} << 40), 100);
}

TEST_F(HttpTransferTest, ErrorPageIsStoredLikeAnyAnswer) {
    EXPECT_EQ(http_.DownloadFile(server_->Url("/no-such.zip"), folder_ / "page.zip", sink_), kTransferDone);
    auto page = ReadWholeFile(folder_ / "page.zip");
    ASSERT_TRUE(page.has_value());
    EXPECT_NE(page->find("404"), std::string::npos);
}

TEST_F(HttpTransferTest, CancelFromAnotherThreadStopsAStalledDownloadAndLeavesNoFile) {
    std::atomic<int> lastPercent{-1};
    ProgressSink sink = [&](int percent) { lastPercent.store(percent); };
    folder_.Write("stalled.zip", "earlier archive");
    TransferResult result = kTransferDone;
    std::thread worker(
        [&] { result = http_.DownloadFile(server_->Url("/stall/20480"), folder_ / "stalled.zip", sink); });
    // The server sends half of what it announced, then nothing; wait until both blocks arrived.
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (lastPercent.load() < 55 && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(lastPercent.load(), 55);
    auto cancelled = std::chrono::steady_clock::now();
    http_.CancelTransfer();
    worker.join();
    EXPECT_LT(std::chrono::steady_clock::now() - cancelled, std::chrono::seconds(5));
    EXPECT_EQ(result, kTransferCancelled);
    EXPECT_EQ(lastPercent.load(), 100);
    EXPECT_FALSE(fs::exists(folder_ / "stalled.zip"));
    EXPECT_TRUE(OtherFiles(folder_.path(), "").empty());
}

TEST_F(HttpTransferTest, AFileThatCannotBeWrittenWholeFailsAndLeavesNothing) {
    server_->Put("big.zip", Pattern(102400));
    // Let writes beyond 30,000 bytes fail (EFBIG) instead of killing the process.
    struct sigaction ignore {};
    struct sigaction previous {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignore, &previous);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited = saved;
    limited.rlim_cur = 30000;
    ::setrlimit(RLIMIT_FSIZE, &limited);
    TransferResult result = http_.DownloadFile(server_->Url("/big.zip"), folder_ / "big.zip", sink_);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::sigaction(SIGXFSZ, &previous, nullptr);

    EXPECT_EQ(result, kTransferFailed);
    EXPECT_TRUE(OtherFiles(folder_.path(), "").empty());
    EXPECT_NE(posted_.back(), 100);
}

TEST_F(HttpTransferTest, AFolderThatCannotTakeTheFileFails) {
    server_->Put("small.zip", "data");
    EXPECT_EQ(http_.DownloadFile(server_->Url("/small.zip"), folder_ / "missing" / "small.zip", sink_),
              kTransferFailed);
    EXPECT_THAT(posted_, ElementsAre(0, 2, 8));
}

}  // namespace
}  // namespace vellomir
