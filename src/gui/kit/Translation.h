#pragma once

#include <QString>
#include <string>

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

// A text composed around `name` (the application's name, which no catalogue can know): its
// template, with %1 where the name stands, is translated and the name filled in again. A text
// without such a template in the catalogue is translated as a whole.
QString TranslateAround(const QString& text, const QString& name);
// A message as TranslateAround translates it; one the catalogue lacks as a whole (a sentence of
// the program's, then the system's reason) paragraph by paragraph.
QString TranslateParagraphs(const QString& text, const QString& name);
// A text of the workflow's in the user's language, translated around the application's name as
// TranslateParagraphs does.
QString TranslateMessage(const std::string& text);

}  // namespace orvane::ui
