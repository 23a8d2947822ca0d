#pragma once

class QWidget;

namespace orvane::ui {

// Windows hand themselves to this when they are created. The first call installs the
// translation catalogue for the user's locale, if one is installed with the program, so every
// text shown through Qt's translation is in the user's language; later calls reuse it.
// Answers whether a catalogue is in use.
bool TranslateComponent(QWidget* window);

}  // namespace orvane::ui
