// Draws the program's artwork into PNG files, so the pictures are reproducible from source.
// Usage: orvane-artwork OUTPUT_FOLDER
#include <QBrush>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRadialGradient>
#include <cstdio>
#include <functional>

namespace {

const QColor kOrange(255, 128, 0);
const QColor kDarkOrange(204, 92, 0);
const QColor kGreen(0, 128, 0);
const QColor kRed(220, 30, 30);
const QColor kGrey(150, 150, 150);
const QColor kSlate(60, 72, 88);
const QColor kBlue(30, 110, 200);

using Draw = std::function<void(QPainter&, const QRectF&)>;

bool SaveAtScale(const QString& path, QSize size, int scale, const Draw& draw) {
  QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(scale, scale);
  draw(painter, QRectF(QPointF(0, 0), QSizeF(size)));
  painter.end();
  if (!image.save(path, "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

// The picture at its size, and twice as sharp beside it ("name@2x.png"), which Qt loads in its
// place on a screen scaled by two or more.
bool Save(const QString& folder, const QString& name, QSize size, const Draw& draw) {
  const QString path = QDir(folder).filePath(name);
  QString sharp = path;
  sharp.insert(sharp.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
  return SaveAtScale(path, size, 1, draw) && SaveAtScale(sharp, size, 2, draw);
}

// A desktop icon: one size, exactly.
bool SaveIcon(const QString& folder, const QString& name, QSize size, const Draw& draw) {
  return SaveAtScale(QDir(folder).filePath(name), size, 1, draw);
}

// Concentric arcs opening upwards from `base`, the radio waves of the Wi-Fi sign.
void Waves(QPainter& p, QPointF base, qreal step, int count, const QColor& colour, qreal width) {
  p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  for (int i = 1; i <= count; ++i) {
    const qreal r = step * i;
    p.drawArc(QRectF(base.x() - r, base.y() - r, 2 * r, 2 * r), 45 * 16, 90 * 16);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawEllipse(base, width * 0.9, width * 0.9);
}

void Laptop(QPainter& p, const QRectF& r, const QColor& screen) {
  const QRectF lid(r.left() + r.width() * 0.14, r.top(), r.width() * 0.72, r.height() * 0.66);
  p.setPen(QPen(kSlate, qMax<qreal>(1.0, r.width() / 32)));
  p.setBrush(QColor(235, 238, 242));
  p.drawRoundedRect(lid, r.width() * 0.05, r.width() * 0.05);
  QLinearGradient glass(lid.topLeft(), lid.bottomRight());
  glass.setColorAt(0, screen.lighter(160));
  glass.setColorAt(1, screen);
  p.setPen(Qt::NoPen);
  p.setBrush(glass);
  p.drawRect(lid.adjusted(lid.width() * 0.08, lid.height() * 0.1, -lid.width() * 0.08,
                          -lid.height() * 0.1));
  QPainterPath base;
  base.moveTo(r.left() + r.width() * 0.08, r.top() + r.height() * 0.70);
  base.lineTo(r.right() - r.width() * 0.08, r.top() + r.height() * 0.70);
  base.lineTo(r.right(), r.bottom());
  base.lineTo(r.left(), r.bottom());
  base.closeSubpath();
  p.setPen(QPen(kSlate, qMax<qreal>(1.0, r.width() / 32)));
  p.setBrush(QColor(200, 205, 212));
  p.drawPath(base);
}

// A small round badge in the lower right corner: a tick when ok, a cross otherwise.
void Badge(QPainter& p, const QRectF& r, bool ok) {
  const qreal d = r.width() * 0.42;
  const QRectF c(r.right() - d, r.bottom() - d, d, d);
  p.setPen(QPen(Qt::white, d / 10));
  p.setBrush(ok ? kGreen : kRed);
  p.drawEllipse(c);
  p.setPen(QPen(Qt::white, d / 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  if (ok) {
    QPainterPath tick;
    tick.moveTo(c.left() + d * 0.25, c.top() + d * 0.52);
    tick.lineTo(c.left() + d * 0.43, c.top() + d * 0.70);
    tick.lineTo(c.left() + d * 0.76, c.top() + d * 0.32);
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
  } else {
    p.drawLine(c.topLeft() + QPointF(d * 0.3, d * 0.3),
               c.bottomRight() - QPointF(d * 0.3, d * 0.3));
    p.drawLine(QPointF(c.right() - d * 0.3, c.top() + d * 0.3),
               QPointF(c.left() + d * 0.3, c.bottom() - d * 0.3));
  }
}

void AppIcon(QPainter& p, const QRectF& r) {
  QLinearGradient fill(r.topLeft(), r.bottomLeft());
  fill.setColorAt(0, kOrange.lighter(115));
  fill.setColorAt(1, kDarkOrange);
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawRoundedRect(r.adjusted(1, 1, -1, -1), r.width() * 0.2, r.width() * 0.2);
  Waves(p, QPointF(r.center().x(), r.bottom() - r.height() * 0.22), r.width() * 0.17, 3, Qt::white,
        r.width() * 0.075);
}

void WiredPlug(QPainter& p, const QRectF& r, bool on) {
  const QColor body = on ? kSlate : kGrey;
  p.setPen(QPen(body, r.width() / 16, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(r.center().x(), r.top() + r.height() * 0.62),
             QPointF(r.center().x(), r.bottom()));
  p.setPen(Qt::NoPen);
  p.setBrush(body);
  const QRectF jack(r.left() + r.width() * 0.22, r.top() + r.height() * 0.12, r.width() * 0.56,
                    r.height() * 0.5);
  p.drawRoundedRect(jack, r.width() * 0.06, r.width() * 0.06);
  p.setBrush(on ? QColor(250, 200, 60) : QColor(210, 210, 210));
  for (int i = 0; i < 4; ++i) {
    p.drawRect(QRectF(jack.left() + jack.width() * (0.14 + 0.19 * i),
                      jack.top() + jack.height() * 0.12, jack.width() * 0.1, jack.height() * 0.34));
  }
  Badge(p, r, on);
}

void Wireless(QPainter& p, const QRectF& r, bool on) {
  Laptop(p, r.adjusted(0, r.height() * 0.42, -r.width() * 0.18, 0), on ? kBlue : kGrey);
  Waves(p, QPointF(r.width() * 0.42, r.height() * 0.44), r.width() * 0.11, 3, on ? kOrange : kGrey,
        r.width() * 0.06);
  Badge(p, r, on);
}

void Globe(QPainter& p, const QRectF& r, bool on) {
  const QRectF g =
      r.adjusted(r.width() * 0.04, r.height() * 0.04, -r.width() * 0.16, -r.height() * 0.16);
  QRadialGradient sea(g.center() - QPointF(g.width() * 0.2, g.height() * 0.2), g.width() * 0.7);
  sea.setColorAt(0, on ? QColor(120, 190, 255) : QColor(220, 220, 220));
  sea.setColorAt(1, on ? kBlue : kGrey);
  p.setPen(Qt::NoPen);
  p.setBrush(sea);
  p.drawEllipse(g);
  p.setPen(QPen(QColor(255, 255, 255, 180), r.width() / 40));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(g.adjusted(g.width() * 0.3, 0, -g.width() * 0.3, 0));
  p.drawLine(QPointF(g.center().x(), g.top()), QPointF(g.center().x(), g.bottom()));
  p.drawLine(QPointF(g.left(), g.center().y()), QPointF(g.right(), g.center().y()));
  p.drawLine(QPointF(g.left() + g.width() * 0.08, g.top() + g.height() * 0.28),
             QPointF(g.right() - g.width() * 0.08, g.top() + g.height() * 0.28));
  p.drawLine(QPointF(g.left() + g.width() * 0.08, g.bottom() - g.height() * 0.28),
             QPointF(g.right() - g.width() * 0.08, g.bottom() - g.height() * 0.28));
  Badge(p, r, on);
}

void Header(QPainter& p, const QRectF& r) {
  Laptop(p, QRectF(r.left() + 4, r.top() + 30, 50, 32), kBlue);
  Waves(p, QPointF(29, 30), 8, 3, kOrange, 3.5);
}

void Logo(QPainter& p, const QRectF& r) {
  Waves(p, QPointF(r.right() - 22, r.bottom() - 18), 7, 3, kOrange, 3);
  QFont font("DejaVu Sans", 1);
  font.setPixelSize(12);
  font.setBold(true);
  p.setFont(font);
  p.setPen(kSlate);
  p.drawText(QRectF(r.left(), r.top() + 14, r.width() - 46, 20), Qt::AlignRight | Qt::AlignVCenter,
             "share");
  p.setPen(kOrange);
  p.drawText(QRectF(r.left(), r.top() + 32, r.width() - 46, 20), Qt::AlignRight | Qt::AlignVCenter,
             "the air");
}

void SmallDot(QPainter& p, const QRectF& r, bool ok) {
  Badge(p,
        QRectF(r.left() - r.width() * 0.38, r.top() - r.height() * 0.38, r.width() * 1.38,
               r.height() * 1.38)
            .adjusted(-1, -1, 0, 0),
        ok);
}

void ShareSmall(QPainter& p, const QRectF& r) {
  Waves(p, QPointF(r.center().x(), r.bottom() - 3), 3.5, 3, kOrange, 1.6);
}

void ConnectSmall(QPainter& p, const QRectF& r) {
  Waves(p, QPointF(r.center().x(), r.bottom() - 3), 3.5, 3, kBlue, 1.6);
}

void ExitSmall(QPainter& p, const QRectF& r) {
  p.setPen(QPen(kRed, 1.8, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(r.adjusted(2.5, 2.5, -2.5, -2.5), 120 * 16, 300 * 16);
  p.drawLine(QPointF(r.center().x(), r.top() + 1.5), QPointF(r.center().x(), r.center().y()));
}

void OptionsSmall(QPainter& p, const QRectF& r) {
  p.setPen(QPen(kSlate, 2.4, Qt::SolidLine, Qt::FlatCap));
  const QPointF c = r.center();
  for (int i = 0; i < 4; ++i) {
    p.save();
    p.translate(c);
    p.rotate(45 * i);
    p.drawLine(QPointF(-6.5, 0), QPointF(6.5, 0));
    p.restore();
  }
  p.setPen(Qt::NoPen);
  p.setBrush(kSlate);
  p.drawEllipse(c, 4.6, 4.6);
  p.setBrush(Qt::white);
  p.drawEllipse(c, 1.8, 1.8);
}

void UpdateSmall(QPainter& p, const QRectF& r) {
  p.setPen(QPen(kGreen, 1.8, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(r.adjusted(2.5, 2.5, -2.5, -2.5), 60 * 16, 270 * 16);
  QPainterPath head;
  head.moveTo(r.right() - 2, r.top() + 1);
  head.lineTo(r.right() - 2, r.top() + 6.5);
  head.lineTo(r.right() - 7.5, r.top() + 6.5);
  head.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(kGreen);
  p.drawPath(head);
}

void CommentSmall(QPainter& p, const QRectF& r) {
  QPainterPath bubble;
  bubble.addRoundedRect(r.adjusted(1.5, 2, -1.5, -5), 3, 3);
  bubble.moveTo(r.left() + 4, r.bottom() - 6);
  bubble.lineTo(r.left() + 4, r.bottom() - 1);
  bubble.lineTo(r.left() + 9, r.bottom() - 6);
  p.setPen(QPen(kBlue, 1.2));
  p.setBrush(QColor(225, 238, 255));
  p.drawPath(bubble.simplified());
  p.setPen(QPen(kBlue, 1));
  p.drawLine(QPointF(r.left() + 4.5, r.top() + 5.5), QPointF(r.right() - 4.5, r.top() + 5.5));
  p.drawLine(QPointF(r.left() + 4.5, r.top() + 8.5), QPointF(r.right() - 6.5, r.top() + 8.5));
}

void AboutSmall(QPainter& p, const QRectF& r) {
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawEllipse(r.adjusted(1, 1, -1, -1));
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(r.center().x(), r.top() + 4.5), 1.3, 1.3);
  p.drawRect(QRectF(r.center().x() - 1.2, r.top() + 6.8, 2.4, 6));
}

// Sharing running: the waves with a tick; ready: the waves with an arrow to press.
void SharingOnSmall(QPainter& p, const QRectF& r) {
  ShareSmall(p, r.adjusted(-2, -2, -2, -2));
  Badge(p, r, true);
}

void SharingReadySmall(QPainter& p, const QRectF& r) {
  Waves(p, QPointF(r.center().x() - 2, r.bottom() - 5), 3.5, 3, kGrey, 1.6);
  QPainterPath arrow;
  arrow.moveTo(r.right() - 6.5, r.bottom() - 8);
  arrow.lineTo(r.right() - 0.5, r.bottom() - 4);
  arrow.lineTo(r.right() - 6.5, r.bottom());
  arrow.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(kGreen);
  p.drawPath(arrow);
}

// The troubleshooter's animation: a white signal sign on an orange tile, its dot and `arcs`
// of its two arcs.
void SignalTile(QPainter& p, const QRectF& r, int arcs) {
  QLinearGradient fill(r.topLeft(), r.bottomLeft());
  fill.setColorAt(0, kOrange.lighter(115));
  fill.setColorAt(1, kDarkOrange);
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawRoundedRect(r.adjusted(1, 1, -1, -1), r.width() * 0.18, r.width() * 0.18);
  Waves(p, QPointF(r.center().x(), r.bottom() - r.height() * 0.24), r.width() * 0.22, arcs,
        Qt::white, r.width() * 0.09);
}

bool SaveSignalFrames(const QString& out) {
  using namespace std::placeholders;
  bool ok = true;
  for (int arcs = 0; arcs < 3 && ok; ++arcs) {
    ok = Save(out, QStringLiteral("signal_%1.png").arg(arcs), {32, 32},
              std::bind(SignalTile, _1, _2, arcs));
  }
  return ok;
}

// The connection picker's rows: a computer on a cable or sending waves; a red cross when the
// connection is down.
void PickerComputer(QPainter& p, const QRectF& r, bool wireless, bool connected) {
  const QRectF computer = r.adjusted(r.width() * 0.04, r.height() * 0.36, -r.width() * 0.2, 0);
  Laptop(p, computer, connected ? kBlue : kGrey);
  if (wireless) {
    Waves(p, QPointF(computer.center().x(), r.top() + r.height() * 0.34), r.width() * 0.1, 3,
          connected ? kOrange : kGrey, r.width() * 0.05);
  } else {
    p.setPen(QPen(connected ? kSlate : kGrey, r.width() / 14, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath cable;
    cable.moveTo(computer.center().x(), computer.top());
    cable.cubicTo(QPointF(computer.center().x(), r.top() + r.height() * 0.1),
                  QPointF(r.right() - r.width() * 0.1, r.top() + r.height() * 0.3),
                  QPointF(r.right() - r.width() * 0.06, r.top() + r.height() * 0.04));
    p.drawPath(cable);
  }
  if (!connected) Badge(p, r, false);
}

bool SavePickerPictures(const QString& out) {
  const QSize size(48, 48);
  bool ok = true;
  for (int index = 0; index < 4; ++index) {
    ok = ok && Save(out, QStringLiteral("picker_%1.png").arg(index), size,
                    [index](QPainter& p, const QRectF& r) {
                      PickerComputer(p, r, index >= 2, index % 2 == 1);
                    });
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER [DESKTOP_ICON_FOLDER]\n", argv[0]);
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);
  using namespace std::placeholders;
  const QSize big(48, 48), small(16, 16);
  bool ok = Save(out, "app_icon.png", {64, 64}, AppIcon) &&
            Save(out, "header.png", {64, 68}, Header) && Save(out, "logo.png", {125, 68}, Logo) &&
            Save(out, "wired_connected.png", big, std::bind(WiredPlug, _1, _2, true)) &&
            Save(out, "wired_disconnected.png", big, std::bind(WiredPlug, _1, _2, false)) &&
            Save(out, "wireless_connected.png", big, std::bind(Wireless, _1, _2, true)) &&
            Save(out, "wireless_disconnected.png", big, std::bind(Wireless, _1, _2, false)) &&
            Save(out, "internet_connected.png", big, std::bind(Globe, _1, _2, true)) &&
            Save(out, "internet_disconnected.png", big, std::bind(Globe, _1, _2, false)) &&
            Save(out, "list16_0.png", small, std::bind(SmallDot, _1, _2, true)) &&
            Save(out, "list16_1.png", small, std::bind(SmallDot, _1, _2, false)) &&
            Save(out, "small_00.png", small, ShareSmall) &&
            Save(out, "small_01.png", small, ConnectSmall) &&
            Save(out, "small_02.png", small, ExitSmall) &&
            Save(out, "small_03.png", small, OptionsSmall) &&
            Save(out, "small_04.png", small, UpdateSmall) &&
            Save(out, "small_05.png", small, CommentSmall) &&
            Save(out, "small_06.png", small, AboutSmall) &&
            Save(out, "small_29.png", small, SharingOnSmall) &&
            Save(out, "small_30.png", small, SharingReadySmall) && SaveSignalFrames(out) &&
            SavePickerPictures(out);
  // The program's icon at the sizes desktop menus and docks look for.
  if (argc == 3) {
    const QString icons = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(icons);
    for (int size : {16, 24, 32, 48, 64, 128, 256})
      ok = ok && SaveIcon(icons, QStringLiteral("%1.png").arg(size), {size, size}, AppIcon);
  }
  return ok ? 0 : 1;
}
