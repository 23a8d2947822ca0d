#include "platform/linux/InterfaceFacts.h"

#include <systemd/sd-hwdb.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>

namespace orvane::platform::linux_backend {
namespace {

namespace fs = std::filesystem;

std::string ReadLine(const fs::path& path) {
  std::ifstream file(path);
  std::string line;
  std::getline(file, line);
  return line;
}

// A sysfs hexadecimal id ("0x8086" or "8086") as a number; nullopt when missing or bad.
std::optional<unsigned> ReadHexId(const fs::path& path) {
  std::string text = ReadLine(path);
  if (text.empty()) return std::nullopt;
  try {
    std::size_t used = 0;
    unsigned long value = std::stoul(text, &used, 16);
    if (value > 0xFFFFFFFFul) return std::nullopt;
    return static_cast<unsigned>(value);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::string Hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string SubsystemOf(const fs::path& device) {
  std::error_code error;
  fs::path target = fs::read_symlink(device / "subsystem", error);
  return error ? std::string() : target.filename().string();
}

std::string PciId(const fs::path& device) {
  auto vendor = ReadHexId(device / "vendor");
  auto model = ReadHexId(device / "device");
  if (!vendor || !model) return {};
  std::string id = "PCI\\VEN_" + Hex(*vendor, 4) + "&DEV_" + Hex(*model, 4);
  auto subVendor = ReadHexId(device / "subsystem_vendor");
  auto subDevice = ReadHexId(device / "subsystem_device");
  if (subVendor && subDevice) id += "&SUBSYS_" + Hex(*subDevice, 4) + Hex(*subVendor, 4);
  if (auto revision = ReadHexId(device / "revision")) id += "&REV_" + Hex(*revision, 2);
  return id + "\\" + Upper(device.filename().string());
}

std::string UsbId(const fs::path& usbDevice) {
  auto vendor = ReadHexId(usbDevice / "idVendor");
  auto product = ReadHexId(usbDevice / "idProduct");
  if (!vendor || !product) return {};
  std::string serial = ReadLine(usbDevice / "serial");
  if (serial.empty()) serial = usbDevice.filename().string();
  return "USB\\VID_" + Hex(*vendor, 4) + "&PID_" + Hex(*product, 4) + "\\" + Upper(serial);
}

std::string PcmciaId(const fs::path& device) {
  auto manufacturer = ReadHexId(device / "manf_id");
  auto card = ReadHexId(device / "card_id");
  if (!manufacturer || !card) return {};
  return "PCMCIA\\MANF_" + Hex(*manufacturer, 4) + "&CARD_" + Hex(*card, 4) + "\\" +
         Upper(device.filename().string());
}

// Walks from the interface's device towards the root until a PCI, USB or PCMCIA device is
// found (a virtio or USB interface device sits below the bus device).
std::string BusInstanceId(const fs::path& device, const std::string& name) {
  std::error_code error;
  fs::path current = fs::canonical(device, error);
  if (error) return {};
  const std::string firstSubsystem = SubsystemOf(current);
  for (int depth = 0; depth < 8 && current.has_parent_path() && current != "/sys/devices";
       ++depth, current = current.parent_path()) {
    const std::string subsystem = SubsystemOf(current);
    std::string id;
    if (subsystem == "pci") {
      id = PciId(current);
    } else if (subsystem == "usb" && fs::exists(current / "idVendor", error)) {
      id = UsbId(current);
    } else if (subsystem == "pcmcia") {
      id = PcmciaId(current);
    }
    if (!id.empty()) return id;
  }
  return Upper(firstSubsystem.empty() ? "ROOT" : firstSubsystem) + "\\" + name;
}

std::string HwdbProperty(sd_hwdb* hwdb, const std::string& modalias, const char* key) {
  const char* value = nullptr;
  if (hwdb == nullptr || modalias.empty() || sd_hwdb_get(hwdb, modalias.c_str(), key, &value) < 0 ||
      value == nullptr) {
    return {};
  }
  return value;
}

// "Vendor Model" from the hardware database, looked up by the device's modalias (and, for a
// USB interface, its parent's).
std::string HardwareDescription(const fs::path& device) {
  sd_hwdb* hwdb = nullptr;
  if (sd_hwdb_new(&hwdb) < 0) return {};
  std::string description;
  std::error_code error;
  fs::path current = fs::canonical(device, error);
  for (int depth = 0; !error && depth < 3 && description.empty(); ++depth) {
    std::string modalias = ReadLine(current / "modalias");
    std::string vendor = HwdbProperty(hwdb, modalias, "ID_VENDOR_FROM_DATABASE");
    std::string model = HwdbProperty(hwdb, modalias, "ID_MODEL_FROM_DATABASE");
    if (!model.empty()) description = vendor.empty() ? model : vendor + " " + model;
    current = current.parent_path();
  }
  sd_hwdb_unref(hwdb);
  return description;
}

std::string DriverOf(const fs::path& device, const std::string& linkKind) {
  std::error_code error;
  fs::path driver = fs::read_symlink(device / "driver", error);
  if (!error) return driver.filename().string();
  return linkKind;
}

}  // namespace

InterfaceFacts ReadInterfaceFacts(const std::string& sysfsNet, const std::string& name,
                                  const std::string& linkKind) {
  InterfaceFacts facts;
  const fs::path entry = fs::path(sysfsNet) / name;
  const fs::path device = entry / "device";
  std::error_code error;
  facts.wireless = fs::exists(entry / "wireless", error) || fs::exists(entry / "phy80211", error);

  const bool hasDevice = fs::exists(device, error);
  if (hasDevice) {
    facts.pnpInstanceId = BusInstanceId(device, name);
  } else if (!linkKind.empty()) {
    facts.pnpInstanceId = "SW\\" + linkKind + "\\" + name;
  } else {
    facts.pnpInstanceId = "ROOT\\NET\\" + name;
  }

  if (hasDevice) facts.description = HardwareDescription(device);
  if (facts.description.empty()) {
    std::string driver = hasDevice ? DriverOf(device, linkKind) : linkKind;
    facts.description = driver.empty() ? name : driver + " (" + name + ")";
  }
  return facts;
}

}  // namespace orvane::platform::linux_backend
