#pragma once
// The macro model: event types, the limits the macro page, the recorder and the files keep, the
// display texts of events, and the display form of stored macro names. The macro and event records
// themselves (MacroInfo, MacroEvent) and their stores live in the storage library.

#include <string>
#include <string_view>

namespace vellomir {

enum class MacroEventType : int {
    Delay = 1,      // value: delay in milliseconds
    KeyDown = 2,    // value: virtual-key code
    KeyUp = 3,      // value: virtual-key code
    MouseDown = 4,  // value: button bit (1 left, 2 right, 4 middle, 8 backward, 16 forward)
    MouseUp = 5,    // value: button bit
};
bool IsMacroEventType(int type);

// Rows of one macro's event list; inserting is refused once the list holds more than 199 rows.
inline constexpr int kMaxMacroRows = 200;
bool CanInsertMacroRow(int rowCount);
// Recording stops by itself when the list reports this many events.
inline constexpr int kRecordingEventLimit = 30;
// A delay the user enters, and the longest delay the recorder stores.
inline constexpr int kMinUserDelayMs = 1;
inline constexpr int kMaxUserDelayMs = 10000;
inline constexpr int kMaxRecordedDelayMs = 31000;
int ClampUserDelay(int milliseconds);
// Play counts: 1 to 999, or 1 to 255 for device types from 201 on.
inline constexpr int kMaxPlayTimes = 999;
inline constexpr int kMaxPlayTimesFastModels = 255;
inline constexpr int kFirstFastDeviceType = 201;
int MaxPlayTimes(int deviceType);
int ClampPlayTimes(int times, int deviceType);

// A new macro's settings: play once, the second delay choice, no fixed delay.
inline constexpr int kNewMacroPlayType = 0;
inline constexpr int kNewMacroPlayTimes = 1;
inline constexpr int kNewMacroDelayType = 1;
inline constexpr int kNewMacroDelayTime = 0;

// Event row texts: "<ms> ms" for a delay; a down or up arrow and two spaces before a key or button
// name. Button names: LB, RB, MB, Backward, Forward; an unknown bit gives the arrow alone.
std::string DelayEventText(int milliseconds);
std::string KeyEventText(bool down, std::string_view keyName);
std::string MouseEventText(bool down, int buttonBit);

// The name of a new macro: "<customWord> <n>" where n is the number of macros listed plus one.
std::string NewMacroName(std::string_view customWord, int listedMacros);

// How a stored macro name is shown. Stored names carry the language word they were made with: a name
// starting with "Custom" or "自定义" shows `customWord` (the current language's word) in its place;
// then a name ending with "Copy" or "复制" shows as "<the part before that word> <copyWord>". Other
// names are shown as stored.
std::string MacroDisplayName(std::string_view stored, std::string_view customWord, std::string_view copyWord);

}  // namespace vellomir
