#pragma once

#include <filesystem>
#include <string_view>

namespace orvane::platform {

// Creates a new file with the text and forces its bytes to the disk before answering, so a
// rename over an older file afterwards cannot leave an empty or partial file after a power cut.
// The file is open to its owner only where the system has such modes (0600), as it may hold
// a secret. Refuses a path that already exists (a link planted there included). False on any
// failure; a file begun is then removed.
bool WriteNewFileDurably(const std::filesystem::path& path, std::string_view text);

// Forces the folder's entries (a rename just made in it) to the disk, where the system needs a
// step for that. False for a missing folder or a failed flush.
bool SyncFolder(const std::filesystem::path& folder);

}  // namespace orvane::platform
