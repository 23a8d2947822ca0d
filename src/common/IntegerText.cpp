#include "IntegerText.h"

namespace orvane {

namespace {

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

// The digits' value in base, or nothing when a digit is invalid or the value exceeds limit.
std::optional<uint64_t> ParseDigits(std::string_view digits, int base, uint64_t limit) {
  if (digits.empty()) return std::nullopt;
  uint64_t value = 0;
  for (const char c : digits) {
    const int digit = DigitValue(c);
    if (digit >= base) return std::nullopt;
    value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    if (value > limit) return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<int32_t> ParseInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }

  if (text.starts_with("0x") || text.starts_with("0X") || text.starts_with("$")) {
    text.remove_prefix(text.front() == '$' ? 1 : 2);
    const auto bits = ParseDigits(text, 16, UINT32_MAX);
    if (!bits) return std::nullopt;
    const auto value = static_cast<uint32_t>(*bits);
    return static_cast<int32_t>(negative ? 0u - value : value);
  }

  const uint64_t limit = negative ? uint64_t{INT32_MAX} + 1 : uint64_t{INT32_MAX};
  const auto magnitude = ParseDigits(text, 10, limit);
  if (!magnitude) return std::nullopt;
  return negative ? static_cast<int32_t>(-static_cast<int64_t>(*magnitude))
                  : static_cast<int32_t>(*magnitude);
}

}  // namespace orvane
