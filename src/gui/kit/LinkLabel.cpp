#include "gui/kit/LinkLabel.h"

#include <QAction>
#include <QMouseEvent>

#include "gui/kit/Palette.h"

namespace orvane::ui {

LinkLabel::LinkLabel(const QString& text, QAction* action, QWidget* parent)
    : QLabel(text, parent), action_(action) {
  QFont bold = font();
  bold.setBold(true);
  setFont(bold);
  setCursor(Qt::PointingHandCursor);
  SetTextColour(this, ToColor(kBlue));
}

void LinkLabel::enterEvent(QEnterEvent* event) {
  SetTextColour(this, ToColor(kRed));
  QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
  SetTextColour(this, ToColor(kBlue));
  QLabel::leaveEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    action_->trigger();
  }
  QLabel::mouseReleaseEvent(event);
}

}  // namespace orvane::ui
