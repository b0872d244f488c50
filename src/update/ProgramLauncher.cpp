#include "update/ProgramLauncher.h"

#include <spawn.h>

#include <string>
#include <system_error>

#include "common/Trace.h"

extern char** environ;

namespace vellomir {

pid_t StartProgramDirectly(const std::filesystem::path& program) {
    std::error_code ec;
    std::filesystem::permissions(program, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add, ec);
    posix_spawnattr_t attr;
    if (posix_spawnattr_init(&attr) != 0) return -1;
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
    std::string path = program.string();
    char* argv[] = {path.data(), nullptr};
    pid_t pid = -1;
    int rc = ::posix_spawn(&pid, path.c_str(), nullptr, &attr, argv, environ);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) {
        Trace("Cannot start %s: error %d", path.c_str(), rc);
        return -1;
    }
    return pid;
}

}  // namespace vellomir
