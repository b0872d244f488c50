#pragma once
// A mouse as its firmware behaves on the wire: it checks every request, keeps what each setting
// command stored, answers every query from that state, takes the key table and macro downloads, and
// reports DPI stage changes made with its own button. Single-threaded; SimulatedMouse and
// SimulatedReceiver guard it.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "sim/MouseModel.h"
#include "sim/PacketAssembler.h"
#include "sim/SimProtocol.h"

namespace vellomir::sim {

inline constexpr int kKeyCount = 21;  // key values 0..20
using KeyTable = std::array<std::uint8_t, 3 * kKeyCount>;

// The key table a mouse holds after a factory reset.
KeyTable DefaultKeyTable();

class VirtualMouse {
public:
    explicit VirtualMouse(MouseModel model = {});

    // One request (report id and 64 bytes). Returns the reports the mouse sends back.
    std::vector<Report> HandleRequest(const std::uint8_t* request);

    // The info block reply (command 0x10). `linked` goes to byte 14.
    Report InfoReply(bool linked) const;

    // The DPI button: moves to the next stage (wrapping) and returns the 0xC2 report.
    Report PressDpiButton();
    // Selects a stage as the button would (index taken modulo the stage count); 0xC2 report.
    Report SelectDpiStage(int index);
    void SetBattery(std::uint8_t a, std::uint8_t b);

    const MouseModel& Model() const { return model_; }
    // The data bytes the setting command (0x02..0x07) last stored, as its query answers them.
    const Data& Setting(std::uint8_t command) const;
    std::uint8_t DpiIndex() const;
    std::uint8_t DpiCount() const;
    // Sensor code of a stage (0..5).
    std::uint16_t DpiCode(int stage) const;
    const KeyTable& Keys() const { return keys_; }
    // The events (four bytes each) downloaded for a key, or nothing when none was.
    std::optional<std::vector<std::uint8_t>> Macro(std::uint8_t key) const;
    int FactoryResets() const { return factoryResets_; }
    // Light resets (0x0E) taken.
    int LightCommands() const { return lightCommands_; }

private:
    struct Stored {
        Data data{};
        std::size_t length = 0;
    };

    void RestoreFactorySettings();
    void RestoreFactoryLight();
    std::uint8_t ApplySetting(std::uint8_t command, const std::uint8_t* request);
    std::uint8_t ApplyMacroPacket(const std::uint8_t* request);
    Report DpiReport() const;

    MouseModel model_;
    std::map<std::uint8_t, Stored> settings_;
    KeyTable keys_{};
    std::map<std::uint8_t, std::vector<std::uint8_t>> macros_;
    PacketAssembler macroTransfer_;
    int factoryResets_ = 0;
    int lightCommands_ = 0;
};

}  // namespace vellomir::sim
