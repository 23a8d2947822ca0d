#include "Base64.h"

#include <array>
#include <cstdint>

namespace orvane {

namespace {

constexpr int kNotInAlphabet = -1;

constexpr std::array<int, 256> MakeDecodeTable() {
  std::array<int, 256> table{};
  table.fill(kNotInAlphabet);
  constexpr std::string_view alphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  for (std::size_t i = 0; i < alphabet.size(); ++i) {
    table[static_cast<unsigned char>(alphabet[i])] = static_cast<int>(i);
  }
  return table;
}

constexpr std::array<int, 256> kDecodeTable = MakeDecodeTable();

}  // namespace

std::optional<std::string> Base64Decode(std::string_view text) {
  std::string decoded;
  decoded.reserve(text.size() / 4 * 3);
  uint32_t group = 0;  // collects 6 bits per character
  int pending = 0;     // characters in the current group
  bool fillSeen = false;

  for (const char c : text) {
    if (c == '=') {
      fillSeen = true;
      continue;
    }
    const int value = kDecodeTable[static_cast<unsigned char>(c)];
    if (value == kNotInAlphabet) continue;
    if (fillSeen) return std::nullopt;
    group = (group << 6) | static_cast<uint32_t>(value);
    if (++pending == 4) {
      decoded.push_back(static_cast<char>((group >> 16) & 0xFF));
      decoded.push_back(static_cast<char>((group >> 8) & 0xFF));
      decoded.push_back(static_cast<char>(group & 0xFF));
      group = 0;
      pending = 0;
    }
  }

  switch (pending) {
    case 0:
      break;
    case 1:  // six bits cannot make a byte
      return std::nullopt;
    case 2:
      decoded.push_back(static_cast<char>((group >> 4) & 0xFF));
      break;
    case 3:
      decoded.push_back(static_cast<char>((group >> 10) & 0xFF));
      decoded.push_back(static_cast<char>((group >> 2) & 0xFF));
      break;
  }
  return decoded;
}

}  // namespace orvane
