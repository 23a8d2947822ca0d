#include "gui/main/PanelStatusBar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace orvane::ui {

PanelStatusBar::PanelStatusBar(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void PanelStatusBar::AddPanel(int width, bool ownerDrawn) {
  panels_.push_back({width, ownerDrawn, QString()});
  update();
}

QString PanelStatusBar::PanelText(int panel) const {
  return panels_.at(static_cast<std::size_t>(panel)).text;
}

void PanelStatusBar::SetPanelText(int panel, const QString& text) {
  Panel& target = panels_.at(static_cast<std::size_t>(panel));
  if (target.text == text) return;
  const int widthBefore = PanelWidth(panel);
  target.text = text;
  // The panels are painted by hand: a screen reader reads them from the bar's name.
  QStringList texts;
  for (const Panel& panel : panels_) {
    if (!panel.text.isEmpty()) texts.append(panel.text);
  }
  setAccessibleName(texts.join(QStringLiteral(", ")));
  if (PanelWidth(panel) != widthBefore) {
    // A longer text widens its panel and moves the ones after it: one more paint, which finds
    // the text unchanged and so asks for no further one.
    updateGeometry();
    update();
  } else if (!target.ownerDrawn) {
    // Owner-drawn panels set their text while painting; asking for another paint then would
    // never end.
    update(PanelRect(panel));
  }
}

int PanelStatusBar::PanelWidth(int panel) const {
  // The design's width, or wider when the text needs it (a larger font, a longer language); an
  // owner-drawn panel draws a picture before its text.
  const Panel& shown = panels_.at(static_cast<std::size_t>(panel));
  const int padding = shown.ownerDrawn ? kPictureRoom : kTextPadding;
  return qMax(shown.width, fontMetrics().horizontalAdvance(shown.text) + padding);
}

QRect PanelStatusBar::PanelRect(int panel) const {
  int left = 0;
  for (int i = 0; i < panel; ++i) left += PanelWidth(i);
  // The last panel takes the rest of the bar, as a window's status bar does.
  const bool last = panel == PanelCount() - 1;
  const int width = last ? qMax(PanelWidth(panel), this->width() - left) : PanelWidth(panel);
  return QRect(left, 0, width, height()).adjusted(2, 2, -2, -2);
}

QSize PanelStatusBar::sizeHint() const {
  int width = 0;
  for (int i = 0; i < PanelCount(); ++i) width += PanelWidth(i);
  return QSize(width, fontMetrics().height() + 9);
}

void PanelStatusBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  painter.setPen(palette().mid().color());
  painter.drawLine(rect().topLeft(), rect().topRight());
  for (int i = 0; i < PanelCount(); ++i) {
    const QRect area = PanelRect(i);
    painter.setPen(palette().mid().color());
    painter.drawLine(area.topRight() + QPoint(2, 0), area.bottomRight() + QPoint(2, 0));
    painter.setPen(palette().windowText().color());
    if (panels_[static_cast<std::size_t>(i)].ownerDrawn) {
      if (draw_) {
        painter.save();
        draw_(painter, i, area);
        painter.restore();
      }
    } else {
      painter.drawText(area.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                       panels_[static_cast<std::size_t>(i)].text);
    }
  }
}

}  // namespace orvane::ui
