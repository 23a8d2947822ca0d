#include "platform/linux/InterfaceGuid.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace orvane::platform::linux_backend {
namespace {

uint32_t RotateLeft(uint32_t value, int bits) {
  return (value << bits) | (value >> (32 - bits));
}

std::array<uint8_t, 20> Sha1(const std::vector<uint8_t>& input) {
  std::array<uint32_t, 5> h = {0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u, 0xC3D2E1F0u};
  std::vector<uint8_t> message = input;
  const uint64_t bitLength = static_cast<uint64_t>(input.size()) * 8;
  message.push_back(0x80);
  while (message.size() % 64 != 56) message.push_back(0);
  for (int shift = 56; shift >= 0; shift -= 8)
    message.push_back(static_cast<uint8_t>(bitLength >> shift));

  for (std::size_t block = 0; block < message.size(); block += 64) {
    std::array<uint32_t, 80> w{};
    for (int i = 0; i < 16; ++i) {
      const uint8_t* p = &message[block + static_cast<std::size_t>(i) * 4];
      w[i] = uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
    }
    for (int i = 16; i < 80; ++i) w[i] = RotateLeft(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);
    uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4];
    for (int i = 0; i < 80; ++i) {
      uint32_t f, k;
      if (i < 20) {
        f = (b & c) | (~b & d), k = 0x5A827999u;
      } else if (i < 40) {
        f = b ^ c ^ d, k = 0x6ED9EBA1u;
      } else if (i < 60) {
        f = (b & c) | (b & d) | (c & d), k = 0x8F1BBCDCu;
      } else {
        f = b ^ c ^ d, k = 0xCA62C1D6u;
      }
      uint32_t next = RotateLeft(a, 5) + f + e + k + w[i];
      e = d, d = c, c = RotateLeft(b, 30), b = a, a = next;
    }
    h[0] += a, h[1] += b, h[2] += c, h[3] += d, h[4] += e;
  }
  std::array<uint8_t, 20> digest{};
  for (std::size_t i = 0; i < 20; ++i)
    digest[i] = static_cast<uint8_t>(h[i / 4] >> (24 - 8 * (i % 4)));
  return digest;
}

// The namespace all interface names are hashed in; fixed forever, or saved GUIDs change.
constexpr std::array<uint8_t, 16> kInterfaceNamespace = {
    0x3b, 0x5e, 0x0f, 0x62, 0x9a, 0x41, 0x4c, 0x17, 0x8d, 0x20, 0x6e, 0xa1, 0x55, 0xc4, 0x7b, 0x93};

}  // namespace

Guid InterfaceGuid(const std::string& interfaceName) {
  std::vector<uint8_t> input(kInterfaceNamespace.begin(), kInterfaceNamespace.end());
  input.insert(input.end(), interfaceName.begin(), interfaceName.end());
  auto digest = Sha1(input);
  digest[6] = static_cast<uint8_t>((digest[6] & 0x0F) | 0x50);  // version 5
  digest[8] = static_cast<uint8_t>((digest[8] & 0x3F) | 0x80);  // RFC 4122 variant
  Guid guid;
  guid.data1 =
      uint32_t{digest[0]} << 24 | uint32_t{digest[1]} << 16 | uint32_t{digest[2]} << 8 | digest[3];
  guid.data2 = static_cast<uint16_t>(digest[4] << 8 | digest[5]);
  guid.data3 = static_cast<uint16_t>(digest[6] << 8 | digest[7]);
  for (std::size_t i = 0; i < 8; ++i) guid.data4[i] = digest[8 + i];
  return guid;
}

std::string GuidText(const Guid& guid) {
  char text[39];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", guid.data1,
                guid.data2, guid.data3, guid.data4[0], guid.data4[1], guid.data4[2], guid.data4[3],
                guid.data4[4], guid.data4[5], guid.data4[6], guid.data4[7]);
  return text;
}

}  // namespace orvane::platform::linux_backend
