#include "protocol/KeyEntries.h"

#include "protocol/FunctionCodes.h"
#include "protocol/VirtualKeys.h"

namespace vellomir {

namespace {

constexpr std::uint8_t Low(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

KeyEntry MouseEntry(int value) {
    switch (value) {
        case mouse_function::kPrimary:
            return {0x10, 0x01, 0x00};
        case mouse_function::kMiddle:
            return {0x10, 0x04, 0x00};
        case mouse_function::kSecondary:
            return {0x10, 0x02, 0x00};
        case mouse_function::kRepeatedClick:
            return {0x30, 0x32, 0x03};
        case mouse_function::kForward:
            return {0x10, 0x10, 0x00};
        case mouse_function::kBack:
            return {0x10, 0x08, 0x00};
        case mouse_function::kWheelUp:
            return {0x20, 0x01, 0x00};
        case mouse_function::kWheelDown:
            return {0x20, 0xFF, 0x00};
        case mouse_function::kDeviceCodeF5:
            return {0x10, 0x00, 0xF5};
        case mouse_function::kDeviceCodeF6:
            return {0x10, 0x00, 0xF6};
        default:
            return {0x10, 0x00, 0x00};
    }
}

bool IsModifierUsage(int usage) {
    return usage >= 0xE0 && usage <= 0xE7;
}

KeyEntry KeyboardEntry(int usage, int modifiers) {
    if (IsModifierUsage(usage)) {
        // A modifier key on its own is sent as its bit in the modifier byte.
        if (modifiers == 0) return {0x70, Low(ModifierBit(usage)), 0x00};
        return {0x70, Low(modifiers), Low(ModifierBit(usage))};
    }
    // Any other usage goes out unchanged: some ordinary usages equal a modifier's virtual-key code
    // (91 is keypad 3) and must not be turned into modifier bits.
    return {0x70, Low(modifiers), Low(usage)};
}

KeyEntry MediaEntry(int value) {
    static constexpr std::uint8_t kUsages[] = {0xCD, 0xB7, 0xB6, 0xB5, 0xE9, 0xEA, 0xE2};
    if (value == media_function::kMediaPlayer) return {0x80, 0x83, 0x01};
    if (value >= 2 && value <= 8) return {0x80, kUsages[value - 2], 0x00};
    return {0x80, 0x00, 0x00};
}

KeyEntry DpiEntry(int value) {
    switch (value) {
        case dpi_function::kDpiUp:
            return {0x40, 0x02, 0x00};
        case dpi_function::kDpiDown:
            return {0x40, 0x03, 0x00};
        case dpi_function::kDpiCycle:
            return {0x40, 0x01, 0x00};
        default:
            return {0x40, 0x00, 0x00};
    }
}

KeyEntry SpecialEntry(int value, int keyValue) {
    if (value == special_function::kCode4) return {0x60, 0x04, 0x00};
    if (value == special_function::kCode1) return {0x60, 0x01, 0x00};
    const KeyEntry fallback = DefaultKeyEntry(keyValue);
    return {0x60, fallback[1], fallback[2]};
}

KeyEntry ShortcutEntry(int value) {
    switch (value) {
        case shortcut_function::kBrightnessUp:
            return {0x80, 0x6F, 0x00};
        case shortcut_function::kBrightnessDown:
            return {0x80, 0x70, 0x00};
        case shortcut_function::kCalculator:
            return {0x80, 0x92, 0x01};
        case shortcut_function::kMyComputer:
            return {0x80, 0x94, 0x01};
        case shortcut_function::kBrowserHome:
            return {0x80, 0x23, 0x02};
        case shortcut_function::kMail:
            return {0x80, 0x8A, 0x01};
        case shortcut_function::kShowDesktop:
            return {0x70, 0x08, 0x07};
        case shortcut_function::kTaskView:
            return {0x70, 0x08, 0x2B};
        case shortcut_function::kCopy:
            return {0x70, 0x01, 0x06};
        case shortcut_function::kPaste:
            return {0x70, 0x01, 0x19};
        case shortcut_function::kCut:
            return {0x70, 0x01, 0x1B};
        default:
            return {0x80, 0x00, 0x00};
    }
}

}  // namespace

KeyEntry DefaultKeyEntry(int keyValue) {
    switch (keyValue) {
        case 0:
            return {0x10, 0x01, 0x00};
        case 1:
            return {0x10, 0x02, 0x00};
        case 2:
            return {0x10, 0x04, 0x00};
        case 3:
            return {0x10, 0x08, 0x00};
        case 4:
            return {0x10, 0x10, 0x00};
        case 5:
            return {0x40, 0x01, 0x00};
        default:
            return {0x00, 0x00, 0x00};
    }
}

KeyEntry MacroKeyEntry(int keyValue, MacroPlay play) {
    int flags = keyValue;
    int count = 0;
    if (play.playType == 1 || play.playType == 3) {
        flags |= 0x10;
    } else if (play.playType == 2) {
        flags |= 0x40;
    } else if (play.playTimes >= 1) {
        flags |= 0x20;
        count = play.playTimes;
    }
    return {0x90, Low(flags), Low(count)};
}

std::optional<KeyEntry> EncodeKeyEntry(const BindingValues& binding, const std::optional<MacroPlay>& macro) {
    switch (static_cast<BindingType>(binding.type)) {
        case BindingType::kMouse:
            return MouseEntry(binding.value);
        case BindingType::kKeyboard:
            return KeyboardEntry(binding.value, binding.value2);
        case BindingType::kMedia:
            return MediaEntry(binding.value);
        case BindingType::kMacro:
            if (!macro) return std::nullopt;
            return MacroKeyEntry(binding.keyValue, *macro);
        case BindingType::kDpi:
            return DpiEntry(binding.value);
        case BindingType::kSpecial:
            return SpecialEntry(binding.value, binding.keyValue);
        case BindingType::kFireKey:
            return KeyEntry{0x30, Low(binding.value), Low(binding.value2)};
        case BindingType::kShortcut:
            return ShortcutEntry(binding.value);
        case BindingType::kDisabled:
            return KeyEntry{0x60, 0x00, 0x00};
    }
    return std::nullopt;
}

}  // namespace vellomir
