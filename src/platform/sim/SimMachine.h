#pragma once

#include <cstdint>
#include <string>

#include "platform/Platform.h"
#include "platform/sim/SimAutoRun.h"
#include "platform/sim/SimCallLog.h"
#include "platform/sim/SimHotspot.h"
#include "platform/sim/SimInternet.h"
#include "platform/sim/SimNetwork.h"
#include "platform/sim/SimRadio.h"
#include "platform/sim/SimServices.h"
#include "platform/sim/SimSharing.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimWzc.h"

namespace orvane::sim {

// One network connection of the simulated machine, as every piece that knows it should see it.
struct MachineConnection {
  std::string guid{};  // "{8-4-4-4-12}" hex text, upper case
  std::string name{};
  std::string deviceName{};
  uint32_t status = platform::kNcsConnected;
  uint32_t mediaType = platform::kNcmLan;
  // The device's bus: "PCI\..." or "USB\..." for hardware, "ROOT\..." for a virtual device.
  std::string pnpInstanceId{};
  bool wireless = false;
  // Connections without an IP-layer adapter (a dial-up or VPN link) have none of the below.
  bool hasAdapter = true;
  uint32_t adapterType = 6;  // Ethernet; 71 for IEEE 802.11, 23 for PPP
  bool dhcpEnabled = true;
  std::string ipAddress{};  // empty: the adapter has no address
  std::string ipMask{};
  std::string gateway{};  // empty: no gateway
};

// A whole simulated machine: every platform service, all recording into one call log, so a
// test or the demo can script the machine and check the order of what was done to it.
//
// Its radio is the process-wide active one (the wireless library table reaches it), so only
// one machine exists at a time; machines may follow one another.
class SimMachine : public platform::Platform {
 public:
  // Throws std::logic_error while another machine (or radio) exists.
  SimMachine();

  SimCallLog& Log() { return log_; }

  SimNetwork& Adapters() override { return network_; }
  SimNetwork& ConnectionKinds() override { return network_; }
  SimSharing& Sharing() override { return sharing_; }
  SimInternet& Internet() override { return internet_; }
  SimServices& Services() override { return services_; }
  SimSystem& System() override { return system_; }
  SimAutoRun& AutoRun() override { return autoRun_; }
  SimWzc& Wzc() override { return wzc_; }
  const platform::WirelessLibrary& Wireless() override { return SimRadio::Library(); }
  SimRadio& Radio() { return radio_; }
  // The Mobile Hotspot, handed out only while a test or scene made it present.
  SimHotspot& Hotspot() { return hotspot_; }
  platform::IMobileHotspot* MobileHotspot() override {
    return hotspot_.Present() ? &hotspot_ : nullptr;
  }

  // Adds the connection to the sharing service and its kind facts to the network class key;
  // with an adapter, also the adapter record and its interface-table row; when wireless,
  // also a radio interface whose identifier is the GUID text.
  void AddConnection(const MachineConnection& connection);

 private:
  SimCallLog log_;  // first: every piece records into it until the end
  SimSystem system_{log_};
  SimNetwork network_{log_};
  SimSharing sharing_{log_};
  SimInternet internet_{log_};
  SimServices services_{log_};
  SimAutoRun autoRun_{log_};
  SimWzc wzc_{log_};
  SimRadio radio_{log_};
  SimHotspot hotspot_{log_};
  uint32_t nextAdapterIndex_ = 2;  // 1 is the loopback interface's
};

}  // namespace orvane::sim
