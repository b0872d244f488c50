#pragma once
// Whole-file reads and all-or-nothing writes of user files.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vellomir {

// Reads a whole file. Nothing when it cannot be opened or read, or when it is larger than maxBytes.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path,
                                         std::size_t maxBytes = std::size_t{256} << 20);

// Writes a file all or nothing: the bytes go to a temporary file in the same folder, are flushed to
// disk, and the temporary file then replaces the target by rename. A failure (full disk, no rights)
// leaves any earlier file untouched and no temporary file behind. Returns false on failure.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace vellomir
