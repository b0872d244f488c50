#include "app/StartOptions.h"

namespace vellomir {

std::string JoinCommandLine(int argc, const char* const* argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (argv[i] == nullptr) continue;
        if (!line.empty()) line += ' ';
        line += argv[i];
    }
    return line;
}

bool StartsHidden(std::string_view commandLine) {
    return commandLine.find("-hide") != std::string_view::npos;
}

int ScreenScaleForDpi(int dpi) {
    if (dpi <= 96) return 100;
    if (dpi == 120) return 125;
    if (dpi == 144 || dpi == 168 || dpi == 192) return dpi;
    return 100;
}

bool ShouldBeDpiAware(int width, int height, int scale) {
    if (width < 1400 || height < 800) return true;
    return width == 1920 && height == 1080 && scale > 125;
}

}  // namespace vellomir
