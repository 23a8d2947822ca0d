#include "gui/kit/Palette.h"

#include <QWidget>

namespace orvane::ui {

void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette colours = widget->palette();
  colours.setColor(QPalette::WindowText, colour);
  colours.setColor(QPalette::Text, colour);
  // Disabled pages keep their colours: the texts carry state, not just decoration.
  colours.setColor(QPalette::Disabled, QPalette::WindowText, colour);
  colours.setColor(QPalette::Disabled, QPalette::Text, colour);
  widget->setPalette(colours);
}

QColor TextColour(const QWidget* widget) {
  return widget->palette().color(QPalette::Active, QPalette::WindowText);
}

}  // namespace orvane::ui
