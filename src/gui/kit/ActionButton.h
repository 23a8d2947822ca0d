#pragma once

#include <QPushButton>

class QAction;

namespace orvane::ui {

// A push button bound to an action: it shows the action's caption, follows its enabled state
// and runs it when clicked.
class ActionButton : public QPushButton {
  Q_OBJECT
 public:
  ActionButton(const QString& name, QAction* action, QWidget* parent = nullptr);

 private:
  void Follow();

  QAction* action_;
};

}  // namespace orvane::ui
