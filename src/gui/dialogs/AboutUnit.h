#pragma once

#include <QDialog>

#include "platform/SystemInfo.h"

class QLabel;
class QPushButton;

namespace orvane::ui {

// The About box: product name, the program's version, a notice and the product web page.
// Created once and reused; every showing recomputes its texts.
class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  // system: where the program's own version data is read.
  explicit TAboutBox(platform::ISystemInfo& system, QWidget* parent = nullptr);

  void FormShow();
  // Opens the product web page in the user's browser.
  void URLClick();

  QLabel* SoftName;
  QLabel* Version;
  QLabel* Copyright;
  QLabel* URL;
  QPushButton* OKButton;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  platform::ISystemInfo& system_;
};

}  // namespace orvane::ui
