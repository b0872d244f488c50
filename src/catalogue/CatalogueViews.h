#pragma once
// What reading the catalogue hands to other parts of the program, each behind a small interface so
// the catalogue depends on neither the GUI nor the device manager.

#include <filesystem>
#include <string>

namespace vellomir {

// The device list control of the main window.
class DeviceListView {
public:
    virtual ~DeviceListView() = default;
    virtual void ClearList() = 0;
    virtual void AddDevice(const std::string& name, int deviceType,
                           const std::filesystem::path& imagePath) = 0;
};

// The main window's two title controls: both get the same title text ("<text 17>: v<version>").
class TitleView {
public:
    virtual ~TitleView() = default;
    virtual void SetTitles(const std::string& title) = 0;
};

// The device manager's list of supported USB identities.
class SupportedListSink {
public:
    virtual ~SupportedListSink() = default;
    virtual void ClearSupported() = 0;
    virtual void AddSupported(int vendorId, int productId, int deviceType, int modeValue,
                              const std::string& deviceId) = 0;
};

}  // namespace vellomir
