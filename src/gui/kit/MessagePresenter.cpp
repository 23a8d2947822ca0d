#include "gui/kit/MessagePresenter.h"

namespace orvane::ui {

void BoxMessagePresenter::Show(QWidget* owner, const QString& caption, const QString& text,
                               QMessageBox::Icon icon) {
  QMessageBox box(icon, caption, text, QMessageBox::Ok, owner);
  box.exec();
}

}  // namespace orvane::ui
