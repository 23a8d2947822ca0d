#pragma once

#include <string>

namespace orvane::platform::linux_backend {

// What sysfs and the hardware database say about one interface.
struct InterfaceFacts {
  bool wireless = false;      // has a wireless extension or a phy80211 link
  std::string pnpInstanceId;  // "PCI\VEN_8086&DEV_15D7&SUBSYS_...", "USB\VID_...", "SW\veth\x"
  std::string description;    // "Vendor Model", else "driver (name)"
};

// sysfsNet is the folder that holds one entry per interface (normally "/sys/class/net").
// linkKind is the kernel's link kind ("veth", "bridge"...), empty for hardware.
InterfaceFacts ReadInterfaceFacts(const std::string& sysfsNet, const std::string& name,
                                  const std::string& linkKind);

}  // namespace orvane::platform::linux_backend
