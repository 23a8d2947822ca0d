#include "platform/windows/TetheringHotspot.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace orvane::platform::windows_backend {
namespace {

using winrt::IAsyncOperation;
using winrt::ITetheringOperationResult;

// One worker's stay in the multithreaded apartment, for one call.
class ApartmentStay {
 public:
  explicit ApartmentStay(IRuntimeActivation& runtime)
      : runtime_(runtime), entered_(runtime.EnterApartment()) {}
  ~ApartmentStay() {
    if (SUCCEEDED(entered_)) runtime_.LeaveApartment();
  }
  ApartmentStay(const ApartmentStay&) = delete;
  ApartmentStay& operator=(const ApartmentStay&) = delete;
  // A thread already in a single-threaded apartment can still call agile runtime objects.
  bool Usable() const { return SUCCEEDED(entered_) || entered_ == RPC_E_CHANGED_MODE; }
  HRESULT Code() const { return entered_; }

 private:
  IRuntimeActivation& runtime_;
  HRESULT entered_;
};

bool SameTextIgnoringCase(const std::string& left, const std::string& right) {
  return left.size() == right.size() &&
         std::equal(left.begin(), left.end(), right.begin(), [](char a, char b) {
           return std::toupper(static_cast<unsigned char>(a)) ==
                  std::toupper(static_cast<unsigned char>(b));
         });
}

// "AA-BB-CC-DD-EE-FF" or "aa:bb:..." as the device list writes it.
std::string HardwareAddressText(std::string text) {
  for (char& c : text) {
    c = c == '-' ? ':' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return text;
}

}  // namespace

std::string GuidText(const GUID& guid) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0],
                guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                guid.Data4[6], guid.Data4[7]);
  return text;
}

std::vector<AuthCipherPair> ParseAuthCipherPairs(const void* data, std::size_t size) {
  std::vector<AuthCipherPair> pairs;
  constexpr std::size_t kCountSize = sizeof(uint32_t);
  constexpr std::size_t kPairSize = 2 * sizeof(uint32_t);
  if (data == nullptr || size < kCountSize) return pairs;
  const auto* bytes = static_cast<const unsigned char*>(data);
  uint32_t count = 0;
  std::memcpy(&count, bytes, kCountSize);
  const std::size_t fits = (size - kCountSize) / kPairSize;
  const std::size_t items = std::min<std::size_t>(count, fits);
  for (std::size_t i = 0; i < items; ++i) {
    AuthCipherPair pair;
    std::memcpy(&pair.authentication, bytes + kCountSize + i * kPairSize, sizeof(uint32_t));
    std::memcpy(&pair.cipher, bytes + kCountSize + i * kPairSize + sizeof(uint32_t),
                sizeof(uint32_t));
    pairs.push_back(pair);
  }
  return pairs;
}

TetheringHotspot::TetheringHotspot(IRuntimeActivation& runtime, ISystemInfo& system,
                                   AdHocQuery query, std::chrono::milliseconds waitBound)
    : runtime_(runtime), system_(system), query_(std::move(query)), waitBound_(waitBound) {}

bool TetheringHotspot::Present() {
  std::lock_guard lock(mutex_);
  if (present_) return *present_;
  present_ = false;
  if (!runtime_.Available()) return false;
  ApartmentStay stay(runtime_);
  if (!stay.Usable()) return false;
  ComPtr<IInspectable> statics;
  const HRESULT hr = runtime_.GetActivationFactory(winrt::kTetheringManagerClass,
                                                   winrt::kIidTetheringManagerStatics3,
                                                   reinterpret_cast<void**>(statics.Receive()));
  present_ = SUCCEEDED(hr) && static_cast<bool>(statics);
  return *present_;
}

uint32_t TetheringHotspot::QueryAdHocPairs(const std::string& interfaceGuid,
                                           std::vector<AuthCipherPair>& pairs) {
  pairs.clear();
  return query_ ? query_(interfaceGuid, pairs) : kErrorNotSupported;
}

HotspotAnswer TetheringHotspot::Start(const std::string& sourceGuid, const std::string& ssid,
                                      const std::string& passphrase) {
  std::lock_guard lock(mutex_);
  HotspotAnswer answer;
  ApartmentStay stay(runtime_);
  if (!stay.Usable()) {
    answer.code = stay.Code();
    return answer;
  }
  ComPtr<winrt::IConnectionProfile> profile;
  answer.code = FindProfile(sourceGuid, profile);
  if (FAILED(answer.code)) return answer;
  answer.code = profile->GetNetworkConnectivityLevel(&answer.connectivity);
  if (FAILED(answer.code) || answer.connectivity != kConnectivityInternet) return answer;

  ComPtr<winrt::ITetheringManagerStatics2> statics;
  answer.code = runtime_.GetActivationFactory(winrt::kTetheringManagerClass,
                                              winrt::kIidTetheringManagerStatics2,
                                              reinterpret_cast<void**>(statics.Receive()));
  if (SUCCEEDED(answer.code) && !statics) answer.code = E_POINTER;
  if (FAILED(answer.code)) return answer;
  answer.code =
      statics->GetTetheringCapabilityFromConnectionProfile(profile.Get(), &answer.capability);
  if (FAILED(answer.code) || answer.capability != kTetheringEnabled) return answer;

  ComPtr<winrt::ITetheringManager> manager;
  answer.code = statics->CreateFromConnectionProfile(profile.Get(), manager.Receive());
  if (SUCCEEDED(answer.code) && !manager) answer.code = E_POINTER;
  if (FAILED(answer.code)) return answer;
  answer.code = Configure(*manager.Get(), ssid, passphrase);
  if (FAILED(answer.code)) return answer;
  Switch(*manager.Get(), true, answer);
  if (SUCCEEDED(answer.code) && answer.status == kTetheringSuccess) manager_ = std::move(manager);
  return answer;
}

HotspotAnswer TetheringHotspot::Stop() {
  std::lock_guard lock(mutex_);
  HotspotAnswer answer;
  if (!manager_) return answer;
  ApartmentStay stay(runtime_);
  if (!stay.Usable()) {
    answer.code = stay.Code();
    return answer;
  }
  Switch(*manager_.Get(), false, answer);
  // Kept when it is still on, so that "Stop" can be tried again.
  if (SUCCEEDED(answer.code) && answer.status == kTetheringSuccess) manager_.Reset();
  return answer;
}

HResult TetheringHotspot::Clients(std::vector<ConnectedDevice>& devices) {
  std::lock_guard lock(mutex_);
  devices.clear();
  if (!manager_) return S_OK;
  ApartmentStay stay(runtime_);
  if (!stay.Usable()) return stay.Code();
  ComPtr<winrt::ITetheringClientManager> clientManager;
  HRESULT hr = manager_->QueryInterface(winrt::kIidTetheringClientManager,
                                        reinterpret_cast<void**>(clientManager.Receive()));
  if (SUCCEEDED(hr) && !clientManager) hr = E_POINTER;
  if (FAILED(hr)) return hr;
  ComPtr<winrt::IVectorView<winrt::ITetheringClient>> clients;
  hr = clientManager->GetTetheringClients(clients.Receive());
  if (SUCCEEDED(hr) && !clients) hr = E_POINTER;
  if (FAILED(hr)) return hr;
  UINT32 size = 0;
  hr = clients->get_Size(&size);
  if (FAILED(hr)) return hr;
  for (UINT32 i = 0; i < size; ++i) {
    ComPtr<winrt::ITetheringClient> client;
    if (FAILED(clients->GetAt(i, client.Receive())) || !client) continue;
    devices.push_back(ClientOf(*client.Get()));
  }
  return S_OK;
}

HRESULT TetheringHotspot::FindProfile(const std::string& sourceGuid,
                                      ComPtr<winrt::IConnectionProfile>& profile) {
  ComPtr<winrt::INetworkInformationStatics> information;
  HRESULT hr = runtime_.GetActivationFactory(winrt::kNetworkInformationClass,
                                             winrt::kIidNetworkInformationStatics,
                                             reinterpret_cast<void**>(information.Receive()));
  if (SUCCEEDED(hr) && !information) hr = E_POINTER;
  if (FAILED(hr)) return hr;
  ComPtr<winrt::IVectorView<winrt::IConnectionProfile>> profiles;
  hr = information->GetConnectionProfiles(profiles.Receive());
  if (SUCCEEDED(hr) && !profiles) hr = E_POINTER;
  if (FAILED(hr)) return hr;
  UINT32 size = 0;
  hr = profiles->get_Size(&size);
  if (FAILED(hr)) return hr;
  // The profile whose adapter is the source's: its adapter identifier is the interface GUID.
  for (UINT32 i = 0; i < size; ++i) {
    ComPtr<winrt::IConnectionProfile> candidate;
    if (FAILED(profiles->GetAt(i, candidate.Receive())) || !candidate) continue;
    ComPtr<winrt::INetworkAdapter> adapter;
    if (FAILED(candidate->get_NetworkAdapter(adapter.Receive())) || !adapter) continue;
    GUID id{};
    if (FAILED(adapter->get_NetworkAdapterId(&id))) continue;
    if (SameTextIgnoringCase(GuidText(id), sourceGuid)) {
      profile = std::move(candidate);
      return S_OK;
    }
  }
  return kSourceProfileMissing;
}

HRESULT TetheringHotspot::Configure(winrt::ITetheringManager& manager, const std::string& ssid,
                                    const std::string& passphrase) {
  // The current configuration keeps what the user set in Windows that is not ours (the band).
  ComPtr<winrt::ITetheringAccessPointConfiguration> configuration;
  HRESULT hr = manager.GetCurrentAccessPointConfiguration(configuration.Receive());
  if (SUCCEEDED(hr) && !configuration) hr = E_POINTER;
  if (FAILED(hr)) return hr;
  const RuntimeString name(runtime_, system_.ToUtf16(ssid));
  if (FAILED(name.Created())) return name.Created();
  const RuntimeString key(runtime_, system_.ToUtf16(passphrase));
  if (FAILED(key.Created())) return key.Created();
  hr = configuration->put_Ssid(name.Get());
  if (FAILED(hr)) return hr;
  hr = configuration->put_Passphrase(key.Get());
  if (FAILED(hr)) return hr;
  ComPtr<winrt::IAsyncAction> operation;
  hr = manager.ConfigureAccessPointAsync(configuration.Get(), operation.Receive());
  if (SUCCEEDED(hr) && !operation) hr = E_POINTER;
  if (FAILED(hr)) return hr;
  hr = Wait(operation.Get());
  if (FAILED(hr)) return hr;
  return operation->GetResults();
}

void TetheringHotspot::Switch(winrt::ITetheringManager& manager, bool on, HotspotAnswer& answer) {
  ComPtr<IAsyncOperation<ITetheringOperationResult>> operation;
  answer.code = on ? manager.StartTetheringAsync(operation.Receive())
                   : manager.StopTetheringAsync(operation.Receive());
  if (SUCCEEDED(answer.code) && !operation) answer.code = E_POINTER;
  if (FAILED(answer.code)) return;
  answer.code = Wait(operation.Get());
  if (FAILED(answer.code)) return;
  ComPtr<ITetheringOperationResult> result;
  answer.code = operation->GetResults(result.Receive());
  if (SUCCEEDED(answer.code) && !result) answer.code = E_POINTER;
  if (FAILED(answer.code)) return;
  answer.code = result->get_Status(&answer.status);
  if (FAILED(answer.code)) return;
  HSTRING detail = nullptr;
  if (SUCCEEDED(result->get_AdditionalErrorMessage(&detail))) answer.detail = Text(detail);
}

HRESULT TetheringHotspot::Wait(IInspectable* operation) {
  ComPtr<winrt::IAsyncInfo> info;
  HRESULT hr =
      operation->QueryInterface(winrt::kIidAsyncInfo, reinterpret_cast<void**>(info.Receive()));
  if (SUCCEEDED(hr) && !info) hr = E_POINTER;
  if (FAILED(hr)) return hr;
  const auto deadline = std::chrono::steady_clock::now() + waitBound_;
  for (;;) {
    int32_t status = winrt::kAsyncStarted;
    hr = info->get_Status(&status);
    if (FAILED(hr)) return hr;
    if (status == winrt::kAsyncCompleted) return S_OK;
    if (status == winrt::kAsyncError) {
      HRESULT error = E_FAIL;
      info->get_ErrorCode(&error);
      return FAILED(error) ? error : E_FAIL;
    }
    if (status == winrt::kAsyncCanceled) return E_ABORT;
    if (std::chrono::steady_clock::now() >= deadline) {
      // The system may still finish it; cancelling says the program no longer waits.
      info->Cancel();
      return kHotspotTimedOut;
    }
    runtime_.Pause(kPollInterval);
  }
}

std::string TetheringHotspot::Text(HSTRING string) {
  if (string == nullptr) return {};
  std::string text = system_.FromUtf16(runtime_.ReadString(string));
  runtime_.DeleteString(string);
  return text;
}

ConnectedDevice TetheringHotspot::ClientOf(winrt::ITetheringClient& client) {
  ConnectedDevice device;
  HSTRING address = nullptr;
  if (SUCCEEDED(client.get_MacAddress(&address))) {
    device.hardwareAddress = HardwareAddressText(Text(address));
  }
  ComPtr<winrt::IVectorView<winrt::IHostName>> names;
  if (FAILED(client.get_HostNames(names.Receive())) || !names) return device;
  UINT32 size = 0;
  if (FAILED(names->get_Size(&size))) return device;
  for (UINT32 i = 0; i < size; ++i) {
    ComPtr<winrt::IHostName> name;
    if (FAILED(names->GetAt(i, name.Receive())) || !name) continue;
    int32_t type = -1;
    if (FAILED(name->get_Type(&type))) continue;
    HSTRING text = nullptr;
    if (type == winrt::kHostIpv4 && device.ipv4Address.empty() &&
        SUCCEEDED(name->get_RawName(&text))) {
      device.ipv4Address = Text(text);
    } else if (type == winrt::kHostDomainName && device.name.empty() &&
               SUCCEEDED(name->get_DisplayName(&text))) {
      device.name = Text(text);
    }
  }
  return device;
}

}  // namespace orvane::platform::windows_backend
