#include "platform/windows/RegistryStores.h"

namespace orvane::platform::windows_backend {
namespace {

class WinRunKey : public IRunKey {
 public:
  explicit WinRunKey(RegistryKey key) : key_(std::move(key)) {}
  int32_t WriteString(const std::string& name, const std::string& data) override {
    return key_.WriteText(name, data);
  }
  int32_t DeleteValue(const std::string& name) override { return key_.DeleteValue(name); }

 private:
  RegistryKey key_;
};

}  // namespace

ConnectionKindFacts WinConnectionKinds::ReadConnectionKindFacts(const std::string& guid) {
  ConnectionKindFacts facts;
  RegistryKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, kNetworkClassKey + guid + "\\Connection", KEY_READ) !=
      ERROR_SUCCESS)
    return facts;
  facts.keyOpened = true;
  facts.pnpInstanceId = key.ReadText("PnpInstanceID");
  facts.mediaSubType = key.ReadNumber("MediaSubType");
  return facts;
}

std::unique_ptr<IRunKey> WinAutoRunStore::OpenRunKey() {
  RegistryKey key;
  if (key.Create(HKEY_LOCAL_MACHINE, kRunKey, KEY_ALL_ACCESS) != ERROR_SUCCESS) return nullptr;
  return std::make_unique<WinRunKey>(std::move(key));
}

bool WinWzcStore::OpenInterfacesKey() {
  return interfaces_.Open(HKEY_LOCAL_MACHINE, kWzcInterfacesKey, KEY_ALL_ACCESS) == ERROR_SUCCESS;
}

std::vector<std::string> WinWzcStore::InterfaceNames() {
  return interfaces_.IsOpen() ? interfaces_.SubkeyNames() : std::vector<std::string>{};
}

StoredNumber WinWzcStore::ReadControlFlags(const std::string& interfaceName) {
  RegistryKey key;
  if (!interfaces_.IsOpen() ||
      key.Open(HKEY_LOCAL_MACHINE, std::string(kWzcInterfacesKey) + "\\" + interfaceName,
               KEY_READ) != ERROR_SUCCESS)
    return StoredNumber::Missing();
  return key.ReadNumber("ControlFlags");
}

int32_t WinWzcStore::WriteControlFlags(const std::string& interfaceName, uint32_t flags) {
  RegistryKey key;
  const LSTATUS opened = key.Open(
      HKEY_LOCAL_MACHINE, std::string(kWzcInterfacesKey) + "\\" + interfaceName, KEY_SET_VALUE);
  if (opened != ERROR_SUCCESS) return opened;
  return key.WriteNumber("ControlFlags", flags);
}

}  // namespace orvane::platform::windows_backend
