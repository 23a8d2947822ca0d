#pragma once

#include "platform/AdapterQuery.h"

namespace orvane::platform::windows_backend {

// IP Helper's adapter list and interface table, copied field by field out of the buffers the
// caller sized.
class WinAdapterQuery : public IAdapterQuery {
 public:
  AdapterQueryResult GetAdaptersInfo(uint32_t bufferSize) override;
  InterfaceTableResult GetIfTable(uint32_t bufferSize) override;
};

}  // namespace orvane::platform::windows_backend
