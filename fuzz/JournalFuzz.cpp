// The journal a dead helper left behind, which the next helper reads as root.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "platform/linux/SharingJournal.h"

using namespace orvane::platform::linux_backend;

namespace {

bool operator==(const JournalEntries& a, const JournalEntries& b) {
  return JournalText(a) == JournalText(b);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const JournalEntries entries = ParseJournal(text);
  // Whatever was understood is written and read back the same.
  FUZZ_CHECK(ParseJournal(JournalText(entries)) == entries);
  return 0;
}
