#pragma once

#include <QFont>
#include <QSize>
#include <QString>

class QWidget;

namespace orvane::ui {

// The windows were laid out for Windows' fonts at 8 points. Those fonts are used where they
// belong, on Windows; elsewhere they are not installed, so the desktop's own font and size stay
// and a user's larger font reaches every window.
bool DesignFontsApply();
// `base` in the design's family and size where the design's fonts apply, else `base` itself.
QFont DesignFont(const QFont& base, const QString& family, int pointSize);
void UseDesignFont(QWidget* widget, const QString& family, int pointSize);

// A window that may grow: the design's size is its smallest, unless its contents need more.
void UseDesignMinimumSize(QWidget* window, QSize design);
// A dialog of one size: the design's, unless its contents need more.
void UseDesignFixedSize(QWidget* window, QSize design);

}  // namespace orvane::ui
