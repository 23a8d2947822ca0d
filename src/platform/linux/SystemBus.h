#pragma once

#include <systemd/sd-bus.h>

#include <cstdint>
#include <memory>

namespace orvane::platform::linux_backend {

// A started connection to the system bus ($DBUS_SYSTEM_BUS_ADDRESS when set, for the tests'
// private bus), or null. The timeout also bounds the greeting, so a bus that accepts but
// never answers cannot stall the caller. The caller owns the connection
// (sd_bus_flush_close_unref).
sd_bus* OpenSystemBus(uint64_t callTimeoutUs);

struct BusDeleter {
  void operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }
};
using BusPtr = std::unique_ptr<sd_bus, BusDeleter>;

struct MessageDeleter {
  void operator()(sd_bus_message* message) const { sd_bus_message_unref(message); }
};
using MessagePtr = std::unique_ptr<sd_bus_message, MessageDeleter>;

// An sd-bus error freed on every way out.
struct BusError {
  sd_bus_error error = SD_BUS_ERROR_NULL;
  BusError() = default;
  BusError(const BusError&) = delete;
  BusError& operator=(const BusError&) = delete;
  ~BusError() { sd_bus_error_free(&error); }
  sd_bus_error* get() { return &error; }
};

}  // namespace orvane::platform::linux_backend
