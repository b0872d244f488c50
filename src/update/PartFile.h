#pragma once
// A file that is written under a hidden temporary name beside its final place and only appears under
// the final name once it is complete. Dropping it without Commit() removes what was written, so a
// failed or cancelled write never leaves a partial file under the final name.

#include <sys/types.h>

#include <cstddef>
#include <filesystem>

namespace vellomir {

class PartFile {
public:
    PartFile() = default;
    ~PartFile();
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    // Creates the temporary file in the folder of finalPath. False when it cannot be created.
    bool Create(const std::filesystem::path& finalPath);
    bool IsOpen() const { return fd_ >= 0; }
    int Descriptor() const { return fd_; }

    // Writes all bytes; false on any failure (full disk, file size limit).
    bool Write(const void* data, std::size_t size);

    // Sets the permission bits of the finished file (the process umask is applied).
    void SetMode(mode_t mode);

    // Closes the file and renames it to the final name, replacing a file (or link) of that name.
    // False when closing or renaming fails; the temporary file is removed then.
    bool Commit();

    // Closes and removes the temporary file.
    void Discard();

private:
    int fd_ = -1;
    std::filesystem::path final_;
    std::filesystem::path temp_;
};

// The process umask, read without changing it.
mode_t CurrentUmask();

}  // namespace vellomir
