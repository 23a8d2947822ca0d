#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "../common/TempFolder.h"
#include "RecordingView.h"
#include "app/MainWorkflow.h"
#include "network/AdpUtils.h"
#include "network/ConnectionUnit.h"
#include "platform/sim/SimMachine.h"
#include "wireless/WifiNetwork.h"

namespace orvane::testing {

inline constexpr const char* kWiredGuid = "{6B29FC40-CA47-1067-B31D-00DD010662DA}";
inline constexpr const char* kVpnGuid = "{0F3A9C12-5D7E-4B21-9A3C-7E1D2B4C6A80}";
inline constexpr const char* kBuiltInWifiGuid = "{A1B2C3D4-1111-2222-3333-444455556666}";
inline constexpr const char* kUsbWifiGuid = "{C0FFEE00-ABCD-4EF0-8123-456789ABCDEF}";

// Counts the Internet probes made on the thread that created it (the test's own thread, which
// plays the user-interface thread), apart from those of the monitor thread.
class ThreadCountingProbe : public platform::IInternetProbe {
 public:
  explicit ThreadCountingProbe(platform::IInternetProbe& inner) : inner_(inner) {}
  bool CheckConnection(const std::string& url, std::chrono::milliseconds timeout) override {
    if (std::this_thread::get_id() == owner_) ++ownerChecks_;
    return inner_.CheckConnection(url, timeout);
  }
  bool QueryConnectedState(uint32_t& state) override { return inner_.QueryConnectedState(state); }
  int OwnerChecks() const { return ownerChecks_; }

 private:
  platform::IInternetProbe& inner_;
  const std::thread::id owner_ = std::this_thread::get_id();
  int ownerChecks_ = 0;  // only touched on the owner's thread
};

// Polls until the condition holds; false when it did not within a generous bound.
inline bool Eventually(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

// A simulated machine with settings in a temporary folder, a recording view and the workflow.
class WorkflowFixture : public ::testing::Test {
 protected:
  WorkflowFixture() {
    machine.System().SetExecutablePath(folder.Folder() + "orvane");
    machine.System().SetSettingsFolder(folder.Folder());
  }

  void AddWired(const std::string& guid = kWiredGuid, uint32_t status = platform::kNcsConnected) {
    machine.AddConnection({.guid = guid,
                           .name = "Local Area Connection",
                           .deviceName = "Gigabit Ethernet",
                           .status = status,
                           .pnpInstanceId = "PCI\\VEN_8086&DEV_10D3",
                           .ipAddress = "192.168.1.20",
                           .ipMask = "255.255.255.0",
                           .gateway = "192.168.1.1"});
  }
  void AddVpn() {
    machine.AddConnection({.guid = kVpnGuid,
                           .name = "Office VPN",
                           .deviceName = "VPN Adapter",
                           .pnpInstanceId = "ROOT\\NET\\0001",
                           .hasAdapter = false});
  }
  void AddWifi(const std::string& guid, const std::string& name,
               uint32_t status = platform::kNcsMediaDisconnected) {
    machine.AddConnection({.guid = guid,
                           .name = name,
                           .deviceName = name + " Adapter",
                           .status = status,
                           .pnpInstanceId = "USB\\VID_0BDA&PID_8179",
                           .wireless = true,
                           .adapterType = 71});
  }
  // Wired and VPN online, two Wi-Fi adapters, the Internet reachable.
  void AddUsualConnections() {
    AddVpn();
    AddWired();
    AddWifi(kBuiltInWifiGuid, "Wireless Network Connection");
    AddWifi(kUsbWifiGuid, "Wireless Network Connection 2");
  }
  void AddVisibleNetwork(const std::string& interfaceGuid, const std::u16string& ssid,
                         uint8_t kind) {
    machine.Radio().AddNetwork(machine.System().ToUtf16(interfaceGuid),
                               {.ssid = ssid, .kind = kind, .key = u""});
  }

  MainWorkflow& Start() {
    workflow = std::make_unique<MainWorkflow>(view, platformServices, ifTable);
    workflow->StartUp();
    return *workflow;
  }
  // Start-up followed by the first showing of the window.
  MainWorkflow& StartAndShow() {
    Start().RefreshConnections();
    return *workflow;
  }

  // A connection of the sharing service alone, with sharing left on by an earlier run.
  void AddSharedElsewhere(const std::string& guid) {
    sim::SimConnection connection;
    connection.guid = guid;
    connection.sharingEnabled = true;
    machine.Sharing().AddConnection(connection);
  }

  const sim::SimConnection& SharingOf(const std::string& guid) {
    for (std::size_t i = 0; i < machine.Sharing().ConnectionCount(); ++i) {
      if (machine.Sharing().Connection(i).guid == guid) return machine.Sharing().Connection(i);
    }
    throw std::invalid_argument("no connection " + guid);
  }

  TempFolder folder;
  sim::SimMachine machine;
  ThreadCountingProbe probe{machine.Internet()};
  WorkflowPlatform platformServices{
      machine.System(),   machine.Adapters(), machine.ConnectionKinds(), machine.Sharing(), probe,
      machine.Wireless(), machine.AutoRun()};
  InterfaceTableBlock ifTable{machine.Adapters()};
  RecordingView view;
  std::unique_ptr<MainWorkflow> workflow;  // last: goes before what it uses
};

}  // namespace orvane::testing
