#pragma once

#include <QString>

class QWidget;

namespace orvane::ui {

// Windows hand themselves to this when they are created. The first call installs the
// catalogues for the user's locale (the program's own and Qt's, for its standard buttons);
// every call then replaces the window's texts (title, labels, buttons, group titles, memos,
// tabs and actions) by their translations. Without a catalogue for the locale the texts stay as
// they are. Answers whether a catalogue is in use.
bool TranslateComponent(QWidget* window);

// One text of the program in the user's language; the text itself when there is no translation.
QString Translate(const QString& text);
QString Translate(const char* text);

}  // namespace orvane::ui
