#pragma once

#include <functional>
#include <memory>

#include "platform/SharingService.h"

namespace orvane {

// Keeps COM initialised on this thread for one operation. Uninitialises on every way out, but
// only when the initialisation succeeded: a refused one (another threading model already set)
// must not be balanced, and COM is still usable then.
class ComSession {
 public:
  explicit ComSession(platform::ISharingService& sharing);
  ~ComSession();
  ComSession(const ComSession&) = delete;
  ComSession& operator=(const ComSession&) = delete;

 private:
  platform::ISharingService& sharing_;
  bool initialized_;
};

// Raises ComError for a failed HRESULT.
void CheckHResult(platform::HResult hr);

// The sharing manager object; raises ComError when it cannot be created.
std::unique_ptr<platform::ISharingManager> CreateSharingManager(platform::ISharingService& sharing);

// Calls visit for every connection in the service's order. The walk ends at the first answer of
// the enumerator other than S_OK, the end included; a failed enumeration raises ComError.
void ForEachConnection(platform::ISharingManager& manager,
                       const std::function<void(platform::INetConnection&)>& visit);

// The connection's sharing configuration; raises ComError when it cannot be had.
std::unique_ptr<platform::ISharingConfiguration> SharingConfigurationFor(
    platform::ISharingManager& manager, platform::INetConnection& connection);

}  // namespace orvane
