#include "common/IntegerText.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(ParseInteger, DecimalAndHexadecimalForms) {
  const std::pair<const char*, int32_t> valid[] = {
      {"0", 0},
      {"2", 2},
      {"+7", 7},
      {"-1", -1},
      {"2147483647", INT32_MAX},
      {"-2147483648", INT32_MIN},
      {"0x10", 16},
      {"0XfF", 255},
      {"$1a", 26},
      {"$FFFFFFFF", -1},
      {"-$10", -16},
      {"0x0", 0},
      {"007", 7},
  };
  for (const auto& [text, value] : valid) EXPECT_EQ(ParseInteger(text), value) << text;
}

TEST(ParseInteger, RejectsAnythingElse) {
  const char* invalid[] = {"",    " 1",   "1 ",  "yes", "1.5",        "0x",          "$",
                           "--1", "0x-1", "12a", "x10", "2147483648", "-2147483649", "0x100000000"};
  for (const char* text : invalid) EXPECT_FALSE(ParseInteger(text)) << text;
}

}  // namespace
}  // namespace orvane
