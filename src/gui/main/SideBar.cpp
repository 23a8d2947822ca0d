#include "gui/main/SideBar.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/kit/Palette.h"

namespace orvane::ui {

SideBar::SideBar(QWidget* parent) : QWidget(parent), layout_(new QVBoxLayout(this)) {
  layout_->setContentsMargins(8, 8, 8, 8);
  layout_->setSpacing(6);
  layout_->addStretch(1);
  setAutoFillBackground(true);
  ApplyColours();
  qApp->installEventFilter(this);
}

bool SideBar::eventFilter(QObject* watched, QEvent* event) {
  // A desktop switching between a light and a dark theme while the program runs: the style
  // sheet fixes this widget's palette, so only the application hears of the change.
  if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange) ApplyColours();
  return QWidget::eventFilter(watched, event);
}

void SideBar::ApplyColours() {
  // The design's colours on a light palette; on a dark one the palette's own, so no text ends up
  // light on light. The title bars keep their slate: white on it reads on either.
  // The application's palette: the style sheet below fixes this widget's own.
  const QPalette colours = QApplication::palette(this);
  const bool dark = IsDark(colours);
  const QString bar = dark ? colours.color(QPalette::Window).name() : QStringLiteral("#eef1f5");
  const QString body = dark ? colours.color(QPalette::Base).name() : QStringLiteral("white");
  const QString text = colours.color(QPalette::Text).name();
  const QString border = dark ? colours.color(QPalette::Mid).name() : QStringLiteral("#c9ced6");
  const QString hoverBack =
      dark ? colours.color(QPalette::Highlight).name() : QStringLiteral("#fde6cf");
  const QString hoverText =
      dark ? colours.color(QPalette::HighlightedText).name() : QStringLiteral("#c05a00");
  const QString disabled =
      dark ? colours.color(QPalette::Disabled, QPalette::Text).name() : QStringLiteral("#9aa3ad");
  const QString sheet =
      QStringLiteral(
          "orvane--ui--SideBar { background: %1; border-right: 1px solid %4; }"
          "QToolButton[sideBarHeader=\"true\"] { font-weight: bold; color: white; text-align: left;"
          "  background: #5a6b80; border: 1px solid #5a6b80; border-radius: 3px; padding: 5px 8px; "
          "}"
          "QToolButton[sideBarHeader=\"true\"]:focus { border: 1px dotted white; }"
          "QWidget[sideBarBody=\"true\"] { background: %2; border: 1px solid %4;"
          "  border-radius: 3px; }"
          "QToolButton[sideBarItem=\"true\"] { color: %3; border: 1px solid transparent;"
          "  padding: 4px 6px; text-align: left; }"
          "QToolButton[sideBarItem=\"true\"]:hover { background: %5; color: %6; }"
          "QToolButton[sideBarItem=\"true\"]:focus { border: 1px dotted %3; }"
          "QToolButton[sideBarItem=\"true\"]:disabled { color: %7; }")
          .arg(bar, body, text, border, hoverBack, hoverText, disabled);
  if (sheet != styleSheet()) setStyleSheet(sheet);
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
    // The button's own text keeps the action's mnemonic (its icon text would drop the "&").
    const auto keepMnemonic = [button, action = item.action] { button->setText(action->text()); };
    keepMnemonic();
    connect(item.action, &QAction::changed, button, keepMnemonic);
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
