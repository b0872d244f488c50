#pragma once
// Turning the stored name of an archive entry into a path below the folder it is unpacked into.

#include <string>
#include <string_view>

namespace vellomir {

// Repeatedly drops a leading drive ("C:"), a leading '\' or '/', and everything up to and including
// the first parent-folder step between separators ("\..\", "\../", "/../", "/..\"); then drops every
// remaining empty, "." or ".." part, so the result can never climb out of the folder. Parts are
// joined with '/'. Empty when nothing is left.
std::string SafeEntryPath(std::string_view name);

// True when the stored name marks a folder (it ends with '\' or '/').
bool IsFolderEntryName(std::string_view name);

}  // namespace vellomir
