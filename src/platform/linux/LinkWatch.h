#pragma once

#include <functional>
#include <memory>
#include <thread>

#include "platform/InternetProbe.h"

namespace orvane::platform::linux_backend {

// Listens to the kernel's announcements of links and IPv4 routes (rtnetlink multicast) on a
// thread of its own that sleeps in poll() until one arrives, so an idle machine costs no
// wake-ups. After each datagram that may change the way out it reads the tables again and
// tells whether a default route over a working link remains.
class LinkWatch : public ILinkWatch {
 public:
  // Null when the socket cannot be opened or joined to the groups.
  static std::unique_ptr<LinkWatch> Start(std::function<void(bool uplink)> changed);
  ~LinkWatch() override;
  LinkWatch(const LinkWatch&) = delete;
  LinkWatch& operator=(const LinkWatch&) = delete;

 private:
  LinkWatch(int socket, int stop, std::function<void(bool)> changed);
  void Run();
  void Announce();

  const int socket_;
  const int stop_;  // an eventfd that ends the thread's poll
  std::function<void(bool)> changed_;
  std::thread thread_;
};

}  // namespace orvane::platform::linux_backend
