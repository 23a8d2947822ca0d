#pragma once

#include <functional>
#include <mutex>
#include <utility>

namespace orvane {

// A component event: assigned on the UI thread, raised from whichever thread the source runs
// on (the monitor, the library's notification thread). Assigning and raising are therefore
// guarded; the receiver runs on a copy, outside the guard. An unassigned event is skipped.
template <typename... Args>
class Event {
 public:
  using Handler = std::function<void(Args...)>;

  Event() = default;
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;

  Event& operator=(Handler handler) {
    std::lock_guard lock(mutex_);
    handler_ = std::move(handler);
    return *this;
  }

  void operator()(Args... args) const {
    Handler handler;
    {
      std::lock_guard lock(mutex_);
      handler = handler_;
    }
    if (handler) handler(args...);
  }

 private:
  mutable std::mutex mutex_;
  Handler handler_;
};

}  // namespace orvane
