#pragma once

#include <cstddef>
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
// `rawSsid`, when not empty, is the network's name as the bytes it broadcasts: a name that is
// not UTF-8 is joined by those bytes, as its text would be sent back as other bytes.
std::u16string ProfileXml(const std::u16string& ssid, const std::u16string& key, uint32_t kind,
                          uint32_t authAlgorithm, uint32_t cipherAlgorithm,
                          const std::string& rawSsid = {});

// Whether the bytes are well-formed UTF-8 (what Native Wifi makes of a profile's name text).
bool IsUtf8(const std::string& bytes);
// The longest network name in bytes (IEEE 802.11).
inline constexpr std::size_t kMaxSsidBytes = 32;
// The name's length in UTF-8 bytes; SIZE_MAX for text that is not valid UTF-16.
std::size_t Utf8Length(const std::u16string& text);

// Text with the five characters XML reserves written as references.
std::u16string EscapeXml(const std::u16string& text);

}  // namespace orvane::wireless_dll
