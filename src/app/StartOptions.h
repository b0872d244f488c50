#pragma once
// Decisions taken at process start that depend only on their inputs.

#include <string>
#include <string_view>

namespace vellomir {

// The command line as one text: the arguments after the program name, joined by single blanks.
std::string JoinCommandLine(int argc, const char* const* argv);

// True when the program starts with only its tray icon: the command line contains "-hide" anywhere,
// case-sensitively, also inside a longer word. "-autorun" has no effect of its own.
bool StartsHidden(std::string_view commandLine);

// The scale class of a monitor's effective DPI: 96 or less -> 100, 120 -> 125, 144/168/192 as they
// are, anything else -> 100.
int ScreenScaleForDpi(int dpi);

// Whether the process declares itself DPI-aware: small screens (width below 1400 or height below
// 800) always, a 1920 x 1080 screen when its scale class is above 125, every other screen never.
bool ShouldBeDpiAware(int width, int height, int scale);

}  // namespace vellomir
