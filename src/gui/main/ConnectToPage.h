#pragma once

#include <QWidget>

class QLabel;

namespace orvane::ui {

class MainActions;

// The "Connect to" page: join a nearby computer that shares, and the name and key others
// need to join this one.
class ConnectToPage : public QWidget {
  Q_OBJECT
 public:
  ConnectToPage(MainActions& actions, QWidget* parent = nullptr);

  QLabel* lblDesc31;
  QLabel* lblVelmoraFound;
  QLabel* lblConnectToVelmora;
  QLabel* lblSSID;
  QLabel* lblPassword;
  // The code phones scan to join the own network, with its caption; hidden without a text.
  QLabel* lblJoinCode;
  QLabel* imgJoinCode;

  // One line under the key while the own network uses WEP; hidden otherwise.
  QLabel* lblWeakSecurity;

  // Draws the code of the text (only when it changed); an empty text hides it.
  void ShowJoinCode(const QString& text);
  // Shows or hides the line that warns of WEP.
  void ShowWeakSecurityWarning(bool weak);

 private:
  QString joinCodeText_;
};

}  // namespace orvane::ui
