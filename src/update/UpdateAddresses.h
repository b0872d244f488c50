#pragma once
// Where the update server keeps the version texts and archives, and the names of the files the
// archives hold. Folders and locations are joined exactly as configured, without adding or removing
// separators.

#include <string>

namespace vellomir {

std::string SoftwareVersionAddress(const std::string& updateFolder);
std::string SoftwareArchiveName(const std::string& version);
std::string SoftwareArchiveAddress(const std::string& updateFolder, const std::string& version);
// The setup program inside the software archive.
std::string SetupProgramName(const std::string& version);

std::string FirmwareVersionAddress(const std::string& firmwareLocation);
std::string FirmwareArchiveName(const std::string& version);
std::string FirmwareArchiveAddress(const std::string& firmwareLocation, const std::string& version);
// The firmware image inside the firmware archive: five spaces before the hyphen.
std::string FirmwareImageName(const std::string& version);

}  // namespace vellomir
