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
  // Why there is no code while sharing runs: the own network could not be created.
  QLabel* lblNetworkProblem;

  // One line under the key while the own network uses WEP; hidden otherwise.
  QLabel* lblWeakSecurity;

  // Draws the code of the text (only when it changed); an empty text hides it.
  void ShowJoinCode(const QString& text);
  // Shows or hides the line that warns of WEP.
  void ShowWeakSecurityWarning(bool weak);
  // An empty text hides the line.
  void ShowNetworkProblem(const QString& text);

 private:
  QString joinCodeText_;
};

}  // namespace orvane::ui
