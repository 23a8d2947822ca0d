#pragma once

#include <QObject>

class QAction;

namespace orvane::ui {

class ImageList;

// The main window's action list (ActionList1): every command of the window, found by its
// object name. Captions that name the application are set once it is known.
class MainActions : public QObject {
  Q_OBJECT
 public:
  MainActions(const ImageList& smallImages, QObject* parent);

  QAction* actStartSharing;
  QAction* actStopSharing;
  QAction* actConnect;
  QAction* actDisconnect;
  QAction* actRefresh2;
  QAction* actShareMyInternet;
  QAction* actConnectToVelmora;
  QAction* actExit;
  QAction* actOptions;
  QAction* actCheckUpdate;
  QAction* actWriteToUs;
  QAction* actAbout;
  // Part of the list for the troubleshooter; no control of the main window runs it.
  QAction* actTroubleShooter;

 private:
  QAction* Make(const char* name, const QString& caption);
};

}  // namespace orvane::ui
