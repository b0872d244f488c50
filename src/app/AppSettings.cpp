#include "app/AppSettings.h"

#include <sys/stat.h>

#include <cerrno>
#include <mutex>
#include <optional>

#include "app/Folders.h"
#include "app/SettingsFile.h"
#include "common/FileIo.h"
#include "common/Text.h"

namespace vellomir {

namespace {

// Settings files are a few lines; anything much larger is not ours and is left alone.
constexpr std::size_t kMaxSettingsBytes = std::size_t{1} << 20;
// Values are read into a buffer of 255 bytes of UTF-16 text with its terminator: 126 characters are
// used, the rest of a longer text is cut.
constexpr std::size_t kMaxValueChars = 126;
constexpr int kLanguageOnFailure = 2052;

// One lock for every read-modify-write of the file, so two threads never lose each other's values.
std::mutex& SettingsMutex() {
    static std::mutex mutex;
    return mutex;
}

enum class OpenState { Opened, Missing, Failed };

struct OpenedFile {
    OpenState state = OpenState::Failed;
    std::string text;
};

OpenedFile OpenSettings() {
    const auto path = GetSettingsFile();
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return {errno == ENOENT || errno == ENOTDIR ? OpenState::Missing : OpenState::Failed, {}};
    }
    if (!S_ISREG(st.st_mode)) return {OpenState::Failed, {}};
    auto text = ReadWholeFile(path, kMaxSettingsBytes);
    if (!text) return {OpenState::Failed, {}};
    return {OpenState::Opened, std::move(*text)};
}

bool CreateSettings() {
    return EnsureFolder(GetSettingsFolder()) && WriteFileAtomically(GetSettingsFile(), "");
}

int ValueOf(const std::string& text, std::string_view name) {
    auto value = FindSetting(text, name);
    if (!value) return 0;
    return ReadDecimal(TruncateCodePoints(*value, kMaxValueChars));
}

// Reads `name`; `createMissing` says whether a missing file is created. `onFailure` is the result of
// a file that cannot be opened, `onCreateFailure` of a missing file that cannot be created.
int ReadValue(std::string_view name, bool createMissing, int onFailure, int onCreateFailure) {
    std::lock_guard lock(SettingsMutex());
    OpenedFile file = OpenSettings();
    switch (file.state) {
        case OpenState::Opened:
            return ValueOf(file.text, name);
        case OpenState::Missing:
            if (!createMissing) return 0;
            return CreateSettings() ? 0 : onCreateFailure;
        case OpenState::Failed:
            break;
    }
    return onFailure;
}

}  // namespace

int ReadAppValue(std::string_view name) {
    return ReadValue(name, true, 0, 0);
}

bool WriteAppValue(std::string_view name, std::string_view text) {
    if (!IsStorableSettingName(name) || !IsStorableSettingValue(text)) return false;
    std::lock_guard lock(SettingsMutex());
    OpenedFile file = OpenSettings();
    if (file.state != OpenState::Opened) return false;
    return WriteFileAtomically(GetSettingsFile(), ReplaceSetting(file.text, name, text));
}

int ReadLanguage() {
    return ReadValue(kLanguageValue, true, kLanguageOnFailure, kLanguageOnFailure);
}

bool WriteLanguage(int lcid) {
    return WriteAppValue(kLanguageValue, std::to_string(lcid));
}

int ReadDeviceType() {
    return ReadValue(kDeviceTypeValue, false, 0, 0);
}

bool WriteDeviceType(int deviceType) {
    return WriteAppValue(kDeviceTypeValue, std::to_string(deviceType));
}

}  // namespace vellomir
