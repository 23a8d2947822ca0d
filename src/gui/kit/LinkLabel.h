#pragma once

#include <QLabel>

class QAction;

namespace orvane::ui {

// A label that works as a link: bold, blue, red under the mouse, and clicking it runs its
// action.
class LinkLabel : public QLabel {
  Q_OBJECT
 public:
  LinkLabel(const QString& text, QAction* action, QWidget* parent = nullptr);

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QAction* action_;
};

}  // namespace orvane::ui
