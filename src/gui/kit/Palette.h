#pragma once

#include <QColor>

#include "app/IMainView.h"

class QPalette;
class QWidget;

namespace orvane::ui {

// The design's colours. They are drawn as they are on a light palette; on a dark one every text
// colour goes through Readable, so the same hue stays legible.
inline const QColor kOrange(255, 128, 0);
inline const QColor kNavy(0, 0, 128);

inline QColor ToColor(const Rgb& rgb) {
  return QColor(rgb.red, rgb.green, rgb.blue);
}

// The least contrast a text keeps against its background on a dark palette (WCAG AA).
inline constexpr double kMinimumTextContrast = 4.5;

// WCAG's contrast ratio of two colours, from 1 (equal) to 21 (black on white).
double ContrastRatio(const QColor& first, const QColor& second);
bool IsDark(const QColor& background);
bool IsDark(const QPalette& palette);

// The colour a text of the design's colour `wanted` is drawn in on `background`: the colour
// itself on a light background, and on a dark one the nearest lighter shade of the same hue
// that keeps kMinimumTextContrast.
QColor Readable(const QColor& wanted, const QColor& background);

// Gives a label or any other widget that draws text the design colour `colour`, shown through
// Readable against the widget's own background, again whenever its palette changes (a desktop
// switching to a dark theme while the program runs).
void SetTextColour(QWidget* widget, const QColor& colour);
QColor TextColour(const QWidget* widget);

// A dark colour scheme as desktops set it for the Fusion style: the demo shows the windows in
// it, and the tests check the contrast against it.
QPalette DarkPalette();

}  // namespace orvane::ui
