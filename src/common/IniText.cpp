#include "IniText.h"

#include <algorithm>

#include "TextFile.h"

namespace orvane {

namespace {

std::string_view Trim(std::string_view text) {
  constexpr std::string_view kBlanks = " \t";
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

char FoldCase(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

// The name of a "[name]" line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() != '[') return std::nullopt;
  const auto close = trimmed.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(trimmed.substr(1, close - 1));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

// The key and value of a "key=value" line, or nothing for blank, comment and other lines.
std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  const std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
  const auto equals = trimmed.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return KeyLine{Trim(trimmed.substr(0, equals)), Trim(trimmed.substr(equals + 1))};
}

std::string KeyLineText(std::string_view key, std::string_view value) {
  std::string line;
  line.reserve(key.size() + 1 + value.size());
  line.append(key).push_back('=');
  for (const char c : value) line.push_back(c == '\r' || c == '\n' ? ' ' : c);
  return line;
}

}  // namespace

IniText::IniText(std::string_view text) : lines_(SplitLines(text)) {}

std::optional<std::size_t> IniText::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const auto name = SectionName(lines_[i]);
    if (name && SameName(*name, section)) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> IniText::FindKey(std::size_t sectionLine, std::string_view key) const {
  for (std::size_t i = sectionLine + 1; i < lines_.size() && !SectionName(lines_[i]); ++i) {
    const auto parsed = ParseKeyLine(lines_[i]);
    if (parsed && SameName(parsed->key, key)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> IniText::Read(std::string_view section, std::string_view key) const {
  const auto sectionLine = FindSection(section);
  if (!sectionLine) return std::nullopt;
  const auto keyLine = FindKey(*sectionLine, key);
  if (!keyLine) return std::nullopt;
  return std::string(ParseKeyLine(lines_[*keyLine])->value);
}

void IniText::Write(std::string_view section, std::string_view key, std::string_view value) {
  std::string line = KeyLineText(key, value);
  const auto sectionLine = FindSection(section);
  if (!sectionLine) {
    if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
    lines_.push_back("[" + std::string(section) + "]");
    lines_.push_back(std::move(line));
    return;
  }
  if (const auto keyLine = FindKey(*sectionLine, key)) {
    lines_[*keyLine] = std::move(line);
    return;
  }
  // After the section's last non-blank line, so the blank line before the next section stays.
  std::size_t insertAt = *sectionLine + 1;
  for (std::size_t i = insertAt; i < lines_.size() && !SectionName(lines_[i]); ++i) {
    if (!Trim(lines_[i]).empty()) insertAt = i + 1;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(line));
}

std::string IniText::ToText() const {
  std::string text;
  for (const auto& line : lines_) text.append(line).append("\r\n");
  return text;
}

}  // namespace orvane
