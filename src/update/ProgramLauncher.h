#pragma once
// Starting a program file directly (never through a shell).

#include <sys/types.h>

#include <filesystem>

namespace vellomir {

// Starts `program` with no arguments in a session of its own, so it outlives this process, with only
// the standard streams open. The owner's execute permission is added first (unpacked files may not
// carry it). Returns the process id, or -1 when it could not be started.
pid_t StartProgramDirectly(const std::filesystem::path& program);

}  // namespace vellomir
