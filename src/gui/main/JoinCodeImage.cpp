#include "gui/main/JoinCodeImage.h"

#include <qrencode.h>

#include <QPainter>
#include <memory>

namespace orvane::ui {
namespace {

constexpr int kQuietZoneModules = 4;

struct CodeFree {
  void operator()(QRcode* code) const { QRcode_free(code); }
};

}  // namespace

QImage JoinCodeImage(const QByteArray& text, int moduleSize) {
  // Byte mode with medium error correction: a phone's camera reads it from a laptop screen
  // even when the text holds characters outside the alphanumeric set.
  const std::unique_ptr<QRcode, CodeFree> code(
      QRcode_encodeData(static_cast<int>(text.size()),
                        reinterpret_cast<const unsigned char*>(text.constData()), 0, QR_ECLEVEL_M));
  if (!code || moduleSize <= 0) return {};
  const int side = (code->width + 2 * kQuietZoneModules) * moduleSize;
  QImage image(side, side, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  for (int y = 0; y < code->width; ++y) {
    for (int x = 0; x < code->width; ++x) {
      // The lowest bit of each module's byte says whether it is dark.
      if ((code->data[y * code->width + x] & 1) == 0) continue;
      painter.fillRect((x + kQuietZoneModules) * moduleSize, (y + kQuietZoneModules) * moduleSize,
                       moduleSize, moduleSize, Qt::black);
    }
  }
  return image;
}

}  // namespace orvane::ui
