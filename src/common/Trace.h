#pragma once
// The debug trace: silent by default. Setting VELLOMIR_TRACE (to anything but "0") sends the
// lines to standard error, one per call, prefixed with the thread's short id.

namespace vellomir {

bool TraceEnabled();
void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace vellomir
