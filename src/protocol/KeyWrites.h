#pragma once
// Job 6: the macro just bound to a button (when the key page left one pending) and the key table.

#include "protocol/MacroEncoding.h"
#include "protocol/ProtocolContext.h"

namespace vellomir {

enum class MacroDownload {
    kNone,           // no macro pending
    kSent,           // every packet acknowledged
    kPacketsFailed,  // sent, but some packets were not acknowledged
    kRefused,        // longer than one download can carry; nothing sent
    kMissing,        // no binding of that key to a stored macro; nothing sent
};

struct WriteKeysResult {
    MacroDownload macro = MacroDownload::kNone;
    std::size_t macroEvents = 0;  // events of the pending macro
    WriteResult keyTable = WriteResult::kNotSent;
};

WriteKeysResult WriteKeys(const ProtocolContext& context);

}  // namespace vellomir
