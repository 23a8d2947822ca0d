#include "common/NetworkSecurity.h"

#include <algorithm>
#include <cctype>
#include <random>

namespace orvane {
namespace {

constexpr std::size_t kShortWepKey = 5;
constexpr std::size_t kLongWepKey = 13;
constexpr std::size_t kShortestPassphrase = 8;
constexpr std::size_t kLongestPassphrase = 63;

bool IsPrintableAscii(char c) {
  return c >= ' ' && c <= '~';
}

}  // namespace

const char* SecurityName(NetworkSecurity security) {
  return security == NetworkSecurity::Wep ? "WEP" : "WPA2";
}

std::optional<NetworkSecurity> ParseSecurity(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  });
  if (upper == "WPA2") return NetworkSecurity::Wpa2;
  if (upper == "WEP") return NetworkSecurity::Wep;
  return std::nullopt;
}

bool IsWepKeyLength(std::size_t length) {
  return length == kShortWepKey || length == kLongWepKey;
}

KeyProblem CheckNetworkKey(NetworkSecurity security, std::string_view key) {
  if (security == NetworkSecurity::Wep) {
    return IsWepKeyLength(key.size()) ? KeyProblem::None : KeyProblem::WepLength;
  }
  if (key.size() < kShortestPassphrase || key.size() > kLongestPassphrase)
    return KeyProblem::Wpa2Length;
  if (!std::all_of(key.begin(), key.end(), IsPrintableAscii)) return KeyProblem::Wpa2Characters;
  return KeyProblem::None;
}

std::string NewNetworkKey() {
  std::random_device random;  // the system's own source, not a seeded generator
  std::uniform_int_distribution<std::size_t> pick(0, kNewKeyAlphabet.size() - 1);
  std::string key;
  key.reserve(kNewKeyLength);
  for (std::size_t i = 0; i < kNewKeyLength; ++i) key += kNewKeyAlphabet[pick(random)];
  return key;
}

}  // namespace orvane
