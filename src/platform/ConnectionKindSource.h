#pragma once

#include <string>

#include "RegistryAnswer.h"
#include "WirelessCard.h"

namespace orvane::platform {

// What the network class key of one connection holds ("...\{GUID}\Connection").
struct ConnectionKindFacts {
  bool keyOpened = false;     // false: the key is missing or cannot be opened
  StoredText pnpInstanceId;   // "PnpInstanceID"
  StoredNumber mediaSubType;  // "MediaSubType"
};

class IConnectionKindSource {
 public:
  virtual ~IConnectionKindSource() = default;
  // guid is used exactly as passed, braces included.
  virtual ConnectionKindFacts ReadConnectionKindFacts(const std::string& guid) = 0;
  // What the Wi-Fi card behind the connection can do and how it is connected now; not read
  // where the system cannot tell.
  virtual WirelessCardFacts ReadWirelessCardFacts(const std::string& guid) {
    (void)guid;
    return {};
  }
};

}  // namespace orvane::platform
