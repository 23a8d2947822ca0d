#include "platform/linux/SystemBus.h"

#include <systemd/sd-bus.h>

#include <cstdlib>

namespace orvane::platform::linux_backend {

sd_bus* OpenSystemBus(uint64_t callTimeoutUs) {
  constexpr const char* kSystemBusAddress = "unix:path=/run/dbus/system_bus_socket";
  // Built by hand rather than with sd_bus_open_system so the timeout holds for the greeting.
  const char* address = secure_getenv("DBUS_SYSTEM_BUS_ADDRESS");
  sd_bus* bus = nullptr;
  if (sd_bus_new(&bus) < 0) return nullptr;
  if (sd_bus_set_address(bus, address != nullptr ? address : kSystemBusAddress) < 0 ||
      sd_bus_set_bus_client(bus, 1) < 0 || sd_bus_set_method_call_timeout(bus, callTimeoutUs) < 0 ||
      sd_bus_start(bus) < 0) {
    sd_bus_unref(bus);
    return nullptr;
  }
  return bus;
}

}  // namespace orvane::platform::linux_backend
