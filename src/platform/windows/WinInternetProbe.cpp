#include "platform/windows/WinInternetProbe.h"

#include "platform/windows/Win32.h"
// After the system headers.
#include <wininet.h>

#include <algorithm>

namespace orvane::platform::windows_backend {

bool WinInternetProbe::CheckConnection(const std::string& url, std::chrono::milliseconds timeout) {
  // The check itself takes no timeout; it uses the process-wide connect timeout, which every
  // caller sets to the same bound.
  DWORD milliseconds = static_cast<DWORD>(
      std::clamp<std::chrono::milliseconds::rep>(timeout.count(), 1, 0x7fffffff));
  ::InternetSetOptionA(nullptr, INTERNET_OPTION_CONNECT_TIMEOUT, &milliseconds,
                       sizeof(milliseconds));
  return ::InternetCheckConnectionA(url.c_str(), FLAG_ICC_FORCE_CONNECTION, 0) != FALSE;
}

bool WinInternetProbe::QueryConnectedState(uint32_t& state) {
  DWORD value = 0;
  DWORD size = sizeof(value);
  if (!::InternetQueryOptionA(nullptr, INTERNET_OPTION_CONNECTED_STATE, &value, &size))
    return false;
  state = value;
  return true;
}

}  // namespace orvane::platform::windows_backend
