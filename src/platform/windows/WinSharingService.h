#pragma once

#include "platform/SharingService.h"

namespace orvane::platform::windows_backend {

// Internet Connection Sharing through its COM service (needs administrator rights to change).
class WinSharingService : public ISharingService {
 public:
  HResult CoInitialize() override;
  void CoUninitialize() override;
  HResult CreateSharingManager(std::unique_ptr<ISharingManager>& manager) override;
};

}  // namespace orvane::platform::windows_backend
