#pragma once

#include <memory>
#include <string>

#include "AdapterQuery.h"
#include "AutoRunStore.h"
#include "ConnectionKindSource.h"
#include "InternetProbe.h"
#include "MobileHotspot.h"
#include "ServiceControlManager.h"
#include "SharingService.h"
#include "SystemInfo.h"
#include "WirelessLibrary.h"
#include "WzcStore.h"

namespace orvane::platform {

// Every OS service the components use, from one backend.
class Platform {
 public:
  virtual ~Platform() = default;
  virtual IAdapterQuery& Adapters() = 0;
  virtual IConnectionKindSource& ConnectionKinds() = 0;
  virtual ISharingService& Sharing() = 0;
  virtual IInternetProbe& Internet() = 0;
  virtual IServiceControlManager& Services() = 0;
  virtual ISystemInfo& System() = 0;
  virtual IAutoRunStore& AutoRun() = 0;
  virtual IWzcStore& Wzc() = 0;
  virtual const WirelessLibrary& Wireless() = 0;
  // Why the wireless library could not be used, for the user; empty when it can.
  virtual std::string WirelessProblem() const { return {}; }
  // Windows' Mobile Hotspot where the system has one; null elsewhere.
  virtual IMobileHotspot* MobileHotspot() { return nullptr; }
};

// The backend of the OS the program was built for.
std::unique_ptr<Platform> CreateDefaultPlatform();

}  // namespace orvane::platform
