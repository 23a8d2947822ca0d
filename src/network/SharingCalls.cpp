#include "network/SharingCalls.h"

#include "common/Errors.h"

namespace orvane {

namespace {
// Answered when the service hands back no object although it reports success.
constexpr platform::HResult kENoInterface = static_cast<platform::HResult>(0x80004002u);

template <typename T>
void CheckObject(platform::HResult hr, const std::unique_ptr<T>& object) {
  CheckHResult(hr);
  if (!object) throw ComError(kENoInterface);
}
}  // namespace

ComSession::ComSession(platform::ISharingService& sharing)
    : sharing_(sharing), initialized_(platform::Succeeded(sharing.CoInitialize())) {}

ComSession::~ComSession() {
  if (initialized_) sharing_.CoUninitialize();
}

void CheckHResult(platform::HResult hr) {
  if (platform::Failed(hr)) throw ComError(hr);
}

std::unique_ptr<platform::ISharingManager> CreateSharingManager(
    platform::ISharingService& sharing) {
  std::unique_ptr<platform::ISharingManager> manager;
  CheckObject(sharing.CreateSharingManager(manager), manager);
  return manager;
}

void ForEachConnection(platform::ISharingManager& manager,
                       const std::function<void(platform::INetConnection&)>& visit) {
  std::unique_ptr<platform::IConnectionEnumerator> enumerator;
  CheckObject(manager.EnumEveryConnection(enumerator), enumerator);
  for (;;) {
    std::unique_ptr<platform::INetConnection> item;
    if (enumerator->Next(item) != platform::kSOk) break;
    if (!item) throw ComError(kENoInterface);
    visit(*item);
  }
}

std::unique_ptr<platform::ISharingConfiguration> SharingConfigurationFor(
    platform::ISharingManager& manager, platform::INetConnection& connection) {
  std::unique_ptr<platform::ISharingConfiguration> configuration;
  CheckObject(manager.GetConfiguration(connection, configuration), configuration);
  return configuration;
}

}  // namespace orvane
