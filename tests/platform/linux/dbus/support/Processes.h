#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace orvane::testing {

// Spawns a program with the given arguments, its output appended to `logFile`; -1 when it
// cannot start.
pid_t Spawn(const std::string& program, const std::vector<std::string>& arguments,
            const std::string& logFile);
// Ends a spawned program and waits for it.
void Stop(pid_t& child);
// Runs a program to its end; its exit status, or -1 when it could not run.
int Run(const std::string& program, const std::vector<std::string>& arguments,
        const std::string& logFile);

}  // namespace orvane::testing
