#pragma once
// The folders the program works with. All of them follow the XDG base directory variables, so a
// test (or a user) can move every file the program writes by setting XDG_CONFIG_HOME / XDG_DATA_HOME.

#include <filesystem>
#include <string>
#include <string_view>

namespace vellomir {

// The full path of the running executable; empty when it cannot be found.
std::filesystem::path GetExecutablePath();

// The program folder: the folder holding config.xml, the device descriptions, the language files and
// the skins. That is the executable's own folder when config.xml lies there (build tree, portable
// install), else <exe folder>/../share/vellomir/ when config.xml lies there, else the executable's
// folder. Always ends with a separator.
std::filesystem::path GetProgramFolder();
// The same decision for a given executable path (pure apart from looking for config.xml).
std::filesystem::path ProgramFolderFor(const std::filesystem::path& executable);

// An XDG base folder: the variable when it holds an absolute path, else
// $HOME/<fallback>. For example XdgFolder("XDG_DATA_HOME", ".local/share").
std::filesystem::path XdgFolder(const char* variable, std::string_view homeFallback);

// The device name made safe as one path component: separators and control characters become '_',
// and an empty name, "." or ".." becomes the default program name.
std::string FolderSafeName(std::string_view deviceName);

// The user data folder: $XDG_DATA_HOME/<device name> Files/ (holds db/ and temp/); ends with a
// separator. The device name is the one of AppIdentity.
std::filesystem::path GetUserDataFolder();
// The folder of the settings file: $XDG_CONFIG_HOME/<device name>/.
std::filesystem::path GetSettingsFolder();
// The settings file: $XDG_CONFIG_HOME/<device name>/settings.conf.
std::filesystem::path GetSettingsFile();
// The autostart entry: $XDG_CONFIG_HOME/autostart/<device name>.desktop.
std::filesystem::path GetAutostartFile();

// Creates the folder and every missing folder above it. True when the folder exists afterwards
// (also when it existed before); false when it cannot be made or a file stands in its way.
bool EnsureFolder(const std::filesystem::path& folder);

}  // namespace vellomir
