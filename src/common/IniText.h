#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// INI text kept line by line, so that writing one key leaves every other line (sections,
// keys, comments, blank lines) exactly where it was. Section and key names match without
// regard to case; the first matching section and key win. Lines may end with CR LF, CR or LF.
class IniText {
 public:
  IniText() = default;
  explicit IniText(std::string_view text);

  // The value of key in section, trimmed of surrounding blanks; nothing when absent.
  // Blank lines and lines starting with ";" are no keys.
  std::optional<std::string> Read(std::string_view section, std::string_view key) const;

  // Replaces the key's line in place, or adds the key at the end of its section, or adds the
  // section at the end of the text. Line breaks in the value become blanks, since they would
  // otherwise start new lines of the file.
  void Write(std::string_view section, std::string_view key, std::string_view value);

  // The lines joined, each ended with CR LF.
  std::string ToText() const;

 private:
  std::optional<std::size_t> FindSection(std::string_view section) const;
  std::optional<std::size_t> FindKey(std::size_t sectionLine, std::string_view key) const;

  std::vector<std::string> lines_;
};

}  // namespace orvane
