#include "update/UpdateFiles.h"

#include <system_error>

namespace vellomir {

namespace fs = std::filesystem;

fs::path DownloadFolderFile(const fs::path& folder, const std::string& name) {
    if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos ||
        name.find('\0') != std::string::npos) {
        return {};
    }
    return folder / name;
}

bool IsPlainFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(fs::symlink_status(path, ec));
}

void PrepareDownload(const fs::path& folder, const fs::path& path) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    fs::remove(path, ec);
}

}  // namespace vellomir
