#include <cstdio>
#include <exception>

#include "gui/main/ProgramEntry.h"
#include "platform/Platform.h"

int main(int argc, char** argv) {
  try {
    const auto platform = orvane::platform::CreateDefaultPlatform();
    return orvane::ui::RunProgram(argc, argv, *platform);
  } catch (const std::exception& error) {
    // Before the window exists there is no box to show this in.
    std::fprintf(stderr, "orvane: %s\n", error.what());
    return 1;
  }
}
