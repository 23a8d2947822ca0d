#pragma once

#include <QList>
#include <QWidget>

#include "gui/kit/MessagePresenter.h"

// Records the boxes instead of showing them, so no test waits on a modal box.
class RecordingPresenter : public orvane::ui::MessagePresenter {
 public:
  struct Box {
    QWidget* owner;
    QString caption;
    QString text;
    QMessageBox::Icon icon;
    QString ownerTitle;  // the owner's title when the box was shown
  };

  void Show(QWidget* owner, const QString& caption, const QString& text,
            QMessageBox::Icon icon) override {
    shown.append({owner, caption, text, icon, owner ? owner->windowTitle() : QString()});
  }

  QList<Box> shown;
};
