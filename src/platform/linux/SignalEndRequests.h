#pragma once

#include <memory>

#include "platform/EndRequests.h"

namespace orvane::platform::linux_backend {

// SIGTERM and SIGINT turned into bytes on a socket pair, so no work is done in the handler.
std::unique_ptr<EndRequestSource> CreateSignalEndRequests();

}  // namespace orvane::platform::linux_backend
