#include "update/UnzipToFolder.h"

#include <minizip/unzip.h>
#include <sys/stat.h>

#include <ctime>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "common/Encoding.h"
#include "common/Text.h"
#include "common/Trace.h"
#include "update/PartFile.h"
#include "update/ZipEntryName.h"
#include "update/ZipExtraField.h"

namespace vellomir {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxNameCharacters = 260;
constexpr unsigned long kFlagEncrypted = 0x0001;
constexpr unsigned long kFlagUtf8Name = 0x0800;
constexpr unsigned long kDosReadOnly = 0x01;
constexpr unsigned long kDosDirectory = 0x10;
constexpr unsigned long kHostUnix = 3;

struct EntryInfo {
    unz_file_info64 info{};
    std::string rawName;
    std::string extra;  // central directory copy of the extra fields
};

std::optional<EntryInfo> ReadEntryInfo(unzFile zip) {
    EntryInfo entry;
    std::vector<char> name(65536);
    std::vector<char> extra(65536);
    if (unzGetCurrentFileInfo64(zip, &entry.info, name.data(), name.size(), extra.data(), extra.size(),
                                nullptr, 0) != UNZ_OK) {
        return std::nullopt;
    }
    entry.rawName.assign(name.data(), std::min<std::size_t>(entry.info.size_filename, name.size()));
    entry.extra.assign(extra.data(), std::min<std::size_t>(entry.info.size_file_extra, extra.size()));
    return entry;
}

// The stored name as UTF-8: names flagged as UTF-8 are taken as they are, the others are in the
// ANSI code page.
std::optional<std::string> DecodeName(const EntryInfo& entry) {
    if (entry.rawName.find('\0') != std::string::npos) return std::nullopt;
    std::string name = ((entry.info.flag & kFlagUtf8Name) != 0 && IsValidUtf8(entry.rawName))
                           ? entry.rawName
                           : AnsiToUtf8(entry.rawName);
    if (CountCodePoints(name) > kMaxNameCharacters) return std::nullopt;
    return name;
}

// The Unix file type and permissions stored by Unix zip tools (0 when absent).
mode_t UnixMode(const EntryInfo& entry) {
    return static_cast<mode_t>((entry.info.external_fa >> 16) & 0xFFFF);
}

bool IsFolderEntry(const EntryInfo& entry, const std::string& name) {
    mode_t type = UnixMode(entry) & S_IFMT;
    return IsFolderEntryName(name) || type == S_IFDIR ||
           (type == 0 && (entry.info.external_fa & kDosDirectory) != 0);
}

// Links, devices, pipes and sockets are never unpacked.
bool IsSpecialEntry(const EntryInfo& entry) {
    mode_t type = UnixMode(entry) & S_IFMT;
    return type != 0 && type != S_IFREG && type != S_IFDIR;
}

mode_t FileMode(const EntryInfo& entry) {
    mode_t mode = 0666;
    if ((entry.info.version >> 8) == kHostUnix && (UnixMode(entry) & 0777) != 0)
        mode = UnixMode(entry) & 0777;
    if ((entry.info.external_fa & kDosReadOnly) != 0) mode &= ~static_cast<mode_t>(0222);
    return mode | S_IRUSR;
}

// Creates the folders of `relative` below `base` (all of them, or all but the last part), never
// passing through a link or a file. Returns the full path, nothing when that is impossible.
std::optional<fs::path> PrepareFolders(const fs::path& base, const std::string& relative, bool lastIsFolder) {
    fs::path rel(relative);
    fs::path current = base;
    std::vector<fs::path> parts(rel.begin(), rel.end());
    for (std::size_t i = 0; i < parts.size(); ++i) {
        current /= parts[i];
        if (i + 1 == parts.size() && !lastIsFolder) break;
        std::error_code ec;
        fs::file_status status = fs::symlink_status(current, ec);
        if (fs::is_symlink(status)) return std::nullopt;
        if (fs::exists(status)) {
            if (!fs::is_directory(status)) return std::nullopt;
            continue;
        }
        if (!fs::create_directory(current, ec) && ec) return std::nullopt;
    }
    return current;
}

timespec ToTimespec(std::int64_t seconds) {
    timespec t{};
    t.tv_sec = static_cast<time_t>(seconds);
    return t;
}

// The modification and access times of an entry: those of a "UT" extra field (the local copy holds
// all the entry's times, the central one only the modification time), else its DOS time.
void ApplyEntryTimes(unzFile zip, const EntryInfo& entry, int fd) {
    std::vector<char> local(65536);
    int localSize = unzGetLocalExtrafield(zip, local.data(), static_cast<unsigned>(local.size()));
    std::optional<UnixEntryTimes> times;
    if (localSize > 0) times = ParseUnixTimeExtraField(std::string_view(local.data(), localSize));
    if (!times) times = ParseUnixTimeExtraField(entry.extra);

    timespec stamps[2] = {};
    if (times && times->modified) {
        stamps[1] = ToTimespec(*times->modified);
        stamps[0] = times->accessed ? ToTimespec(*times->accessed) : stamps[1];
    } else {
        // DOS times are local time.
        std::tm tm{};
        tm.tm_sec = static_cast<int>(entry.info.tmu_date.tm_sec);
        tm.tm_min = static_cast<int>(entry.info.tmu_date.tm_min);
        tm.tm_hour = static_cast<int>(entry.info.tmu_date.tm_hour);
        tm.tm_mday = static_cast<int>(entry.info.tmu_date.tm_mday);
        tm.tm_mon = static_cast<int>(entry.info.tmu_date.tm_mon);
        tm.tm_year = static_cast<int>(entry.info.tmu_date.tm_year) - 1900;
        tm.tm_isdst = -1;
        time_t when = std::mktime(&tm);
        if (when == static_cast<time_t>(-1)) return;
        stamps[0] = stamps[1] = ToTimespec(when);
    }
    ::futimens(fd, stamps);
}

// Inflates the current entry into `target`; the file is replaced only when the entry was read whole,
// with the announced size and a matching checksum.
bool ExtractFile(unzFile zip, const EntryInfo& entry, const fs::path& target) {
    if ((entry.info.flag & kFlagEncrypted) != 0) return false;
    if (entry.info.uncompressed_size > kMaxUnzipEntryBytes) return false;
    std::error_code ec;
    if (fs::is_directory(fs::symlink_status(target, ec))) return false;
    if (unzOpenCurrentFile(zip) != UNZ_OK) return false;

    PartFile out;
    bool ok = out.Create(target);
    std::uint64_t written = 0;
    std::vector<char> block(kUnzipBlockBytes);
    while (ok) {
        int got = unzReadCurrentFile(zip, block.data(), static_cast<unsigned>(block.size()));
        if (got < 0) {
            ok = false;
        } else if (got == 0) {
            break;
        } else {
            written += static_cast<std::uint64_t>(got);
            // The announced size bounds what is written: data beyond it is a broken or hostile entry.
            ok = written <= entry.info.uncompressed_size &&
                 out.Write(block.data(), static_cast<std::size_t>(got));
        }
    }
    if (ok) ApplyEntryTimes(zip, entry, out.Descriptor());
    // The checksum is verified on close once the whole entry was read.
    int closed = unzCloseCurrentFile(zip);
    ok = ok && closed == UNZ_OK && written == entry.info.uncompressed_size;
    if (!ok) return false;
    out.SetMode(FileMode(entry));
    return out.Commit();
}

bool ExtractEntry(unzFile zip, const fs::path& base) {
    std::optional<EntryInfo> entry = ReadEntryInfo(zip);
    if (!entry) return false;
    std::optional<std::string> name = DecodeName(*entry);
    if (!name || IsSpecialEntry(*entry)) return false;
    std::string relative = SafeEntryPath(*name);
    bool folder = IsFolderEntry(*entry, *name);
    if (relative.empty()) return folder;
    std::optional<fs::path> target = PrepareFolders(base, relative, folder);
    if (!target) return false;
    return folder || ExtractFile(zip, *entry, *target);
}

}  // namespace

bool UnzipToFolder(const fs::path& archive, const fs::path& folder) {
    unzFile zip = unzOpen64(archive.c_str());
    if (zip == nullptr) {
        Trace("UnzipToFolder: %s is not a zip archive", archive.c_str());
        return false;
    }
    std::error_code ec;
    fs::create_directories(folder, ec);
    for (int rc = unzGoToFirstFile(zip); rc == UNZ_OK; rc = unzGoToNextFile(zip)) {
        if (!ExtractEntry(zip, folder)) Trace("UnzipToFolder: skipped an entry of %s", archive.c_str());
    }
    unzClose(zip);
    return true;
}

}  // namespace vellomir
