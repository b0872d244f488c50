#pragma once
// Files of the download folder used by the update jobs.

#include <filesystem>
#include <string>

namespace vellomir {

// The path of `name` in the download folder, only when `name` is a plain file name (no separator, not
// "." or ".."); empty otherwise.
std::filesystem::path DownloadFolderFile(const std::filesystem::path& folder, const std::string& name);

// True when `path` is a regular file itself (not a link to one).
bool IsPlainFile(const std::filesystem::path& path);

// Makes sure the folder exists and removes an old file at `path`.
void PrepareDownload(const std::filesystem::path& folder, const std::filesystem::path& path);

}  // namespace vellomir
