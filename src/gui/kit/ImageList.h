#pragma once

#include <QObject>
#include <QPixmap>
#include <map>

class QPainter;

namespace orvane::ui {

// Pictures of one size under integer indices; indices may have gaps.
class ImageList : public QObject {
  Q_OBJECT
 public:
  ImageList(const QString& name, QSize size, QObject* parent = nullptr);

  void Add(int index, const QPixmap& picture);
  QPixmap Picture(int index) const;
  // Draws the picture at (x, y); an index without a picture draws nothing.
  void Draw(QPainter& painter, int x, int y, int index) const;

 private:
  QSize size_;
  std::map<int, QPixmap> pictures_;
};

}  // namespace orvane::ui
