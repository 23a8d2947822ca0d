#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "IniText.h"

namespace orvane {

// An INI file read and written key by key like the system's private-profile calls: reading a
// missing file or key gives the default, values are read up to 2047 characters and without
// surrounding quotes ("..." or '...'), and writing
// keeps every other section and key in its place. Writes collect in memory until Save, which
// replaces the file in one step.
class IniFile {
 public:
  static constexpr std::size_t kMaxValueLength = 2047;
  // Larger files are not read into memory; no settings file comes near this.
  static constexpr std::uintmax_t kMaxFileSize = std::uintmax_t{16} * 1024 * 1024;

  // Reads the file now; a missing file counts as empty, and so does one that exists but cannot
  // be read (or is too large), which Save then refuses to replace so its content is not lost.
  explicit IniFile(std::filesystem::path path);

  const std::filesystem::path& Path() const { return path_; }

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // The value taken as an integer (see ParseInteger): non-zero is true; a missing value or one
  // that is no integer gives the default.
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteBool(std::string_view section, std::string_view key, bool value);  // "1" or "0"

  // Writes the file atomically; raises IniFileError "Unable to write to <path>" on failure,
  // and for a file that could not be read, leaving the old file as it was.
  void Save() const;

 private:
  std::filesystem::path path_;
  bool unreadable_ = false;
  IniText text_;
};

}  // namespace orvane
