#include "platform/linux/helper/HelperRequest.h"

#include <array>
#include <sstream>
#include <utility>

#include "platform/linux/SharingProtocol.h"

namespace orvane::platform::linux_backend {

std::variant<HelperRequest, std::string> ParseHelperRequest(std::string_view line) {
  std::istringstream fields{std::string(line)};
  std::string verb, name, extra;
  // Our program sends exactly a verb and a name.
  if (!(fields >> verb >> name) || fields >> extra) return std::string("malformed request");

  constexpr std::array<std::pair<const char*, HelperVerb>, 6> kVerbs = {{
      {protocol::kEnablePublic, HelperVerb::EnablePublic},
      {protocol::kEnablePrivate, HelperVerb::EnablePrivate},
      {protocol::kEnablePrivateWithLocalNetwork, HelperVerb::EnablePrivateWithLocalNetwork},
      {protocol::kDisable, HelperVerb::Disable},
      {protocol::kState, HelperVerb::State},
      {protocol::kDevices, HelperVerb::Devices},
  }};
  for (const auto& [text, value] : kVerbs)
    if (verb == text) return HelperRequest{value, std::move(name)};
  return std::string("unknown command");
}

}  // namespace orvane::platform::linux_backend
