#include "platform/windows/WirelessLibraryLoader.h"

#include "platform/windows/Win32.h"

#include "platform/NoWirelessLibrary.h"

namespace orvane::platform::windows_backend {
namespace {

// Looks up one export into its slot; false when it is missing.
template <typename Function>
bool Find(HMODULE module, const char* name, Function& slot) {
  const FARPROC address = ::GetProcAddress(module, name);
  // Casting between function pointer types is how exports are reached.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
  slot = reinterpret_cast<Function>(address);
#pragma GCC diagnostic pop
  return address != nullptr;
}

}  // namespace

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
    if (!Find(module, name, slot) && missing == nullptr) missing = name;
  };
  find("EnumInterface", loaded_.EnumInterface);
  find("GetVisibleNetworkList", loaded_.GetVisibleNetworkList);
  find("AddSsid", loaded_.AddSsid);
  find("DeleteSsid", loaded_.DeleteSsid);
  find("Connect", loaded_.Connect);
  find("Disconnect", loaded_.Disconnect);
  find("RegisterNotification", loaded_.RegisterNotification);
  find("UnRegisterNotification", loaded_.UnRegisterNotification);
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
