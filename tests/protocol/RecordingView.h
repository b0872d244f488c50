#pragma once
// A DeviceView that writes down every call, for tests. The device list part keeps the state of each
// entry, so GetOnlineDevCount answers like the real list.

#include <map>
#include <string>
#include <vector>

#include "common/Text.h"
#include "protocol/DeviceView.h"

namespace vellomir::test {

class RecordingView final : public DeviceView {
public:
    std::vector<std::string> calls;
    std::map<int, int> linkStates;  // device type -> link state of its list entry
    int selected = 0;

    void Clear() { calls.clear(); }
    bool Has(const std::string& call) const {
        for (const auto& c : calls)
            if (c == call) return true;
        return false;
    }
    // Calls that start with `prefix`, in order.
    std::vector<std::string> Starting(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const auto& c : calls)
            if (c.rfind(prefix, 0) == 0) out.push_back(c);
        return out;
    }

    void SetBatteryInfo(int first, int second) override {
        Add(StrFormat("SetBatteryInfo %d %d", first, second));
    }
    void SetAllDeviceState(int state) override {
        for (auto& entry : linkStates)
            entry.second = state;
        Add(StrFormat("SetAllDeviceState %d", state));
    }
    void SetDeviceState(int type, int mode, int link) override {
        linkStates[type] = link;
        Add(StrFormat("SetDeviceState %d %d %d", type, mode, link));
    }
    void SetDeviceVersion(int type, std::uint32_t release) override {
        Add(StrFormat("SetDeviceVersion %d %X", type, release));
    }
    void SetDeviceBattery(int type, int a, int b) override {
        Add(StrFormat("SetDeviceBattery %d %d %d", type, a, b));
    }
    void SetSelectDevice(int type) override {
        selected = type;
        Add(StrFormat("SetSelectDevice %d", type));
    }
    int GetSelectDevice() override { return selected; }
    int GetOnlineDevCount() override {
        int online = 0;
        for (const auto& entry : linkStates)
            online += entry.second > 0 ? 1 : 0;
        return online;
    }
    void SetTitle(int textId) override { Add(StrFormat("SetTitle %d", textId)); }
    void ShowDeviceView() override { Add("ShowDeviceView"); }
    void ShowNoDeviceView() override { Add("ShowNoDeviceView"); }
    void ShowDeviceList(bool shown) override { Add(StrFormat("ShowDeviceList %d", shown ? 1 : 0)); }
    void ShowNoDeviceControls() override { Add("ShowNoDeviceControls"); }
    void ClosePopups() override { Add("ClosePopups"); }
    void ClosePopupPanel() override { Add("ClosePopupPanel"); }
    void RefreshPages() override { Add("RefreshPages"); }
    void RefreshLightPage() override { Add("RefreshLightPage"); }
    void ShowVersions() override { Add("ShowVersions"); }
    void ShowReceiverVersion(const std::string& version) override { Add("ShowReceiverVersion " + version); }
    void ShowDpiRange(const SensorDpiRange& r) override {
        Add(StrFormat("ShowDpiRange %d %d %d %d", r.lowest, r.highest, r.sliderRange, r.sliderOffset));
    }
    void ShowStageCount(int count) override { Add(StrFormat("ShowStageCount %d", count)); }
    void ShowSelectedStage(int index, int slider) override {
        Add(StrFormat("ShowSelectedStage %d %d", index, slider));
    }
    void ShowDpiTip(int dpi) override { Add(StrFormat("ShowDpiTip %d", dpi)); }

private:
    void Add(std::string call) { calls.push_back(std::move(call)); }
};

}  // namespace vellomir::test
