#pragma once

#include <QColor>

#include "app/IMainView.h"

class QWidget;

namespace orvane::ui {

inline const QColor kOrange(255, 128, 0);
inline const QColor kNavy(0, 0, 128);

inline QColor ToColor(const Rgb& rgb) {
  return QColor(rgb.red, rgb.green, rgb.blue);
}

// Sets the text colour of a label or any other widget that draws text.
void SetTextColour(QWidget* widget, const QColor& colour);
QColor TextColour(const QWidget* widget);

}  // namespace orvane::ui
