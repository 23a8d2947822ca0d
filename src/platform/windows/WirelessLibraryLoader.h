#pragma once

#include <string>

#include "platform/WirelessLibrary.h"

namespace orvane::platform::windows_backend {

// wireless.dll loaded from a given path, its eight functions looked up by name. A library that
// is missing or lacks a function is not used: the table then has no interface, and Problem()
// says why.
class WirelessLibraryLoader {
 public:
  explicit WirelessLibraryLoader(const std::string& path);
  ~WirelessLibraryLoader();
  WirelessLibraryLoader(const WirelessLibraryLoader&) = delete;
  WirelessLibraryLoader& operator=(const WirelessLibraryLoader&) = delete;

  const WirelessLibrary& Table() const { return *table_; }
  // Empty when the library loaded; else a text for the user.
  const std::string& Problem() const { return problem_; }

 private:
  void* module_ = nullptr;
  WirelessLibrary loaded_{};
  const WirelessLibrary* table_;
  std::string problem_;
};

}  // namespace orvane::platform::windows_backend
