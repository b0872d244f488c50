#include "ZipWriter.h"

#include <minizip/zip.h>
#include <zlib.h>

namespace vellomir::test {

namespace {

// Raw deflate (no zlib header), as zip entries hold it.
std::string Deflate(const std::string& data) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return {};
    std::string out(deflateBound(&stream, data.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

bool AddEntry(zipFile zip, const ZipEntrySpec& entry) {
    zip_fileinfo info{};
    info.dosDate = entry.dosDate;
    info.tmz_date = {0, 0, 12, 1, 0, 2020};
    info.external_fa = entry.dosAttributes | (entry.unixMode ? (*entry.unixMode << 16) : 0);
    const uLong madeBy = (entry.unixMode ? 3u << 8 : 0u) | 20u;
    const bool raw = entry.claimedSize.has_value();
    if (zipOpenNewFileInZip4_64(zip, entry.name.c_str(), &info, entry.localExtra.data(),
                                static_cast<uInt>(entry.localExtra.size()), entry.centralExtra.data(),
                                static_cast<uInt>(entry.centralExtra.size()), nullptr, Z_DEFLATED,
                                Z_BEST_COMPRESSION, raw ? 1 : 0, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY, nullptr,
                                0, madeBy, 0, 0) != ZIP_OK) {
        return false;
    }
    const std::string bytes = raw ? Deflate(entry.data) : entry.data;
    if (zipWriteInFileInZip(zip, bytes.data(), static_cast<unsigned>(bytes.size())) != ZIP_OK) return false;
    if (!raw) return zipCloseFileInZip(zip) == ZIP_OK;
    uLong crc =
        crc32(0L, reinterpret_cast<const Bytef*>(entry.data.data()), static_cast<uInt>(entry.data.size()));
    return zipCloseFileInZipRaw64(zip, *entry.claimedSize, crc) == ZIP_OK;
}

}  // namespace

bool WriteZip(const std::filesystem::path& archive, const std::vector<ZipEntrySpec>& entries) {
    zipFile zip = zipOpen64(archive.c_str(), APPEND_STATUS_CREATE);
    if (zip == nullptr) return false;
    bool ok = true;
    for (const ZipEntrySpec& entry : entries)
        ok = AddEntry(zip, entry) && ok;
    return zipClose(zip, nullptr) == ZIP_OK && ok;
}

}  // namespace vellomir::test
