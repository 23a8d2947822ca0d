#include "IniFile.h"

#include <utility>

#include "Errors.h"
#include "IntegerText.h"
#include "TextFile.h"

namespace orvane {

IniFile::IniFile(std::filesystem::path path) : path_(std::move(path)) {
  if (const auto content = ReadTextFile(path_, kMaxFileSize)) {
    text_ = IniText(*content);
    return;
  }
  std::error_code error;
  const auto status = std::filesystem::status(path_, error);
  unreadable_ = status.type() != std::filesystem::file_type::not_found;
}

namespace {

bool IsQuoted(std::string_view value) {
  return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
         value.back() == value.front();
}

}  // namespace

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
  std::string value = text_.Read(section, key).value_or(std::string(defaultValue));
  // A value written in quotes by hand is read without them.
  if (IsQuoted(value)) value = value.substr(1, value.size() - 2);
  if (value.size() > kMaxValueLength) value.resize(kMaxValueLength);
  return value;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  const auto number = ParseInteger(ReadString(section, key, ""));
  return number ? *number != 0 : defaultValue;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  // A value that itself starts and ends with a quote gets one more pair, so that reading it
  // back keeps its own quotes.
  if (IsQuoted(value)) {
    text_.Write(section, key, std::string(1, value.front()) + std::string(value) + value.back());
    return;
  }
  text_.Write(section, key, value);
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::Save() const {
  if (unreadable_ || !WriteTextFileAtomically(path_, text_.ToText())) {
    throw IniFileError("Unable to write to " + path_.string());
  }
}

}  // namespace orvane
