#pragma once

#include <string>

#include "StringObjectList.h"  // ClearObjects belongs with these helpers
#include "platform/AutoRunStore.h"
#include "platform/SystemInfo.h"

namespace orvane {

// The folder part of a file's path, with its trailing separator; empty for a bare name.
std::string FolderOf(const std::string& path);

// True only on operating-system version 5.1; any other version, or a failed query, is false.
bool IsWindowsXP(platform::ISystemInfo& system);

// The file version of path's version data as "major.minor.release.build"; empty when the file
// has no version data or it cannot be read.
std::string GetFileVersionText(platform::ISystemInfo& system, const std::string& path);

// Registers command to start with the system under valueName. A command with a blank is
// stored in double quotes, since the system would otherwise split it at the blank. Does
// nothing when the store cannot be opened; raises RegistryError "Failed to set data for
// '<valueName>'" when the value cannot be written.
void SetAutoRun(platform::IAutoRunStore& store, const std::string& command,
                const std::string& valueName);

// Removes the entry valueName; a missing entry or a store that cannot be opened is no error.
void RemoveAutoRun(platform::IAutoRunStore& store, const std::string& valueName);

}  // namespace orvane
