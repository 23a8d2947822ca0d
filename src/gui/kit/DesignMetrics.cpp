#include "gui/kit/DesignMetrics.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QWidget>

namespace orvane::ui {
namespace {

// What the window's layout needs at the current font, before the window has been shown.
QSize ContentsSize(QWidget* window) {
  if (QLayout* layout = window->layout()) {
    layout->activate();
    return layout->totalSizeHint();
  }
  return window->sizeHint();
}

}  // namespace

bool DesignFontsApply() {
  return QGuiApplication::platformName() == QLatin1String("windows");
}

QFont DesignFont(const QFont& base, const QString& family, int pointSize) {
  if (!DesignFontsApply()) return base;
  QFont font = base;
  font.setFamily(family);
  font.setPointSize(pointSize);
  return font;
}

void UseDesignFont(QWidget* widget, const QString& family, int pointSize) {
  if (DesignFontsApply()) widget->setFont(QFont(family, pointSize));
}

namespace {

// Keeps a window's smallest size at the design's, or at what its contents ask for when that is
// more, also when a text grows later (a longer status, a translation). The contents' preferred
// size, not their least: word-wrapped texts need their preferred width to fit their height.
class DesignMinimum : public QObject {
 public:
  DesignMinimum(QWidget* window, QSize design) : QObject(window), design_(design) {
    window->installEventFilter(this);
    Apply(window);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::LayoutRequest) Apply(static_cast<QWidget*>(watched));
    return QObject::eventFilter(watched, event);
  }

 private:
  void Apply(QWidget* window) const {
    const QSize needed = design_.expandedTo(ContentsSize(window));
    if (window->minimumSize() != needed) window->setMinimumSize(needed);
  }

  QSize design_;
};

}  // namespace

void UseDesignMinimumSize(QWidget* window, QSize design) {
  new DesignMinimum(window, design);
  window->resize(window->minimumSize());
}

void UseDesignFixedSize(QWidget* window, QSize design) {
  window->setFixedSize(design.expandedTo(ContentsSize(window)));
}

}  // namespace orvane::ui
