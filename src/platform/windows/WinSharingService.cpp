#include "platform/windows/WinSharingService.h"

#include "platform/windows/Win32.h"
// clang-format off
#include <objbase.h>
#include <oleauto.h>
#include <netcon.h>
// clang-format on

#include <cstring>

#include "platform/windows/ComPtr.h"
#include "platform/windows/WinNeighbourTable.h"

namespace orvane::platform::windows_backend {
namespace {

// Defined here: not every import library carries these identifiers.
constexpr GUID kClsidNetSharingManager = {
    0x5C63C1AD, 0x3956, 0x4FF8, {0x84, 0x86, 0x40, 0x03, 0x47, 0x58, 0x31, 0x5B}};
constexpr GUID kIidINetSharingManager = {
    0xC08956B7, 0x1CD3, 0x11D1, {0xB1, 0xC5, 0x00, 0x80, 0x5F, 0xC1, 0x27, 0x0E}};
constexpr GUID kIidINetConnection = {
    0xC08956A1, 0x1CD3, 0x11D1, {0xB1, 0xC5, 0x00, 0x80, 0x5F, 0xC1, 0x27, 0x0E}};
constexpr GUID kIidIEnumVariant = {
    0x00020404, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

std::u16string CopyWide(const wchar_t* text) {
  if (text == nullptr) return {};
  return std::u16string(reinterpret_cast<const char16_t*>(text));
}

class WinNetConnection : public platform::INetConnection {
 public:
  explicit WinNetConnection(ComPtr<::INetConnection> connection)
      : connection_(std::move(connection)) {}

  NetConProperties GetProperties() override {
    NetConProperties result;
    ReadProperties(result);
    return result;
  }

  HRESULT ReadProperties(NetConProperties& result) {
    NETCON_PROPERTIES* raw = nullptr;
    const HRESULT hr = connection_->GetProperties(&raw);
    if (FAILED(hr)) return hr;
    if (raw == nullptr) return E_POINTER;
    std::memcpy(&result.guidId.data1, &raw->guidId.Data1, sizeof(result.guidId.data1));
    result.guidId.data2 = raw->guidId.Data2;
    result.guidId.data3 = raw->guidId.Data3;
    std::memcpy(result.guidId.data4.data(), raw->guidId.Data4, result.guidId.data4.size());
    result.name = CopyWide(raw->pszwName);
    result.deviceName = CopyWide(raw->pszwDeviceName);
    result.status = static_cast<uint32_t>(raw->Status);
    result.mediaType = static_cast<uint32_t>(raw->MediaType);
    // Freed field by field with the COM allocator: the library that exports the one-call free
    // is missing on some systems.
    ::CoTaskMemFree(raw->pszwName);
    ::CoTaskMemFree(raw->pszwDeviceName);
    ::CoTaskMemFree(raw);
    return S_OK;
  }

  ::INetConnection* Raw() const { return connection_.Get(); }

 private:
  ComPtr<::INetConnection> connection_;
};

class WinSharingConfiguration : public ISharingConfiguration {
 public:
  // The connection's GUID finds its interface in the neighbour table; guidRead is how reading it
  // went, answered for the devices when it failed.
  WinSharingConfiguration(ComPtr<INetSharingConfiguration> configuration, const Guid& guid,
                          HRESULT guidRead)
      : configuration_(std::move(configuration)), guid_(guid), guidRead_(guidRead) {}

  HResult GetSharingEnabled(bool& enabled) override {
    VARIANT_BOOL value = VARIANT_FALSE;
    const HRESULT hr = configuration_->get_SharingEnabled(&value);
    enabled = value != VARIANT_FALSE;
    return hr;
  }
  HResult EnableSharing(int32_t sharingType) override {
    return configuration_->EnableSharing(static_cast<SHARINGCONNECTIONTYPE>(sharingType));
  }
  HResult DisableSharing() override { return configuration_->DisableSharing(); }
  HResult GetConnectedDevices(std::vector<ConnectedDevice>& devices) override {
    devices.clear();
    bool enabled = false;
    HRESULT hr = GetSharingEnabled(enabled);
    if (FAILED(hr)) return hr;
    if (!enabled) return S_OK;
    SHARINGCONNECTIONTYPE type = ICSSHARINGTYPE_PUBLIC;
    hr = configuration_->get_SharingConnectionType(&type);
    if (FAILED(hr)) return hr;
    if (type != ICSSHARINGTYPE_PRIVATE) return S_OK;
    if (FAILED(guidRead_)) return guidRead_;
    return ListNeighbourDevices(guid_, devices);
  }

 private:
  ComPtr<INetSharingConfiguration> configuration_;
  Guid guid_;
  HRESULT guidRead_;
};

class WinConnectionEnumerator : public IConnectionEnumerator {
 public:
  explicit WinConnectionEnumerator(ComPtr<IEnumVARIANT> items) : items_(std::move(items)) {}

  HResult Next(std::unique_ptr<platform::INetConnection>& item) override {
    VARIANT variant;
    ::VariantInit(&variant);
    ULONG fetched = 0;
    HRESULT hr = items_->Next(1, &variant, &fetched);
    if (hr == S_OK) hr = ToConnection(variant, item);
    ::VariantClear(&variant);
    return hr;
  }

 private:
  static HRESULT ToConnection(const VARIANT& variant,
                              std::unique_ptr<platform::INetConnection>& item) {
    IUnknown* unknown = nullptr;
    if (V_VT(&variant) == VT_UNKNOWN) unknown = V_UNKNOWN(&variant);
    if (V_VT(&variant) == VT_DISPATCH) unknown = V_DISPATCH(&variant);
    if (unknown == nullptr) return E_NOINTERFACE;
    ComPtr<::INetConnection> connection;
    const HRESULT hr =
        unknown->QueryInterface(kIidINetConnection, reinterpret_cast<void**>(connection.Receive()));
    if (SUCCEEDED(hr)) item = std::make_unique<WinNetConnection>(std::move(connection));
    return hr;
  }

  ComPtr<IEnumVARIANT> items_;
};

class WinSharingManager : public ISharingManager {
 public:
  explicit WinSharingManager(ComPtr<INetSharingManager> manager) : manager_(std::move(manager)) {}

  HResult EnumEveryConnection(std::unique_ptr<IConnectionEnumerator>& enumerator) override {
    ComPtr<INetSharingEveryConnectionCollection> collection;
    HRESULT hr = manager_->get_EnumEveryConnection(collection.Receive());
    if (FAILED(hr)) return hr;
    if (!collection) return E_POINTER;
    ComPtr<IUnknown> unknown;
    hr = collection->get__NewEnum(unknown.Receive());
    if (FAILED(hr)) return hr;
    if (!unknown) return E_POINTER;
    ComPtr<IEnumVARIANT> items;
    hr = unknown->QueryInterface(kIidIEnumVariant, reinterpret_cast<void**>(items.Receive()));
    if (FAILED(hr)) return hr;
    enumerator = std::make_unique<WinConnectionEnumerator>(std::move(items));
    return hr;
  }

  HResult GetConfiguration(platform::INetConnection& connection,
                           std::unique_ptr<ISharingConfiguration>& configuration) override {
    auto* own = dynamic_cast<WinNetConnection*>(&connection);
    if (own == nullptr) return E_INVALIDARG;
    ComPtr<INetSharingConfiguration> raw;
    const HRESULT hr =
        manager_->get_INetSharingConfigurationForINetConnection(own->Raw(), raw.Receive());
    if (FAILED(hr)) return hr;
    if (!raw) return E_POINTER;
    NetConProperties properties;
    const HRESULT guidRead = own->ReadProperties(properties);
    configuration =
        std::make_unique<WinSharingConfiguration>(std::move(raw), properties.guidId, guidRead);
    return hr;
  }

 private:
  ComPtr<INetSharingManager> manager_;
};

}  // namespace

HResult WinSharingService::CoInitialize() {
  return ::CoInitialize(nullptr);
}

void WinSharingService::CoUninitialize() {
  ::CoUninitialize();
}

HResult WinSharingService::CreateSharingManager(std::unique_ptr<ISharingManager>& manager) {
  ComPtr<INetSharingManager> raw;
  const HRESULT hr = ::CoCreateInstance(
      kClsidNetSharingManager, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
      kIidINetSharingManager, reinterpret_cast<void**>(raw.Receive()));
  if (FAILED(hr)) return hr;
  if (!raw) return E_POINTER;
  manager = std::make_unique<WinSharingManager>(std::move(raw));
  return hr;
}

}  // namespace orvane::platform::windows_backend
