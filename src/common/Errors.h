#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace orvane {

// An operating-system call failed; carries the Win32 code and the system's message for it.
// what() is the text the top-level error box shows.
class OsError : public std::runtime_error {
 public:
  OsError(uint32_t code, const std::string& systemMessage);
  uint32_t Code() const { return code_; }
  const std::string& SystemMessage() const { return systemMessage_; }

 private:
  uint32_t code_;
  std::string systemMessage_;
};

// A registry read or write failed ("Failed to set data for '%s'", "Invalid data type for '%s'").
class RegistryError : public std::runtime_error {
 public:
  RegistryError(const std::string& message, int32_t code = 0);
  int32_t Code() const { return code_; }

 private:
  int32_t code_;
};

// A COM call answered a failed HRESULT.
class ComError : public std::runtime_error {
 public:
  explicit ComError(int32_t hresult);
  int32_t HResult() const { return hresult_; }

 private:
  int32_t hresult_;
};

// A settings file could not be written ("Unable to write to %s").
class IniFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The top-level error box's text for an OS error:
// "System Error.  Code: %d." then a line break and the system's message.
std::string SystemErrorText(uint32_t code, const std::string& systemMessage);

}  // namespace orvane
