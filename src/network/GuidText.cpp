#include "network/GuidText.h"

#include <algorithm>
#include <cstdio>

namespace orvane {

std::string GuidToText(const platform::Guid& guid) {
  const auto& d = guid.data4;
  char text[39];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned>(guid.data1), static_cast<unsigned>(guid.data2),
                static_cast<unsigned>(guid.data3), d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7]);
  return text;
}

namespace {
char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
}  // namespace

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); });
}

}  // namespace orvane
