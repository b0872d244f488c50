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
    // The program gets the standard streams only, none of our device, database or socket handles.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    std::string path = program.string();
    char* argv[] = {path.data(), nullptr};
    pid_t pid = -1;
    int rc = ::posix_spawn(&pid, path.c_str(), &actions, &attr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) {
        Trace("Cannot start %s: error %d", path.c_str(), rc);
        return -1;
    }
    return pid;
}

}  // namespace vellomir
