#include "gui/main/HeaderPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

#include "gui/kit/Artwork.h"
#include "gui/kit/DesignMetrics.h"
#include "gui/kit/Palette.h"

namespace orvane::ui {

HeaderPanel::HeaderPanel(QWidget* parent)
    : QWidget(parent),
      picture_(new QLabel(this)),
      caption_(new QLabel(this)),
      logo_(new QLabel(this)) {
  setFixedHeight(69);
  picture_->setPixmap(artwork::HeaderPicture());
  picture_->setFixedSize(64, 68);
  logo_->setPixmap(artwork::Logo());
  logo_->setFixedSize(125, 68);

  QFont font = DesignFont(caption_->font(), QStringLiteral("Tahoma"), 8);
  font.setPixelSize(32);
  font.setBold(true);
  caption_->setFont(font);
  SetTextColour(caption_, kOrange);

  // The caption starts with blanks that keep it clear of the picture, so both share the left.
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 1);
  layout->setSpacing(0);
  layout->addWidget(picture_);
  layout->addWidget(caption_, 1);
  layout->addWidget(logo_);
}

void HeaderPanel::SetCaption(const QString& caption) {
  caption_->setText(caption);
  // The pictures are the product's marks: a screen reader names them by the product.
  picture_->setAccessibleName(caption.trimmed());
  logo_->setAccessibleName(caption.trimmed());
}

QString HeaderPanel::Caption() const {
  return caption_->text();
}

void HeaderPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // White as designed; a dark palette's own background, so the header does not glare in it.
  painter.fillRect(rect(), IsDark(palette()) ? palette().color(QPalette::Window) : Qt::white);
  painter.fillRect(QRect(0, height() - 1, width(), 1), kOrange);
}

}  // namespace orvane::ui
