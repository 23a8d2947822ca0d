#pragma once

#include <string>

namespace orvane::ui {

// Opens a link (a web page, a "mailto:" mail) in the user's default program.
// A failure is not shown to the user; it goes to the program's diagnostic output so that the
// reason nothing opened can be found. Answers whether a program took the link.
bool OpenLink(const std::string& encodedLink);

}  // namespace orvane::ui
