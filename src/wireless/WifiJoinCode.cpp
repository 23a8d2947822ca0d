#include "wireless/WifiJoinCode.h"

namespace orvane {
namespace {

std::string Escaped(std::string_view field) {
  std::string result;
  result.reserve(field.size());
  for (const char c : field) {
    if (c == '\\' || c == ';' || c == ',' || c == '"' || c == ':') result += '\\';
    result += c;
  }
  return result;
}

}  // namespace

std::string WifiJoinText(std::string_view ssid, std::string_view key, NetworkSecurity security) {
  const char* type = security == NetworkSecurity::Wep ? "WEP" : "WPA";
  return std::string("WIFI:T:") + type + ";S:" + Escaped(ssid) + ";P:" + Escaped(key) + ";;";
}

}  // namespace orvane
