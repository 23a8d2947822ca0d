#pragma once

#include "platform/windows/Win32.h"

namespace orvane::platform::windows_backend {

// Looks up one export of a loaded library into its slot; false when it is missing.
template <typename Function>
bool FindProc(HMODULE module, const char* name, Function& slot) {
  const FARPROC address = ::GetProcAddress(module, name);
  // Casting between function pointer types is how exports are reached.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
  slot = reinterpret_cast<Function>(address);
#pragma GCC diagnostic pop
  return address != nullptr;
}

}  // namespace orvane::platform::windows_backend
