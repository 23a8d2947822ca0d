#pragma once

#include <QWidget>

class QLabel;

namespace orvane::ui {

class MainActions;
class PicturePair;

// The "Internet Status" page: whether the Internet can be reached, and where to go next.
class InternetStatusPage : public QWidget {
  Q_OBJECT
 public:
  InternetStatusPage(MainActions& actions, QWidget* parent = nullptr);

  QLabel* lblInternetStatus;
  PicturePair* internetPictures;
};

}  // namespace orvane::ui
