#pragma once

#include <sys/eventfd.h>
#include <unistd.h>

#include <map>
#include <string>
#include <thread>

#include "platform/WirelessLibrary.h"
#include "platform/linux/SystemBus.h"

namespace orvane::platform::linux_backend {

// Turns NetworkManager's device state changes into the library's notifications, on a thread
// of its own with a bus connection of its own: 10 (connection complete, with the network's
// name) when a Wi-Fi device becomes activated, 21 (disconnected, with the name it had) when
// it leaves that state. Without a bus it delivers nothing. Once destroyed the callback is
// not running and never runs again.
class NmNotifier {
 public:
  explicit NmNotifier(OrvaneWlanCallback callback);
  ~NmNotifier();
  NmNotifier(const NmNotifier&) = delete;
  NmNotifier& operator=(const NmNotifier&) = delete;

 private:
  static int OnStateChanged(sd_bus_message* message, void* self, sd_bus_error* error);
  void StateChanged(const std::string& devicePath, uint32_t newState, uint32_t oldState);
  std::string ActiveSsid(const std::string& devicePath);
  void Deliver(uint32_t code, const std::string& ssid);
  void Run();

  OrvaneWlanCallback callback_;
  BusPtr bus_;
  sd_bus_slot* slot_ = nullptr;
  // The name each activated device joined or hosts; touched on the thread only.
  std::map<std::string, std::string> activated_;
  // Written once to end the thread at once, without it polling the clock.
  struct Fd {
    int fd;
    ~Fd() {
      if (fd >= 0) close(fd);
    }
    int get() const { return fd; }
  } stop_{eventfd(0, EFD_CLOEXEC)};
  std::thread thread_;
};

}  // namespace orvane::platform::linux_backend
