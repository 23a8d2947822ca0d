#pragma once

#include <string>
#include <string_view>
#include <variant>

namespace orvane::platform::linux_backend {

enum class HelperVerb {
  EnablePublic,
  EnablePrivate,
  EnablePrivateWithLocalNetwork,
  Disable,
  State,
  Devices
};

struct HelperRequest {
  HelperVerb verb = HelperVerb::State;
  std::string interfaceName;  // as sent; the helper checks it before using it
};

// One request line from the program: exactly a verb and an interface name separated by blanks.
// Anything else answers the error text to send back.
std::variant<HelperRequest, std::string> ParseHelperRequest(std::string_view line);

}  // namespace orvane::platform::linux_backend
