#include "gui/kit/Artwork.h"

#include <QGuiApplication>
#include <QImageReader>

#include "gui/kit/ImageList.h"

// The resources live in this static library; a static library's resources must be registered
// by hand, once, before the first picture is loaded.
static void InitArtworkResources() {
  Q_INIT_RESOURCE(artwork);
}

namespace orvane::ui::artwork {
namespace {

// Read as PNG, not guessed: guessing first loads every image format plugin installed (GIF,
// ICO, JPEG and its library) to ask whether it reads the file, which costs memory for nothing.
QPixmap ReadPng(const QString& path) {
  QImageReader reader(path, "png");
  reader.setAutoDetectImageFormat(false);
  return QPixmap::fromImage(reader.read());
}

QPixmap Load(const QString& name) {
  static const bool registered = (InitArtworkResources(), true);
  (void)registered;
  const QString path = QStringLiteral(":/art/") + name;
  // A scaled screen gets the picture drawn at twice the size, shown at the same size.
  if (qApp != nullptr && qApp->devicePixelRatio() > 1.0) {
    QPixmap sharp = ReadPng(path + QStringLiteral("@2x.png"));
    if (!sharp.isNull()) {
      sharp.setDevicePixelRatio(2.0);
      return sharp;
    }
  }
  return ReadPng(path + QStringLiteral(".png"));
}

}  // namespace

QIcon ApplicationIcon() {
  return QIcon(Load(QStringLiteral("app_icon")));
}
QPixmap HeaderPicture() {
  return Load(QStringLiteral("header"));
}
QPixmap Logo() {
  return Load(QStringLiteral("logo"));
}

QPixmap StatusPicture(Subject subject, bool connected) {
  QString name;
  switch (subject) {
    case Subject::kWired:
      name = QStringLiteral("wired");
      break;
    case Subject::kWireless:
      name = QStringLiteral("wireless");
      break;
    case Subject::kInternet:
      name = QStringLiteral("internet");
      break;
  }
  return Load(name + (connected ? QStringLiteral("_connected") : QStringLiteral("_disconnected")));
}

ImageList* CreateSmallImages(QObject* parent) {
  auto* list = new ImageList(QStringLiteral("mxImageList_Small"), QSize(16, 16), parent);
  for (int index : {kShareImage, kConnectImage, kExitImage, kOptionsImage, kUpdateImage,
                    kCommentsImage, kAboutImage, kSharingEnabledImage, kSharingReadyImage}) {
    list->Add(index, Load(QStringLiteral("small_%1").arg(index, 2, 10, QLatin1Char('0'))));
  }
  return list;
}

ImageList* CreateStateImages(QObject* parent) {
  auto* list = new ImageList(QStringLiteral("ImageList_16"), QSize(16, 16), parent);
  list->Add(0, Load(QStringLiteral("list16_0")));
  list->Add(1, Load(QStringLiteral("list16_1")));
  return list;
}

QPixmap SignalFrame(int arcs) {
  return Load(QStringLiteral("signal_%1").arg(arcs));
}

ImageList* CreatePickerImages(QObject* parent) {
  auto* list = new ImageList(QStringLiteral("ImageList1"), QSize(48, 48), parent);
  for (int index = 0; index < 4; ++index) {
    list->Add(index, Load(QStringLiteral("picker_%1").arg(index)));
  }
  return list;
}

}  // namespace orvane::ui::artwork
