#include "common/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <string>

namespace vellomir {

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    // One read sized to the file; the loop below only runs for files that grow while being read or
    // that report no size (pipes).
    std::string data;
    std::error_code ec;
    auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > 0) {
        if (size > maxBytes) return std::nullopt;
        data.resize(static_cast<std::size_t>(size));
        in.read(data.data(), static_cast<std::streamsize>(size));
        data.resize(static_cast<std::size_t>(in.gcount()));
        if (in.bad()) return std::nullopt;
        if (!in) return data;  // end of file reached
    }
    char buffer[65536];
    while (in) {
        in.read(buffer, sizeof buffer);
        std::streamsize got = in.gcount();
        if (got <= 0) break;
        if (data.size() + static_cast<std::size_t>(got) > maxBytes) return std::nullopt;
        data.append(buffer, static_cast<std::size_t>(got));
    }
    if (in.bad()) return std::nullopt;
    return data;
}

namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::path folder = path.parent_path();
    if (folder.empty()) folder = ".";
    std::string pattern = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(pattern.data());
    if (fd < 0) return false;
    // Keep the permissions of the file being replaced; new files get the usual 0644 (less umask).
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        ::fchmod(fd, st.st_mode & 07777);
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok && ::rename(pattern.c_str(), path.c_str()) == 0) return true;
    ::unlink(pattern.c_str());
    return false;
}

}  // namespace vellomir
