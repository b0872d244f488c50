// main() of every test program: before any test runs, HOME and every XDG folder are pointed into a
// fresh temporary sandbox, so no test can read or write the real user's files.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "TempDir.h"

namespace vellomir::test {

namespace {
std::filesystem::path g_sandbox;
}

const std::filesystem::path& SandboxRoot() {
    return g_sandbox;
}

}  // namespace vellomir::test

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "vellomir-sandbox-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return 2;
    vellomir::test::g_sandbox = pattern;
    const fs::path root = pattern;
    const std::pair<const char*, const char*> folders[] = {{"HOME", "home"},
                                                           {"XDG_CONFIG_HOME", "config"},
                                                           {"XDG_DATA_HOME", "data"},
                                                           {"XDG_CACHE_HOME", "cache"},
                                                           {"XDG_RUNTIME_DIR", "runtime"}};
    for (const auto& [name, sub] : folders) {
        fs::create_directories(root / sub);
        ::setenv(name, (root / sub).c_str(), 1);
    }
    fs::permissions(root / "runtime", fs::perms::owner_all, fs::perm_options::replace);
    ::unsetenv("VELLOMIR_SIMULATE");

    testing::InitGoogleTest(&argc, argv);
    int rc = RUN_ALL_TESTS();

    std::error_code ec;
    fs::remove_all(root, ec);
    return rc;
}
