#pragma once
// Recorders for what the catalogue hands to the device list, the title controls and the device
// manager's supported list: each call is kept in order so tests can compare whole sequences.

#include <string>
#include <vector>

#include "catalogue/Catalogue.h"

namespace vellomir::test {

struct SupportedIdentity {
    int vid, pid, type, mode;
    std::string devId;
    bool operator==(const SupportedIdentity&) const = default;
};

class RecordingTargets : public DeviceListView, public TitleView, public SupportedListSink {
public:
    void ClearList() override { calls.push_back("clear list"); }
    void AddDevice(const std::string& name, int type, const std::filesystem::path& image) override {
        calls.push_back("add " + name + " " + std::to_string(type) + " " + image.filename().string());
    }
    void SetTitles(const std::string& title) override { calls.push_back("title " + title); }
    void ClearSupported() override {
        calls.push_back("clear supported");
        supported.clear();
    }
    void AddSupported(int vid, int pid, int type, int mode, const std::string& devId) override {
        supported.push_back({vid, pid, type, mode, devId});
    }

    CatalogueTargets Targets() { return {this, this, this}; }

    std::vector<std::string> calls;
    std::vector<SupportedIdentity> supported;
};

}  // namespace vellomir::test
