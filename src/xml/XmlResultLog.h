#pragma once
// The result log: diagnostic entries of loading, parsing and saving, one line each ("name detail").

#include <string>
#include <string_view>

namespace vellomir::xml {

inline void AppendLogEntry(std::string& log, std::string_view name, std::string_view detail = {}) {
    log.append(name);
    if (!detail.empty()) {
        log.push_back(' ');
        log.append(detail);
    }
    log.push_back('\n');
}

}  // namespace vellomir::xml
