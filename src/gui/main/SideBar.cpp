#include "gui/main/SideBar.h"

#include <QAction>
#include <QToolButton>
#include <QVBoxLayout>

namespace orvane::ui {

SideBar::SideBar(QWidget* parent) : QWidget(parent), layout_(new QVBoxLayout(this)) {
  layout_->setContentsMargins(8, 8, 8, 8);
  layout_->setSpacing(6);
  layout_->addStretch(1);
  setAutoFillBackground(true);
  setStyleSheet(QStringLiteral(
      "orvane--ui--SideBar { background: #eef1f5; border-right: 1px solid #c9ced6; }"
      "QToolButton[sideBarHeader=\"true\"] { font-weight: bold; color: white; text-align: left;"
      "  background: #5a6b80; border: none; border-radius: 3px; padding: 5px 8px; }"
      "QWidget[sideBarBody=\"true\"] { background: white; border: 1px solid #c9ced6;"
      "  border-radius: 3px; }"
      "QToolButton[sideBarItem=\"true\"] { border: none; padding: 4px 6px; text-align: left; }"
      "QToolButton[sideBarItem=\"true\"]:hover { background: #fde6cf; color: #c05a00; }"
      "QToolButton[sideBarItem=\"true\"]:disabled { color: #9aa3ad; }"));
}

int SideBar::AddGroup(const QString& title, const std::vector<Item>& items) {
  auto* header = new QToolButton(this);
  header->setText(title);
  header->setCheckable(true);
  header->setProperty("sideBarHeader", true);
  header->setToolButtonStyle(Qt::ToolButtonTextOnly);
  header->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

  auto* body = new QWidget(this);
  body->setProperty("sideBarBody", true);
  body->setAttribute(Qt::WA_StyledBackground);
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(4, 4, 4, 4);
  column->setSpacing(1);
  for (const Item& item : items) {
    auto* button = new QToolButton(body);
    button->setObjectName(item.name);
    button->setDefaultAction(item.action);
    button->setProperty("sideBarItem", true);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    button->setCursor(Qt::PointingHandCursor);
    column->addWidget(button);
  }
  body->setVisible(false);

  // Before the closing stretch, so the groups stack from the top.
  const int position = layout_->count() - 1;
  layout_->insertWidget(position, header);
  layout_->insertWidget(position + 1, body);
  const int index = GroupCount();
  groups_.push_back({header, body});
  connect(header, &QToolButton::toggled, this,
          [this, index](bool open) { SetGroupOpen(index, open); });
  return index;
}

void SideBar::SetGroupOpen(int index, bool open) {
  const Group& group = groups_.at(static_cast<std::size_t>(index));
  group.header->setChecked(open);
  group.body->setVisible(open);
}

bool SideBar::GroupOpen(int index) const {
  return groups_.at(static_cast<std::size_t>(index)).header->isChecked();
}

void SideBar::OpenAllGroups() {
  for (int i = 0; i < GroupCount(); ++i) SetGroupOpen(i, true);
}

}  // namespace orvane::ui
