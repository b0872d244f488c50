#include "app/Folders.h"

#include <pwd.h>
#include <stdlib.h>
#include <unistd.h>

#include <system_error>

#include "app/AppIdentity.h"

namespace vellomir {

namespace fs = std::filesystem;

namespace {

fs::path WithTrailingSeparator(fs::path folder) {
    if (!folder.empty() && folder.has_filename()) folder += fs::path::preferred_separator;
    return folder;
}

bool IsFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

fs::path HomeFolder() {
    const char* home = ::getenv("HOME");
    if (home != nullptr && home[0] == '/') return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr) {
        return entry->pw_dir;
    }
    return "/";
}

}  // namespace

fs::path GetExecutablePath() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    return exe;
}

fs::path ProgramFolderFor(const fs::path& executable) {
    fs::path folder = executable.parent_path();
    if (IsFile(folder / "config.xml")) return WithTrailingSeparator(folder);
    fs::path shared = folder.parent_path() / "share" / "vellomir";
    if (IsFile(shared / "config.xml")) return WithTrailingSeparator(shared);
    return WithTrailingSeparator(folder);
}

fs::path GetProgramFolder() {
    // The executable does not move while the program runs, so the answer is worked out once.
    static const fs::path folder = ProgramFolderFor(GetExecutablePath());
    return folder;
}

fs::path XdgFolder(const char* variable, std::string_view homeFallback) {
    const char* value = ::getenv(variable);
    // Relative values are invalid for XDG base folders and are ignored.
    if (value != nullptr && value[0] == '/') return value;
    return HomeFolder() / homeFallback;
}

std::string FolderSafeName(std::string_view deviceName) {
    std::string name;
    name.reserve(deviceName.size());
    for (char c : deviceName) {
        auto u = static_cast<unsigned char>(c);
        name.push_back(c == '/' || c == '\\' || u < 0x20 || u == 0x7F ? '_' : c);
    }
    if (name.empty() || name == "." || name == "..") return AppIdentity::kDefaultDeviceName;
    return name;
}

fs::path GetUserDataFolder() {
    std::string name = FolderSafeName(AppIdentity::Instance().DeviceName()) + " Files";
    return WithTrailingSeparator(XdgFolder("XDG_DATA_HOME", ".local/share") / name);
}

fs::path GetSettingsFolder() {
    return WithTrailingSeparator(XdgFolder("XDG_CONFIG_HOME", ".config") /
                                 FolderSafeName(AppIdentity::Instance().DeviceName()));
}

fs::path GetSettingsFile() {
    return GetSettingsFolder() / "settings.conf";
}

fs::path GetAutostartFile() {
    return XdgFolder("XDG_CONFIG_HOME", ".config") / "autostart" /
           (FolderSafeName(AppIdentity::Instance().DeviceName()) + ".desktop");
}

bool EnsureFolder(const fs::path& folder) {
    std::error_code ec;
    if (fs::is_directory(folder, ec)) return true;
    fs::create_directories(folder, ec);
    return fs::is_directory(folder, ec);
}

}  // namespace vellomir
