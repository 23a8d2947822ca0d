#include "gui/kit/ActionButton.h"

#include <QAction>

namespace orvane::ui {

ActionButton::ActionButton(const QString& name, QAction* action, QWidget* parent)
    : QPushButton(parent), action_(action) {
  setObjectName(name);
  setMinimumWidth(96);
  connect(action_, &QAction::changed, this, &ActionButton::Follow);
  connect(this, &QPushButton::clicked, action_, &QAction::trigger);
  Follow();
}

void ActionButton::Follow() {
  setText(action_->text());
  setEnabled(action_->isEnabled());
}

}  // namespace orvane::ui
