#pragma once
// Test helpers: a temporary folder removed at the end of its scope, and the sandbox that every test
// program runs in (all XDG folders and HOME inside one temporary folder).

#include <filesystem>
#include <string>
#include <string_view>

namespace vellomir::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

    // Writes a file below the folder (creating sub-folders) and returns its path.
    std::filesystem::path Write(std::string_view relative, std::string_view bytes) const;

private:
    std::filesystem::path path_;
};

// The sandbox folder of this test program: $HOME, $XDG_CONFIG_HOME, $XDG_DATA_HOME,
// $XDG_CACHE_HOME and $XDG_RUNTIME_DIR all point below it for the whole run.
const std::filesystem::path& SandboxRoot();

// The folder of the built programs, holding the shipped data (config.xml, device/, language/).
std::filesystem::path BuiltProgramFolder();
// tests/fixtures in the source tree.
std::filesystem::path FixturesFolder();

}  // namespace vellomir::test
