#pragma once
// What the update code needs of the window: the settings page's version labels and buttons, the two
// update dialogs and the question box. The GUI implements it. Calls marked "worker" come from the
// device worker thread; the GUI hands them to its UI thread in the order they arrive.

#include <functional>
#include <string>

namespace vellomir {

// Language text by number.
using TextLookup = std::function<std::string(int number)>;

// Kinds of message 1692.
inline constexpr int kSoftwareUpdateKind = 1;
inline constexpr int kFirmwareUpdateKind = 2;

class UpdateView {
public:
    virtual ~UpdateView() = default;

    // Settings page (worker): the software version label and update button, the firmware label and
    // firmware update button.
    virtual void ShowSoftwareVersion(const std::string& label) = 0;
    virtual void EnableSoftwareUpdate(bool enabled) = 0;
    virtual void ShowFirmwareVersion(const std::string& label) = 0;
    virtual void EnableFirmwareUpdate(bool enabled) = 0;

    // Message 1692 (worker): something newer is available; kind is kSoftwareUpdateKind or
    // kFirmwareUpdateKind. The GUI answers it on its UI thread with OnUpdateAvailable.
    virtual void UpdateAvailable(int kind) = 0;

    // Message 1694 (worker): download progress in percent, for the current UpdateProcessDlg
    // (SetDownloadProgress shows "下载文件中: %d%%"); nothing when that dialog is not open.
    virtual void SetDownloadProgress(int percent) = 0;

    // UpdateTipDlg::SetStatus (worker): shows "%s: %d%%" with the text and percent and sets the bar.
    virtual void SetStatus(int percent, const std::string& text) = 0;

    // The question box (UI thread): returns 1 when the user chose OK. Style 4 is OK and Cancel.
    virtual int AskQuestion(const std::string& title, const std::string& body, int style) = 0;

    // Opens the software download dialog (UpdateProcessDlg) modally (UI thread).
    virtual void OpenDownloadDialog() = 0;
    // Destroys a previous firmware dialog (UpdateTipDlg), then opens a new one modally (UI thread).
    virtual void OpenFirmwareDialog() = 0;
    // Closes the current firmware dialog as if its OK button was pressed; nothing when there is none
    // (worker).
    virtual void CloseFirmwareDialog() = 0;
};

}  // namespace vellomir
