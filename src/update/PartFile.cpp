#include "update/PartFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string>

namespace vellomir {

PartFile::~PartFile() {
    Discard();
}

bool PartFile::Create(const std::filesystem::path& finalPath) {
    Discard();
    std::filesystem::path folder = finalPath.parent_path();
    if (folder.empty()) folder = ".";
    std::string pattern = (folder / ("." + finalPath.filename().string() + ".XXXXXX")).string();
    int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) return false;
    fd_ = fd;
    final_ = finalPath;
    temp_ = pattern;
    SetMode(0666);
    return true;
}

bool PartFile::Write(const void* data, std::size_t size) {
    if (fd_ < 0) return false;
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = ::write(fd_, p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

void PartFile::SetMode(mode_t mode) {
    if (fd_ >= 0) ::fchmod(fd_, mode & 0777 & ~CurrentUmask());
}

bool PartFile::Commit() {
    if (fd_ < 0) return false;
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 || ::rename(temp_.c_str(), final_.c_str()) != 0) {
        ::unlink(temp_.c_str());
        temp_.clear();
        return false;
    }
    temp_.clear();
    return true;
}

void PartFile::Discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
}

mode_t CurrentUmask() {
    // Linux reports the umask in /proc/self/status; calling umask() to read it would briefly change
    // it for every thread of the process.
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8) & 0777);
        }
    }
    return 022;
}

}  // namespace vellomir
