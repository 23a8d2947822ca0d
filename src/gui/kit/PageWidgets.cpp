#include "gui/kit/PageWidgets.h"

#include <QChildEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QtMath>

namespace orvane::ui {

QLabel* MakeLabel(const QString& name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setWordWrap(true);
  // Texts come from settings and the network; none of them is markup.
  label->setTextFormat(Qt::PlainText);
  return label;
}

QLabel* MakeBoldLabel(const QString& name, const QString& text, QWidget* parent) {
  QLabel* label = MakeLabel(name, text, parent);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  return label;
}

namespace {

// Gives every widget put into a group the normal font: the group's bold font is meant for its
// title only and would otherwise pass on to its buttons and texts.
class NormalFontInside : public QObject {
 public:
  NormalFontInside(QFont normal, QObject* parent) : QObject(parent), normal_(std::move(normal)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ChildAdded) {
      auto* child = static_cast<QChildEvent*>(event)->child();
      // A widget with a font of its own (a bold status line) keeps it.
      if (child->isWidgetType() && !static_cast<QWidget*>(child)->testAttribute(Qt::WA_SetFont)) {
        static_cast<QWidget*>(child)->setFont(normal_);
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QFont normal_;
};

}  // namespace

QGroupBox* MakeGroup(const QString& title, QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  UseGroupFonts(group);
  return group;
}

void UseGroupFonts(QGroupBox* group) {
  // Fonts that set the weight only: family and size still come from the window.
  QFont normal;
  normal.setBold(false);
  group->installEventFilter(new NormalFontInside(normal, group));
  QFont bold;
  bold.setBold(true);
  group->setFont(bold);
}

namespace {

// A description of two lines: the design's 40 pixels at 8 points, taller for a larger font.
class DescriptionMemo : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

  QSize sizeHint() const override {
    const int margins = 2 * (frameWidth() + qCeil(document()->documentMargin()));
    return {QPlainTextEdit::sizeHint().width(),
            std::max(kDesignHeight, 2 * fontMetrics().lineSpacing() + margins)};
  }
  QSize minimumSizeHint() const override { return sizeHint(); }

 private:
  static constexpr int kDesignHeight = 40;
};

}  // namespace

QPlainTextEdit* MakeMemo(const QString& name, QWidget* parent) {
  auto* memo = new DescriptionMemo(parent);
  memo->setObjectName(name);
  memo->setReadOnly(true);
  memo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QFont normal = memo->font();
  normal.setBold(false);
  memo->setFont(normal);
  return memo;
}

}  // namespace orvane::ui
