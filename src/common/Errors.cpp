#include "Errors.h"

#include <cstdio>

namespace orvane {

std::string SystemErrorText(uint32_t code, const std::string& systemMessage) {
  return "System Error.  Code: " + std::to_string(code) + ".\n" + systemMessage;
}

OsError::OsError(uint32_t code, const std::string& systemMessage)
    : std::runtime_error(SystemErrorText(code, systemMessage)),
      code_(code),
      systemMessage_(systemMessage) {}

RegistryError::RegistryError(const std::string& message, int32_t code)
    : std::runtime_error(message), code_(code) {}

namespace {
std::string HResultText(int32_t hresult) {
  char text[48];
  std::snprintf(text, sizeof text, "COM error 0x%08X", static_cast<uint32_t>(hresult));
  return text;
}
}  // namespace

ComError::ComError(int32_t hresult) : std::runtime_error(HResultText(hresult)), hresult_(hresult) {}

}  // namespace orvane
