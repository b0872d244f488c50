#pragma once
// The program's identity, process-wide: the device name (the name under which the program runs; it
// names the settings folder, the autostart entry, the user data folder, the single-instance lock and
// the main window's title) and the set of languages the catalogue lists. Written at start-up from the
// catalogue's application section, read from every thread afterwards.

#include <map>
#include <mutex>
#include <string>

namespace vellomir {

class AppIdentity {
public:
    // The name used until the catalogue names the program.
    static constexpr const char* kDefaultDeviceName = "Vellomir";

    static AppIdentity& Instance();

    std::string DeviceName() const;
    // An empty name puts the default back, so no folder or file is ever named by an empty text.
    void SetDeviceName(std::string name);

    // Listed languages: LCID -> 1 for every language the catalogue lists.
    std::map<int, int> ListedLanguages() const;
    bool IsListed(int lcid) const;
    void ClearLanguages();
    void AddLanguage(int lcid);

private:
    AppIdentity() = default;

    mutable std::mutex mutex_;
    std::string deviceName_ = kDefaultDeviceName;
    std::map<int, int> languages_;
};

}  // namespace vellomir
