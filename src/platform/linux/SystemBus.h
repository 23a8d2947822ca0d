#pragma once

#include <systemd/sd-bus.h>

#include <cstdint>
#include <cstdlib>
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
  sd_bus_error error{};  // the same as SD_BUS_ERROR_NULL, without a C compound literal
  BusError() = default;
  BusError(const BusError&) = delete;
  BusError& operator=(const BusError&) = delete;
  ~BusError() { sd_bus_error_free(&error); }
  sd_bus_error* get() { return &error; }
};

// A text the bus library allocated for the caller (a string property's value), freed with it.
using BusText = std::unique_ptr<char, void (*)(void*)>;
inline BusText OwnBusText(char* text) {
  return {text, std::free};
}

}  // namespace orvane::platform::linux_backend
