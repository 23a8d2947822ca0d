#include "gui/kit/ImageList.h"

#include <QPainter>

namespace orvane::ui {

ImageList::ImageList(const QString& name, QSize size, QObject* parent)
    : QObject(parent), size_(size) {
  setObjectName(name);
}

void ImageList::Add(int index, const QPixmap& picture) {
  pictures_[index] = picture.size() == size_ ? picture : picture.scaled(size_);
}

QPixmap ImageList::Picture(int index) const {
  const auto it = pictures_.find(index);
  return it == pictures_.end() ? QPixmap() : it->second;
}

void ImageList::Draw(QPainter& painter, int x, int y, int index) const {
  const auto it = pictures_.find(index);
  if (it != pictures_.end()) painter.drawPixmap(x, y, it->second);
}

}  // namespace orvane::ui
