#pragma once

#include <functional>

namespace orvane::platform {
class Platform;
}

namespace orvane::ui {

class TForm1;

// The program: the units initialised (product information, the interface-table block), the
// application object, its title, the forms, the message loop, then the shut-down sequence.
// afterStart, if given, runs once the main window exists and before the loop starts.
int RunProgram(int& argc, char** argv, platform::Platform& platform,
               const std::function<void(TForm1&)>& afterStart = {});

}  // namespace orvane::ui
