#include "TempDir.h"

#include <stdlib.h>

#include <fstream>
#include <stdexcept>

namespace vellomir::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vellomir-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    // Tests may leave read-only folders behind; make them writable so the removal succeeds.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    }
    std::filesystem::remove_all(path_, ec);
}

std::filesystem::path TempDir::Write(std::string_view relative, std::string_view bytes) const {
    std::filesystem::path file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
}

std::filesystem::path BuiltProgramFolder() {
    return VELLOMIR_BIN_DIR;
}
std::filesystem::path FixturesFolder() {
    return VELLOMIR_FIXTURES_DIR;
}

}  // namespace vellomir::test
