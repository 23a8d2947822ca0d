#pragma once

#include <QWidget>

class QLabel;

namespace orvane::ui {

// The white band at the top of the main window: a picture on the left, the caption in large
// orange letters, the logo on the right and an orange line along the bottom.
class HeaderPanel : public QWidget {
  Q_OBJECT
 public:
  explicit HeaderPanel(QWidget* parent = nullptr);
  void SetCaption(const QString& caption);
  QString Caption() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QLabel* picture_;
  QLabel* caption_;
  QLabel* logo_;
};

}  // namespace orvane::ui
