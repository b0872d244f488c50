#pragma once
// Unpacking a zip archive into a folder.

#include <cstdint>
#include <filesystem>

namespace vellomir {

// Size of one inflate block.
inline constexpr std::size_t kUnzipBlockBytes = 16384;
// Entries announcing more than this are not unpacked: update archives hold small files.
inline constexpr std::uint64_t kMaxUnzipEntryBytes = std::uint64_t{1} << 30;

// Unpacks every entry of the archive below `folder`, in directory order. Entry names are made safe
// with SafeEntryPath, so nothing is ever written outside the folder; folders are created as needed
// and existing files are replaced. A file appears under its name only once it was inflated whole and
// its checksum matched; its permissions and times come from the entry. Entries that fail (broken
// data, a size other than announced, links and other special files, names that cannot be used) are
// skipped and the others still unpacked. Returns false only when the archive cannot be opened.
bool UnzipToFolder(const std::filesystem::path& archive, const std::filesystem::path& folder);

}  // namespace vellomir
