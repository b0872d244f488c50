#pragma once
// Starting with the desktop session, and the two choices that go with it on the settings page. The
// start-with-session setting is the presence of the XDG autostart entry
// $XDG_CONFIG_HOME/autostart/<device name>.desktop, which runs the program with " -autorun".

#include <filesystem>
#include <string>

namespace vellomir {

// What the settings page shows for its three controls.
struct AutostartState {
    bool startWithSession = false;  // the start-with-session check box
    bool minimizeEnabled = false;   // the minimise-at-autostart check box is enabled
    bool minimizeChecked = false;   // ... and checked
    bool hideToTray = false;        // closing hides to the tray (else closing ends the program)

    bool operator==(const AutostartState&) const = default;
};

// The Exec line of the autostart entry for an executable: its path (quoted and escaped when it holds
// characters the desktop-entry format reserves) followed by " -autorun".
std::string AutostartExecLine(const std::filesystem::path& executable);

// Whether the autostart entry is present and readable (an entry marked Hidden=true counts as absent).
bool IsAutostartEnabled();

// Reads the state of the three controls from the autostart entry and the settings.
AutostartState ReadAutostartState();

// The start-with-session check box changed. On: writes the entry (atomically) for `executable` (an
// empty path writes nothing), and
// the minimise box becomes enabled, keeping its stored check. Off: removes the entry, stores
// autorun_minimize as "0", and the minimise box becomes unchecked and disabled. Returns the state to
// show; startWithSession tells whether the entry is really there afterwards.
AutostartState SetAutorun(bool on, const std::filesystem::path& executable);

// The minimise-at-autostart check box changed: stores autorun_minimize as "1" or "0".
void SetAutorunMinimize(bool checked);
// The close-button choice changed: stores exit_mode as "1" for hide-to-tray, else "0".
void SetExitMode(bool hideToTray);

}  // namespace vellomir
