#include "platform/windows/WirelessLibraryLoader.h"

#include "platform/NoWirelessLibrary.h"
#include "platform/windows/ProcAddress.h"

namespace orvane::platform::windows_backend {

WirelessLibraryLoader::WirelessLibraryLoader(const std::string& path)
    : table_(&NoWirelessLibrary()) {
  // Only the named file: never a library of that name from the search path.
  HMODULE module = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (module == nullptr) {
    problem_ = "The wireless library \"" + path + "\" could not be loaded (error " +
               std::to_string(::GetLastError()) + "). Wireless networks are not available.";
    return;
  }
  const char* missing = nullptr;
  const auto find = [&](const char* name, auto& slot) {
    if (!FindProc(module, name, slot) && missing == nullptr) missing = name;
  };
  find("EnumInterface", loaded_.EnumInterface);
  find("GetVisibleNetworkList", loaded_.GetVisibleNetworkList);
  find("AddSsid", loaded_.AddSsid);
  find("DeleteSsid", loaded_.DeleteSsid);
  find("Connect", loaded_.Connect);
  find("Disconnect", loaded_.Disconnect);
  find("RegisterNotification", loaded_.RegisterNotification);
  find("UnRegisterNotification", loaded_.UnRegisterNotification);
  // Optional: a library from before the security choice only makes WEP networks.
  FindProc(module, "AddSsidEx", loaded_.AddSsidEx);
  FindProc(module, "LastReason", loaded_.LastReason);
  if (missing != nullptr) {
    problem_ = "The wireless library \"" + path + "\" has no function \"" + missing +
               "\". Wireless networks are not available.";
    ::FreeLibrary(module);
    return;
  }
  module_ = module;
  table_ = &loaded_;
}

WirelessLibraryLoader::~WirelessLibraryLoader() {
  if (module_ != nullptr) ::FreeLibrary(static_cast<HMODULE>(module_));
}

}  // namespace orvane::platform::windows_backend
