// Native Wifi's list of the securities an adapter can make an ad-hoc network with.
#include "platform/windows/Win32.h"
// clang-format off
#include <objbase.h>
#include <wlanapi.h>
// clang-format on

#include "platform/windows/ProcAddress.h"
#include "platform/windows/TetheringHotspot.h"

namespace orvane::platform::windows_backend {

uint32_t QueryNativeWifiAdHocPairs(const std::string& interfaceGuid,
                                   std::vector<AuthCipherPair>& pairs) {
  pairs.clear();
  // Loaded, not linked, from the system folder: a system without Native Wifi still starts.
  char folder[MAX_PATH];
  const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return ERROR_PATH_NOT_FOUND;
  const HMODULE module = ::LoadLibraryA((std::string(folder, length) + "\\wlanapi.dll").c_str());
  if (module == nullptr) return ::GetLastError();
  DWORD(WINAPI * open)(DWORD, PVOID, PDWORD, PHANDLE) = nullptr;
  DWORD(WINAPI * close)(HANDLE, PVOID) = nullptr;
  DWORD(WINAPI * query)
  (HANDLE, const GUID*, WLAN_INTF_OPCODE, PVOID, PDWORD, PVOID*, PWLAN_OPCODE_VALUE_TYPE) = nullptr;
  VOID(WINAPI * freeMemory)(PVOID) = nullptr;
  DWORD result = ERROR_PROC_NOT_FOUND;
  if (FindProc(module, "WlanOpenHandle", open) && FindProc(module, "WlanCloseHandle", close) &&
      FindProc(module, "WlanQueryInterface", query) &&
      FindProc(module, "WlanFreeMemory", freeMemory)) {
    const std::wstring wide(interfaceGuid.begin(), interfaceGuid.end());
    GUID guid{};
    HANDLE handle = nullptr;
    DWORD version = 0;
    if (FAILED(::IIDFromString(wide.c_str(), &guid))) {
      result = ERROR_INVALID_PARAMETER;
    } else if ((result = open(2, nullptr, &version, &handle)) == ERROR_SUCCESS) {
      DWORD size = 0;
      PVOID data = nullptr;
      result = query(handle, &guid, wlan_intf_opcode_supported_adhoc_auth_cipher_pairs, nullptr,
                     &size, &data, nullptr);
      if (result == ERROR_SUCCESS) pairs = ParseAuthCipherPairs(data, size);
      if (data != nullptr) freeMemory(data);
      close(handle, nullptr);
    }
  }
  ::FreeLibrary(module);
  return result;
}

}  // namespace orvane::platform::windows_backend
