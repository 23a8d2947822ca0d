#pragma once

#include <memory>

namespace orvane::platform {

// The system's requests to end the program that arrive outside the window system (SIGTERM and
// SIGINT on Linux, sent at log-off, shut-down or by the user), as a handle the user interface's
// event loop can watch. At most one source exists per process.
class EndRequestSource {
 public:
  virtual ~EndRequestSource() = default;
  // A descriptor that becomes readable when an end was requested.
  virtual int ReadableHandle() const = 0;
  // Takes the pending requests, so the handle is quiet until the next one.
  virtual void Acknowledge() = 0;
};

// Null where the system sends no such requests or they cannot be received (another source
// exists, or the handlers cannot be installed).
std::unique_ptr<EndRequestSource> CreateEndRequestSource();

}  // namespace orvane::platform
