#include "common/Trace.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "common/Text.h"

namespace vellomir {

bool TraceEnabled() {
    static const bool enabled = [] {
        const char* value = std::getenv("VELLOMIR_TRACE");
        return value != nullptr && *value != '\0' && std::strcmp(value, "0") != 0;
    }();
    return enabled;
}

void Trace(const char* format, ...) {
    if (!TraceEnabled()) return;
    va_list args;
    va_start(args, format);
    std::string line = StrFormatV(format, args);
    va_end(args);
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    auto id = std::hash<std::thread::id>{}(std::this_thread::get_id()) % 10000;
    std::fprintf(stderr, "[vellomir %04zu] %s\n", static_cast<std::size_t>(id), line.c_str());
}

}  // namespace vellomir
