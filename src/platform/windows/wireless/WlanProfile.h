#pragma once

#include <cstdint>
#include <string>

namespace orvane::wireless_dll {

// The network kinds of the list, from the BSS type: 1 ad hoc (the kind the program creates and
// joins), 2 infrastructure, 3 any other.
inline constexpr uint32_t kKindAdHoc = 1;
inline constexpr uint32_t kKindInfrastructure = 2;
inline constexpr uint32_t kKindOther = 3;
uint32_t KindOfBssType(uint32_t bssType);

// DOT11_AUTH_ALGORITHM and DOT11_CIPHER_ALGORITHM numbers of WPA2-Personal.
inline constexpr uint32_t kAuthRsnaPsk = 7;
inline constexpr uint32_t kCipherCcmp = 4;

// A Native Wifi profile (XML) for a network, from the authentication and cipher numbers the
// network list handed out. Kind 1 (ad hoc, the own network) is WPA2-PSK with AES when those
// numbers say so and open WEP otherwise, as older versions made it; other kinds are empty when
// the numbers name a security the profile cannot describe.
std::u16string ProfileXml(const std::u16string& ssid, const std::u16string& key, uint32_t kind,
                          uint32_t authAlgorithm, uint32_t cipherAlgorithm);

// Text with the five characters XML reserves written as references.
std::u16string EscapeXml(const std::u16string& text);

}  // namespace orvane::wireless_dll
