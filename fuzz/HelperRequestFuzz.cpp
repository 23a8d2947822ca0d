// Request lines the root sharing helper reads from the program.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "FuzzCheck.h"
#include "platform/linux/helper/HelperRequest.h"
#include "platform/linux/helper/SharingHelper.h"

using namespace orvane::platform::linux_backend;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  const auto parsed = ParseHelperRequest(line);
  const auto* request = std::get_if<HelperRequest>(&parsed);
  if (request == nullptr || !ValidInterfaceName(request->interfaceName)) return 0;
  // A name the helper accepts goes into a /proc path, an nftables string and dnsmasq's command
  // line: it must not be able to leave any of them.
  const std::string& name = request->interfaceName;
  FUZZ_CHECK(!name.empty() && name.size() < 16);
  FUZZ_CHECK(name != "." && name != "..");
  constexpr std::string_view kUnsafe("/\"'\\ \t\r\n;{}$`\0", 14);
  FUZZ_CHECK(name.find_first_of(kUnsafe) == std::string::npos);
  return 0;
}
