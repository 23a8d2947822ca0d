#pragma once

#include <cstdint>

struct sd_bus;

namespace orvane::platform::linux_backend {

// A started connection to the system bus ($DBUS_SYSTEM_BUS_ADDRESS when set, for the tests'
// private bus), or null. The timeout also bounds the greeting, so a bus that accepts but
// never answers cannot stall the caller. The caller owns the connection
// (sd_bus_flush_close_unref).
sd_bus* OpenSystemBus(uint64_t callTimeoutUs);

}  // namespace orvane::platform::linux_backend
