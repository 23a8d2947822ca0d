#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// The whole file as bytes; nothing when it is missing, unreadable, not a regular file or
// larger than maxBytes.
std::optional<std::string> ReadTextFile(const std::filesystem::path& path,
                                        std::uintmax_t maxBytes = UINTMAX_MAX);

// Replaces the file's content all at once: the text goes to a new temporary file in the same
// folder, which is forced to the disk and then renamed over the file, so a crash, a power cut
// or a full disk leaves either the old file or the new one, never a half-written one. False when
// anything failed; the old file is then untouched and no temporary file is left behind.
bool WriteTextFileAtomically(const std::filesystem::path& path, std::string_view text);

// The text's lines without their breaks: CR LF, CR or LF end a line; a final line without a
// break counts only when it is not empty.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace orvane
