#include "protocol/KeyWrites.h"

#include <vector>

#include "common/Trace.h"
#include "device/CurrentTransaction.h"
#include "protocol/DeviceExchange.h"
#include "protocol/FunctionCodes.h"
#include "protocol/KeyTable.h"
#include "protocol/SettingsCommands.h"
#include "storage/KeyBindingStore.h"
#include "storage/MacroStore.h"

namespace vellomir {

namespace {

constexpr int kMacroType = static_cast<int>(BindingType::kMacro);

std::vector<MacroStep> MacroSteps(int macroId) {
    std::vector<MacroEvent> events;
    ListMacroEvents(macroId, events);
    std::vector<MacroStep> steps;
    steps.reserve(events.size());
    for (const MacroEvent& event : events)
        steps.push_back({event.type, event.value});
    return steps;
}

void DownloadPendingMacro(int keyValue, const std::vector<KeyBinding>& bindings, WriteKeysResult& result) {
    result.macro = MacroDownload::kMissing;
    for (const KeyBinding& binding : bindings) {
        if (binding.macro_type != kMacroType || binding.key_code != keyValue) continue;
        MacroInfo macro;
        if (!GetMacro(binding.macro_value, macro)) return;
        const MacroPayload payload = EncodeMacroPayload(keyValue, MacroSteps(macro.macro_id));
        result.macroEvents = payload.eventCount;
        if (payload.status == MacroPayloadStatus::kTooLong) {
            Trace("macro %d has %zu events, more than the mouse takes; not sent", macro.macro_id,
                  payload.eventCount);
            result.macro = MacroDownload::kRefused;
            return;
        }
        const ChunkedResult sent = SendChunked(command::kMacro, payload.bytes);
        if (!sent.ok()) Trace("command 08: %d of %d packets failed", sent.failed, sent.packets);
        result.macro = sent.ok() ? MacroDownload::kSent : MacroDownload::kPacketsFailed;
        return;
    }
}

}  // namespace

WriteKeysResult WriteKeys(const ProtocolContext& context) {
    WriteKeysResult result;
    const int profile = context.state.CurrentProfile();
    std::vector<KeyBinding> bindings;
    ListKeyBindings(profile, bindings);

    // Taken (and cleared) before the download, so a macro bound meanwhile waits for the next run.
    if (const auto pendingKey = context.state.TakePendingMacro())
        DownloadPendingMacro(*pendingKey, bindings, result);

    std::vector<BindingValues> values;
    values.reserve(bindings.size());
    for (const KeyBinding& binding : bindings) {
        values.push_back({binding.key_code, binding.macro_type, binding.macro_value, binding.macro_value2});
    }
    const KeyTable table = BuildKeyTable(values, [](int macroId) -> std::optional<MacroPlay> {
        MacroInfo macro;
        if (!GetMacro(macroId, macro)) return std::nullopt;
        return MacroPlay{macro.play_type, macro.play_times};
    });
    if (SendRequest(EncodeKeyTable(table))) {
        result.keyTable = WriteResult::kSent;
    } else {
        context.CommunicationFailed();
        result.keyTable = WriteResult::kFailed;
    }
    return result;
}

}  // namespace vellomir
