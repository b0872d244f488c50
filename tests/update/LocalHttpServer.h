#pragma once
// The tests' HTTP server: tests/fixtures/update/http_server.py run by python3, bound to 127.0.0.1 on a
// free port, serving the files of a temporary folder and logging every requested path.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "TempDir.h"
#include "TestProcess.h"

namespace vellomir::test {

class LocalHttpServer {
public:
    // Starts the server; false when it did not report its port in time.
    bool Start();
    void Stop() { process_.Stop(); }

    // "http://127.0.0.1:<port>" followed by `path`.
    std::string Url(std::string_view path) const;
    // Places a file to be served (the relative path may hold folders).
    void Put(std::string_view relative, std::string_view bytes) const {
        root_.Write("www/" + std::string(relative), bytes);
    }
    std::filesystem::path Root() const { return root_.path() / "www"; }

    // Paths requested since the last ClearLog.
    std::vector<std::string> RequestedPaths() const;
    void ClearLog() const;

private:
    TempDir root_;
    ChildProcess process_;
    int port_ = 0;
};

// Base of the test suites that talk to the server: one server per suite, started before its first
// test and stopped after its last.
class WithLocalServer : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        server_ = new LocalHttpServer;
        ASSERT_TRUE(server_->Start());
    }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }
    void SetUp() override { server_->ClearLog(); }

    static LocalHttpServer* server_;
};

// A port of 127.0.0.1 on which nothing listens.
int UnusedLocalPort();

}  // namespace vellomir::test
