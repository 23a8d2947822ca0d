#include "gui/kit/Palette.h"

#include <QEvent>
#include <QPalette>
#include <QWidget>
#include <cmath>

namespace orvane::ui {
namespace {

double Linear(double channel) {
  return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& colour) {
  return 0.2126 * Linear(colour.redF()) + 0.7152 * Linear(colour.greenF()) +
         0.0722 * Linear(colour.blueF());
}

constexpr char kDesignColour[] = "orvaneDesignColour";

void ApplyTextColour(QWidget* widget, const QColor& wanted) {
  const QColor shown = Readable(wanted, widget->palette().color(widget->backgroundRole()));
  QPalette colours = widget->palette();
  // Disabled pages keep their colours: the texts carry state, not just decoration.
  const bool same = colours.color(QPalette::Active, QPalette::WindowText) == shown &&
                    colours.color(QPalette::Disabled, QPalette::WindowText) == shown &&
                    colours.color(QPalette::Active, QPalette::Text) == shown;
  if (same) return;  // also ends the palette change this very call sets off
  colours.setColor(QPalette::WindowText, shown);
  colours.setColor(QPalette::Text, shown);
  colours.setColor(QPalette::Disabled, QPalette::WindowText, shown);
  colours.setColor(QPalette::Disabled, QPalette::Text, shown);
  widget->setPalette(colours);
}

// Shows the widget's design colour again against whatever background a new palette brings.
class TextColourKeeper : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::PaletteChange) {
      auto* widget = static_cast<QWidget*>(watched);
      ApplyTextColour(widget, widget->property(kDesignColour).value<QColor>());
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

double ContrastRatio(const QColor& first, const QColor& second) {
  const double a = Luminance(first);
  const double b = Luminance(second);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

bool IsDark(const QColor& background) {
  // Below mid-grey's luminance: black text would read worse on it than white.
  return Luminance(background) < 0.18;
}

bool IsDark(const QPalette& palette) {
  return IsDark(palette.color(QPalette::Window));
}

QColor Readable(const QColor& wanted, const QColor& background) {
  if (!IsDark(background)) return wanted;
  // Styles draw tab pages and group boxes a shade lighter than the window they sit on: the text
  // must read on that shade too.
  const QColor surface = background.lighter(130);
  const auto reads = [&](const QColor& colour) {
    return ContrastRatio(colour, surface) >= kMinimumTextContrast &&
           ContrastRatio(colour, background) >= kMinimumTextContrast;
  };
  if (reads(wanted)) return wanted;
  // Lighten step by step in HSL, keeping hue and saturation; white ends the search at worst.
  const QColor hsl = wanted.toHsl();
  for (int lightness = hsl.lightness(); lightness <= 255; lightness += 4) {
    const QColor lighter = QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), lightness).toRgb();
    if (reads(lighter)) return lighter;
  }
  return QColor(Qt::white);
}

void SetTextColour(QWidget* widget, const QColor& colour) {
  const bool kept = widget->property(kDesignColour).isValid();
  widget->setProperty(kDesignColour, colour);
  ApplyTextColour(widget, colour);
  if (!kept) widget->installEventFilter(new TextColourKeeper(widget));
}

QColor TextColour(const QWidget* widget) {
  return widget->palette().color(QPalette::Active, QPalette::WindowText);
}

QPalette DarkPalette() {
  QPalette dark;
  const QColor window(53, 53, 53), base(35, 35, 35), text(230, 230, 230);
  for (auto role : {QPalette::Window, QPalette::Button, QPalette::AlternateBase}) {
    dark.setColor(role, window);
  }
  dark.setColor(QPalette::Base, base);
  for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    dark.setColor(role, text);
  }
  dark.setColor(QPalette::ToolTipBase, QColor(25, 25, 25));
  dark.setColor(QPalette::ToolTipText, text);
  dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
  dark.setColor(QPalette::HighlightedText, Qt::black);
  dark.setColor(QPalette::Mid, QColor(80, 80, 80));
  dark.setColor(QPalette::Disabled, QPalette::Text, QColor(127, 127, 127));
  dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(127, 127, 127));
  return dark;
}

}  // namespace orvane::ui
