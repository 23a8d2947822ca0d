#pragma once

#include <cstdint>
#include <string>

#include "platform/WirelessLibrary.h"

namespace orvane {

// One visible wireless network as the last refresh saw it. Owned by the component's list and
// valid only until the next refresh.
class TWLanNetwork {
 public:
  static constexpr uint8_t kOwnKind = 1;
  static constexpr uint8_t kDefaultKind = 3;
  static constexpr uint8_t kStateConnected = 0;
  static constexpr uint8_t kStateDefault = 1;
  static constexpr uint8_t kStateLeft = 2;

  explicit TWLanNetwork(const platform::WirelessLibrary& library) : library_(library) {}

  // Asks the library to join this network; true when joining started.
  bool Join() { return JoinResult() == 0; }
  // The same, answering the library's code (0 when joining started).
  uint32_t JoinResult();
  // Asks the library to leave the interface's network; the record counts as left whatever
  // the library answered.
  void Leave();

  std::u16string InterfaceName;
  std::u16string SSID;
  uint8_t Kind = kDefaultKind;
  uint8_t State = kStateDefault;
  std::u16string Key;  // empty except on records of the own network
  uint32_t ConnectValue1 = 0;
  uint32_t ConnectValue2 = 0;

 private:
  const platform::WirelessLibrary& library_;
};

}  // namespace orvane
