#pragma once
// Everything the device worker's jobs show in the main window: the device procedures' calls, the
// model activation's calls and the few the jobs make themselves. The GUI implements it and hands every
// call to the UI thread in the order it arrives.

#include <string>

#include "catalogue/ModelState.h"
#include "protocol/DeviceView.h"

namespace vellomir {

class WorkerView : public DeviceView, public ModelView {
public:
    // The stored name of the current profile, in the profile-name control.
    virtual void ShowProfileName(const std::string& storedName) = 0;
    // Page refresh without the macro lists (a profile switch keeps them).
    virtual void RefreshPagesWithoutMacroLists() = 0;
    // Re-shows the DPI and performance page from the store (after its defaults were restored).
    virtual void RefreshDpiPage() = 0;
    // The message box (title text, body text, style) for a device that is listed but not present.
    virtual void ShowMessageBox(int titleText, int bodyText, int style) = 0;
};

}  // namespace vellomir
