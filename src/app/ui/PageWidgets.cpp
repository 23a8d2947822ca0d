#include "app/ui/PageWidgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

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

QGroupBox* MakeGroup(const QString& title, QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  QFont bold = group->font();
  bold.setBold(true);
  group->setFont(bold);
  return group;
}

QPlainTextEdit* MakeMemo(const QString& name, QWidget* parent) {
  auto* memo = new QPlainTextEdit(parent);
  memo->setObjectName(name);
  memo->setReadOnly(true);
  memo->setFixedHeight(40);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QFont normal = memo->font();
  normal.setBold(false);
  memo->setFont(normal);
  return memo;
}

}  // namespace orvane::ui
