#pragma once

#include <QDialog>

#include "dialogs/OptionsUnit.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QWidget;

namespace orvane::ui {

class MessagePresenter;

// The modal dialog in which the user edits the settings. Created once and reused; it keeps
// the page that was active when it was last closed.
class TOptionsForm : public QDialog {
  Q_OBJECT
 public:
  // messages: where the refusals of invalid input are shown.
  explicit TOptionsForm(MessagePresenter& messages, QWidget* parent = nullptr);

  void Fill(const OptionsValues& values);
  // The controls' values as typed (not trimmed).
  OptionsValues Values() const;
  // OK: closes the dialog only when the network name and key are valid.
  void Button1Click();

  QTabWidget* PageControl1;
  QWidget* tsPassword;
  QWidget* TabSheet2;
  QLineEdit* edtSSID;
  QLineEdit* edtPassword;
  // WPA2 or WEP, in that order; the key's rule (Label5) follows the choice.
  QComboBox* cmbSecurity;
  QLabel* Label5;
  QCheckBox* chkAutoRun;
  QCheckBox* chkStartMin;
  QCheckBox* chkCheckForUpdates;
  QCheckBox* chkGuestsReachLocalNetwork;
  QPushButton* Button1;
  QPushButton* Button2;

 private:
  NetworkSecurity ChosenSecurity() const;
  void ShowKeyRule();

  MessagePresenter& messages_;
};

}  // namespace orvane::ui
