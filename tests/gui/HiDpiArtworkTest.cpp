// On a screen scaled by two the artwork is drawn from its sharp versions, at the same size.
#include <QApplication>
#include <QTest>

#include "gui/kit/Artwork.h"
#include "gui/kit/ImageList.h"

using namespace orvane::ui;

class HiDpiArtworkTest : public QObject {
  Q_OBJECT
 private slots:
  void picturesAreSharpAtTheirSize() {
    QCOMPARE(qApp->devicePixelRatio(), 2.0);  // QT_SCALE_FACTOR=2, set by the test's runner
    const QPixmap picture = artwork::StatusPicture(artwork::Subject::kWireless, true);
    QCOMPARE(picture.devicePixelRatio(), 2.0);
    QCOMPARE(picture.deviceIndependentSize().toSize(), QSize(48, 48));

    QObject owner;
    const ImageList* small = artwork::CreateSmallImages(&owner);
    const QPixmap icon = small->Picture(artwork::kExitImage);
    QCOMPARE(icon.devicePixelRatio(), 2.0);
    QCOMPARE(icon.size(), QSize(32, 32));  // kept sharp, not scaled down to 16 device pixels
  }
};

QTEST_MAIN(HiDpiArtworkTest)
#include "HiDpiArtworkTest.moc"
