#include "wireless/WLanNetwork.h"

namespace orvane {
namespace {

// Kind codes the library understands; anything else is passed as 0.
constexpr uint8_t kHighestKind = 3;

}  // namespace

uint32_t TWLanNetwork::JoinResult() {
  const uint32_t kind = Kind <= kHighestKind ? Kind : 0;
  return library_.Connect(InterfaceName.c_str(), SSID.c_str(), Key.c_str(), kind, ConnectValue1,
                          ConnectValue2);
}

void TWLanNetwork::Leave() {
  library_.Disconnect(InterfaceName.c_str());
  State = kStateLeft;
}

}  // namespace orvane
