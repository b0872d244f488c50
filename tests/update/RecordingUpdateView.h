#pragma once
// The GUI's side of the update code for the tests: records every call as a line of text, in order, and
// answers the question box with a preset answer.

#include <mutex>
#include <string>
#include <vector>

#include "common/Text.h"
#include "update/UpdateView.h"

namespace vellomir::test {

class RecordingUpdateView : public UpdateView {
public:
    int answer = 1;

    void ShowSoftwareVersion(const std::string& label) override { Add("software label: " + label); }
    void EnableSoftwareUpdate(bool enabled) override {
        Add(std::string("software button: ") + (enabled ? "on" : "off"));
    }
    void ShowFirmwareVersion(const std::string& label) override { Add("firmware label: " + label); }
    void EnableFirmwareUpdate(bool enabled) override {
        Add(std::string("firmware button: ") + (enabled ? "on" : "off"));
    }
    void UpdateAvailable(int kind) override { Add("1692 " + std::to_string(kind)); }
    void SetDownloadProgress(int percent) override { Add("download " + std::to_string(percent)); }
    void SetStatus(int percent, const std::string& text) override {
        Add(StrFormat("status %s: %d%%", text.c_str(), percent));
    }
    int AskQuestion(const std::string& title, const std::string& body, int style) override {
        Add("ask [" + title + "] " + body + " style " + std::to_string(style));
        return answer;
    }
    void OpenDownloadDialog() override { Add("open download dialog"); }
    void OpenFirmwareDialog() override { Add("open firmware dialog"); }
    void CloseFirmwareDialog() override { Add("close firmware dialog"); }

    std::vector<std::string> Calls() const {
        std::lock_guard lock(mutex_);
        return calls_;
    }
    // The calls that start with `prefix`.
    std::vector<std::string> Calls(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const std::string& call : Calls()) {
            if (call.rfind(prefix, 0) == 0) out.push_back(call);
        }
        return out;
    }

private:
    void Add(std::string call) {
        std::lock_guard lock(mutex_);
        calls_.push_back(std::move(call));
    }

    mutable std::mutex mutex_;
    std::vector<std::string> calls_;
};

// Language texts of the tests: text N reads "TN".
inline std::string TestText(int number) {
    return "T" + std::to_string(number);
}

}  // namespace vellomir::test
