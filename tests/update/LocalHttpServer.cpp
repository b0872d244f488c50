#include "LocalHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>

#include "common/Text.h"

namespace vellomir::test {

LocalHttpServer* WithLocalServer::server_ = nullptr;

bool LocalHttpServer::Start() {
    // Proxies from the environment must not see the tests' local traffic.
    ::setenv("no_proxy", "127.0.0.1,localhost", 1);
    ::setenv("NO_PROXY", "127.0.0.1,localhost", 1);
    std::filesystem::create_directories(Root());
    ClearLog();
    std::string script = (FixturesFolder() / "update" / "http_server.py").string();
    if (!process_.Start({"python3", script, Root().string(), (root_.path() / "requests.log").string()})) {
        return false;
    }
    std::optional<std::string> line = process_.ReadLine(std::chrono::seconds(20));
    port_ = line ? ReadDecimal(*line) : 0;
    return port_ > 0;
}

std::string LocalHttpServer::Url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

std::vector<std::string> LocalHttpServer::RequestedPaths() const {
    std::vector<std::string> paths;
    std::ifstream log(root_.path() / "requests.log");
    for (std::string line; std::getline(log, line);)
        paths.push_back(line);
    return paths;
}

void LocalHttpServer::ClearLog() const {
    std::ofstream(root_.path() / "requests.log", std::ios::trunc);
}

int UnusedLocalPort() {
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

}  // namespace vellomir::test
