// Bus and medium facts from a made-up sysfs tree: the PnP ids the components classify as
// physical, and the wireless mark.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TestNamespace.h"
#include "platform/linux/InterfaceFacts.h"

namespace orvane::platform::linux_backend {
namespace {

namespace fs = std::filesystem;

class InterfaceFactsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = temp_.Path();
    fs::create_directories(root_ / "bus" / "pci");
    fs::create_directories(root_ / "bus" / "usb");
    fs::create_directories(root_ / "bus" / "virtio");
    fs::create_directories(root_ / "class" / "net");
  }

  // A device folder with a subsystem link and the given files.
  fs::path Device(const fs::path& path, const std::string& subsystem,
                  const std::vector<std::pair<std::string, std::string>>& files) {
    const fs::path device = root_ / "devices" / path;
    fs::create_directories(device);
    fs::create_directory_symlink(root_ / "bus" / subsystem, device / "subsystem");
    for (const auto& [name, content] : files) std::ofstream(device / name) << content << "\n";
    return device;
  }

  // An interface entry whose "device" link points at the device.
  fs::path Interface(const std::string& name, const fs::path& device) {
    const fs::path entry = root_ / "class" / "net" / name;
    fs::create_directories(entry);
    fs::create_directory_symlink(device, entry / "device");
    return entry;
  }

  std::string Net() const { return (root_ / "class" / "net").string(); }

  test::TempFolder temp_;
  fs::path root_;
};

TEST_F(InterfaceFactsTest, PciDeviceBehindVirtioGivesAPciId) {
  const fs::path pci = Device("pci0000:00/0000:00:03.0", "pci",
                              {{"vendor", "0x1af4"},
                               {"device", "0x1000"},
                               {"subsystem_vendor", "0x1af4"},
                               {"subsystem_device", "0x0001"},
                               {"revision", "0x00"}});
  const fs::path virtio = Device("pci0000:00/0000:00:03.0/virtio0", "virtio", {});
  Interface("eth0", virtio);
  const InterfaceFacts facts = ReadInterfaceFacts(Net(), "eth0", "");
  EXPECT_EQ(facts.pnpInstanceId, "PCI\\VEN_1AF4&DEV_1000&SUBSYS_00011AF4&REV_00\\0000:00:03.0");
  EXPECT_FALSE(facts.wireless);
}

TEST_F(InterfaceFactsTest, UsbInterfaceTakesItsDevicesIdsAndSerial) {
  Device("usb1/1-2", "usb", {{"idVendor", "0bda"}, {"idProduct", "8153"}, {"serial", "00e04c"}});
  const fs::path function = Device("usb1/1-2/1-2:1.0", "usb", {});
  const fs::path entry = Interface("wlx001", function);
  fs::create_directories(entry / "phy80211");
  const InterfaceFacts facts = ReadInterfaceFacts(Net(), "wlx001", "");
  EXPECT_EQ(facts.pnpInstanceId, "USB\\VID_0BDA&PID_8153\\00E04C");
  EXPECT_TRUE(facts.wireless);
}

TEST_F(InterfaceFactsTest, OtherBusesAndVirtualLinksAreNotPhysical) {
  Interface("sd0", Device("platform/soc/mmc0", "virtio", {}));
  EXPECT_EQ(ReadInterfaceFacts(Net(), "sd0", "").pnpInstanceId, "VIRTIO\\sd0");

  fs::create_directories(root_ / "class" / "net" / "br0");
  const InterfaceFacts bridge = ReadInterfaceFacts(Net(), "br0", "bridge");
  EXPECT_EQ(bridge.pnpInstanceId, "SW\\bridge\\br0");
  EXPECT_EQ(bridge.description, "bridge (br0)");

  fs::create_directories(root_ / "class" / "net" / "odd0");
  const InterfaceFacts bare = ReadInterfaceFacts(Net(), "odd0", "");
  EXPECT_EQ(bare.pnpInstanceId, "ROOT\\NET\\odd0");
  EXPECT_EQ(bare.description, "odd0");
}

TEST_F(InterfaceFactsTest, BrokenSysfsFilesGiveAFallbackNotACrash) {
  Device("pci0000:00/0000:00:1f.6", "pci", {{"vendor", "garbage"}, {"device", ""}});
  Interface("eth1", root_ / "devices" / "pci0000:00" / "0000:00:1f.6");
  const InterfaceFacts facts = ReadInterfaceFacts(Net(), "eth1", "");
  EXPECT_EQ(facts.pnpInstanceId, "PCI\\eth1");  // neither a PCI id nor a crash
  EXPECT_EQ(facts.description, "eth1");
  EXPECT_EQ(ReadInterfaceFacts(Net(), "missing0", "").pnpInstanceId, "ROOT\\NET\\missing0");
}

}  // namespace
}  // namespace orvane::platform::linux_backend
