#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace orvane::ui {

// Shows the modal message boxes of the windows. Tests replace it so that no box ever blocks.
class MessagePresenter {
 public:
  virtual ~MessagePresenter() = default;
  virtual void Show(QWidget* owner, const QString& caption, const QString& text,
                    QMessageBox::Icon icon) = 0;
};

// The real boxes: modal, owned by `owner`, a single OK button.
class BoxMessagePresenter : public MessagePresenter {
 public:
  void Show(QWidget* owner, const QString& caption, const QString& text,
            QMessageBox::Icon icon) override;
};

}  // namespace orvane::ui
