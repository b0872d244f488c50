#pragma once
// The main window's answer to message 1692: ask the user and, on consent, queue the update job and
// open its dialog.

#include <functional>

#include "common/JobCodes.h"
#include "update/UpdateState.h"
#include "update/UpdateView.h"

namespace vellomir {

using JobQueueFunction = std::function<void(int job)>;

// Kind kSoftwareUpdateKind asks "<582>:V<latest>, <583>" under text 581 and queues job 26; kind
// kFirmwareUpdateKind asks "<582>:V<x.yy>, <583>" under text 551 and queues job 27. On OK the job is
// queued before its dialog is opened. Nothing is asked when no valid latest version is known. Returns
// true when a job was queued.
bool OnUpdateAvailable(int kind, const UpdateStateData& state, UpdateView& view, const TextLookup& text,
                       const JobQueueFunction& queueJob);

}  // namespace vellomir
