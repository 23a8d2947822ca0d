// INI text as a settings or product file holds it, read and then written key by key.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "common/IniText.h"

namespace {

// What Read gives back after Write: line breaks became blanks, surrounding blanks are gone.
std::string Expected(std::string value) {
  std::replace_if(
      value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  const auto first = value.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return value.substr(first, value.find_last_not_of(" \t") - first + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string value = input.ConsumeRandomLengthString(256);
  const std::string text = input.ConsumeRemainingBytesAsString();

  orvane::IniText ini(text);
  (void)ini.Read("System", "SSID");
  const std::string other = ini.Read("Other", "Key").value_or("");
  ini.Write("System", "SSID", value);
  FUZZ_CHECK(ini.Read("System", "SSID") == Expected(value));
  // Writing one key leaves the others as they were, also once the text is read again.
  FUZZ_CHECK(ini.Read("Other", "Key").value_or("") == other);
  const orvane::IniText reread(ini.ToText());
  FUZZ_CHECK(reread.Read("System", "SSID") == Expected(value));
  FUZZ_CHECK(reread.ToText() == ini.ToText());
  return 0;
}
