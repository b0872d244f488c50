#include "update/UpdateAddresses.h"

namespace vellomir {

std::string SoftwareVersionAddress(const std::string& updateFolder) {
    return updateFolder + "version";
}

std::string SoftwareArchiveName(const std::string& version) {
    return "Mouse-Setup-" + version + ".zip";
}

std::string SoftwareArchiveAddress(const std::string& updateFolder, const std::string& version) {
    return updateFolder + "//" + SoftwareArchiveName(version);
}

std::string SetupProgramName(const std::string& version) {
    return "Mouse-Setup-" + version + ".run";
}

std::string FirmwareVersionAddress(const std::string& firmwareLocation) {
    return firmwareLocation + "/mouse/version";
}

std::string FirmwareArchiveName(const std::string& version) {
    return "firmware-" + version + ".zip";
}

std::string FirmwareArchiveAddress(const std::string& firmwareLocation, const std::string& version) {
    return firmwareLocation + "//mouse//" + FirmwareArchiveName(version);
}

std::string FirmwareImageName(const std::string& version) {
    return "firmware     -" + version + ".bin";
}

}  // namespace vellomir
