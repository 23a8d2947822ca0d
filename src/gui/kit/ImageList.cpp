#include "gui/kit/ImageList.h"

#include <QPainter>

namespace orvane::ui {

ImageList::ImageList(const QString& name, QSize size, QObject* parent)
    : QObject(parent), size_(size) {
  setObjectName(name);
}

void ImageList::Add(int index, const QPixmap& picture) {
  // Sizes in device-independent pixels: a sharp picture for a scaled screen stays as it is.
  const QSize logical = picture.deviceIndependentSize().toSize();
  if (logical == size_) {
    pictures_[index] = picture;
    return;
  }
  QPixmap scaled = picture.scaled(size_ * picture.devicePixelRatio(), Qt::IgnoreAspectRatio,
                                  Qt::SmoothTransformation);
  scaled.setDevicePixelRatio(picture.devicePixelRatio());
  pictures_[index] = scaled;
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
