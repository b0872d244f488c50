#pragma once
// The function catalogue: the group of a button function (`macro_type` of a key binding) and the
// codes inside each group (`macro_value`). KeyEntries.h turns them into the bytes the mouse receives.

namespace vellomir {

enum class BindingType : int {
    kMouse = 1,
    kKeyboard = 2,  // value: HID keyboard usage, value2: modifier bits
    kMedia = 3,
    kMacro = 4,  // value: macro id
    kDpi = 5,
    kSpecial = 6,
    kFireKey = 7,  // value: 5-255, value2: 0-255
    kShortcut = 8,
    kDisabled = 9,
};

namespace mouse_function {
inline constexpr int kPrimary = 1;
inline constexpr int kMiddle = 2;
inline constexpr int kSecondary = 3;
inline constexpr int kRepeatedClick = 4;  // the fire-key code with parameters 50 and 3
inline constexpr int kForward = 5;
inline constexpr int kBack = 6;
inline constexpr int kWheelUp = 7;
inline constexpr int kWheelDown = 8;
inline constexpr int kDeviceCodeF5 = 9;
inline constexpr int kDeviceCodeF6 = 10;
}  // namespace mouse_function

namespace media_function {
inline constexpr int kMediaPlayer = 1;  // consumer usage 0x0183
inline constexpr int kPlayPause = 2;    // 0x00CD
inline constexpr int kStop = 3;         // 0x00B7
inline constexpr int kPrevious = 4;     // 0x00B6
inline constexpr int kNext = 5;         // 0x00B5
inline constexpr int kVolumeUp = 6;     // 0x00E9
inline constexpr int kVolumeDown = 7;   // 0x00EA
inline constexpr int kMute = 8;         // 0x00E2
}  // namespace media_function

namespace dpi_function {
inline constexpr int kDpiUp = 1;     // device code 2
inline constexpr int kDpiDown = 2;   // device code 3
inline constexpr int kDpiCycle = 3;  // device code 1
}  // namespace dpi_function

namespace special_function {
inline constexpr int kCode4 = 1;  // device code 4
inline constexpr int kCode1 = 2;  // device code 1
}  // namespace special_function

namespace shortcut_function {
inline constexpr int kBrightnessUp = 1;    // consumer usage 0x006F
inline constexpr int kBrightnessDown = 2;  // 0x0070
inline constexpr int kCalculator = 3;      // 0x0192
inline constexpr int kMyComputer = 4;      // 0x0194
inline constexpr int kBrowserHome = 5;     // 0x0223
inline constexpr int kMail = 6;            // 0x018A
inline constexpr int kShowDesktop = 7;     // Win+D
inline constexpr int kTaskView = 8;        // Win+Tab
inline constexpr int kCopy = 9;            // Ctrl+C
inline constexpr int kPaste = 10;          // Ctrl+V
inline constexpr int kCut = 11;            // Ctrl+X
}  // namespace shortcut_function

}  // namespace vellomir
