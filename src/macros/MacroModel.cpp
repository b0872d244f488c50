#include "macros/MacroModel.h"

#include <algorithm>

#include "common/Text.h"

namespace vellomir {

namespace {
constexpr std::string_view kDownArrow = "\u2193  ";
constexpr std::string_view kUpArrow = "\u2191  ";
}  // namespace

bool IsMacroEventType(int type) {
    return type >= static_cast<int>(MacroEventType::Delay) &&
           type <= static_cast<int>(MacroEventType::MouseUp);
}

bool CanInsertMacroRow(int rowCount) {
    return rowCount < kMaxMacroRows;
}

int ClampUserDelay(int milliseconds) {
    return std::clamp(milliseconds, kMinUserDelayMs, kMaxUserDelayMs);
}

int MaxPlayTimes(int deviceType) {
    return deviceType >= kFirstFastDeviceType ? kMaxPlayTimesFastModels : kMaxPlayTimes;
}

int ClampPlayTimes(int times, int deviceType) {
    return std::clamp(times, 1, MaxPlayTimes(deviceType));
}

std::string DelayEventText(int milliseconds) {
    return StrFormat("%d ms", milliseconds);
}

std::string KeyEventText(bool down, std::string_view keyName) {
    std::string text(down ? kDownArrow : kUpArrow);
    text += keyName;
    return text;
}

std::string MouseEventText(bool down, int buttonBit) {
    std::string_view name;
    switch (buttonBit) {
        case 1:
            name = "LB";
            break;
        case 2:
            name = "RB";
            break;
        case 4:
            name = "MB";
            break;
        case 8:
            name = "Backward";
            break;
        case 16:
            name = "Forward";
            break;
        default:
            break;
    }
    return KeyEventText(down, name);
}

std::string NewMacroName(std::string_view customWord, int listedMacros) {
    return StrFormat("%.*s %d", static_cast<int>(customWord.size()), customWord.data(), listedMacros + 1);
}

std::string MacroDisplayName(std::string_view stored, std::string_view customWord,
                             std::string_view copyWord) {
    std::string name(stored);
    for (std::string_view prefix : {std::string_view("Custom"), std::string_view("自定义")}) {
        if (name.starts_with(prefix)) {
            name = std::string(customWord) + name.substr(prefix.size());
            break;
        }
    }
    for (std::string_view suffix : {std::string_view("Copy"), std::string_view("复制")}) {
        if (name.ends_with(suffix)) {
            // The copy word is the one at the end: "Copy list Copy" keeps "Copy list".
            name = name.substr(0, name.size() - suffix.size()) + " " + std::string(copyWord);
            break;
        }
    }
    return name;
}

}  // namespace vellomir
