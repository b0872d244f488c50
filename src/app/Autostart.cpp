#include "app/Autostart.h"

#include <system_error>

#include "app/AppIdentity.h"
#include "app/AppSettings.h"
#include "app/Folders.h"
#include "common/FileIo.h"
#include "common/Text.h"

namespace vellomir {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxEntryBytes = 64 * 1024;

bool NeedsQuoting(const std::string& path) {
    return path.find_first_of(" \t\n\"'\\><~|&;$*?#()`%=") != std::string::npos;
}

// Escapes a text for a desktop-entry string value: backslashes and line breaks.
std::string EscapeStringValue(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::string AutostartExecLine(const fs::path& executable) {
    std::string path = executable.string();
    std::string arg;
    if (NeedsQuoting(path)) {
        arg += '"';
        for (char c : path) {
            if (c == '"' || c == '`' || c == '$' || c == '\\') arg += '\\';
            arg += c;
        }
        arg += '"';
    } else {
        arg = path;
    }
    // '%' introduces field codes in Exec; a literal one is written twice.
    std::string exec;
    for (char c : arg) {
        exec += c;
        if (c == '%') exec += '%';
    }
    return EscapeStringValue(exec) + " -autorun";
}

bool IsAutostartEnabled() {
    auto text = ReadWholeFile(GetAutostartFile(), kMaxEntryBytes);
    if (!text) return false;
    std::string_view rest = *text;
    while (!rest.empty()) {
        std::size_t brk = rest.find('\n');
        std::string_view line = TrimAscii(rest.substr(0, brk));
        rest = brk == std::string_view::npos ? std::string_view{} : rest.substr(brk + 1);
        if (line.starts_with("Hidden=") && TrimAscii(line.substr(7)) == "true") return false;
    }
    return true;
}

AutostartState ReadAutostartState() {
    AutostartState state;
    if (IsAutostartEnabled()) {
        state.startWithSession = true;
        state.minimizeEnabled = true;
        state.minimizeChecked = ReadAppValue(kAutorunMinimizeValue) == 1;
    }
    state.hideToTray = ReadAppValue(kExitModeValue) == 1;
    return state;
}

AutostartState SetAutorun(bool on, const fs::path& executable) {
    AutostartState state;
    state.hideToTray = ReadAppValue(kExitModeValue) == 1;
    const fs::path entry = GetAutostartFile();
    if (on) {
        const std::string name = AppIdentity::Instance().DeviceName();
        std::string text = "[Desktop Entry]\nType=Application\nName=" + EscapeStringValue(name) +
                           "\nExec=" + AutostartExecLine(executable) + "\nTerminal=false\n";
        if (!executable.empty() && EnsureFolder(entry.parent_path())) WriteFileAtomically(entry, text);
        state.minimizeEnabled = true;
        state.minimizeChecked = ReadAppValue(kAutorunMinimizeValue) == 1;
    } else {
        WriteAppValue(kAutorunMinimizeValue, "0");
        std::error_code ec;
        fs::remove(entry, ec);
    }
    state.startWithSession = IsAutostartEnabled();
    return state;
}

void SetAutorunMinimize(bool checked) {
    WriteAppValue(kAutorunMinimizeValue, checked ? "1" : "0");
}

void SetExitMode(bool hideToTray) {
    WriteAppValue(kExitModeValue, hideToTray ? "1" : "0");
}

}  // namespace vellomir
