#include "gui/dialogs/AboutUnit.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/SystemHelpers.h"
#include "common/UnitGlobal.h"
#include "dialogs/AboutUnit.h"
#include "gui/kit/Artwork.h"
#include "gui/kit/DesignMetrics.h"
#include "gui/kit/ExternalLinks.h"
#include "gui/kit/PageWidgets.h"
#include "gui/kit/Palette.h"
#include "gui/kit/Translation.h"

namespace orvane::ui {

TAboutBox::TAboutBox(platform::ISystemInfo& system, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      system_(system) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QStringLiteral("About"));
  UseDesignFont(this, QStringLiteral("Tahoma"), 8);

  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel2"));
  panel->setAutoFillBackground(true);
  QPalette info = panel->palette();
  info.setColor(QPalette::Window, info.color(QPalette::ToolTipBase));
  info.setColor(QPalette::WindowText, info.color(QPalette::ToolTipText));
  panel->setPalette(info);

  auto* image = new QLabel(panel);
  image->setObjectName(QStringLiteral("Image1"));
  image->setAccessibleName(QString::fromStdString(ApplicationName()));
  image->setPixmap(artwork::Logo().scaled(64, 68, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  image->setFixedSize(64, 68);
  SoftName = MakeLabel(QStringLiteral("SoftName"), QStringLiteral("m_SoftName"), panel);
  SoftName->setWordWrap(false);
  Version = MakeLabel(QStringLiteral("Version"), QStringLiteral("m_Version"), panel);
  Version->setWordWrap(false);
  Copyright =
      MakeLabel(QStringLiteral("Copyright"),
                QStringLiteral("Copyright (C) The Orvane developers. All rights reserved."), panel);
  URL = MakeLabel(QStringLiteral("URL"), QStringLiteral("m_SiteIndex"), panel);
  URL->setCursor(Qt::PointingHandCursor);
  URL->setToolTip(QStringLiteral("Visit our website."));
  QFont link = DesignFont(URL->font(), QStringLiteral("MS Sans Serif"), 8);
  link.setBold(true);
  URL->setFont(link);
  SetTextColour(URL, ToColor(kBlue));
  URL->installEventFilter(this);

  // The design's places, held by layouts so that a larger font moves them instead of cutting
  // their texts off.
  auto* names = new QVBoxLayout;
  names->setContentsMargins(0, 8, 0, 0);
  names->setSpacing(3);
  names->addWidget(SoftName);
  names->addWidget(Version);
  names->addStretch(1);
  auto* top = new QHBoxLayout;
  top->setSpacing(32);
  top->addWidget(image, 0, Qt::AlignTop);
  top->addLayout(names, 1);
  auto* panelLayout = new QVBoxLayout(panel);
  panelLayout->setContentsMargins(16, 14, 16, 7);
  panelLayout->setSpacing(4);
  panelLayout->addLayout(top);
  panelLayout->addSpacing(14);
  panelLayout->addWidget(Copyright);
  panelLayout->addSpacing(14);
  panelLayout->addWidget(URL);

  OKButton = new QPushButton(QStringLiteral("OK"), this);
  OKButton->setObjectName(QStringLiteral("OKButton"));
  OKButton->setDefault(true);
  OKButton->setMinimumSize(75, 25);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(OKButton);
  buttons->addSpacing(44);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 8);
  layout->setSpacing(21);
  layout->addWidget(panel, 1);
  layout->addLayout(buttons);

  TranslateComponent(this);
}

void TAboutBox::FormShow() {
  SoftName->setText(QString::fromStdString(ApplicationName()));
  Version->setText(QString::fromStdString(
      AboutVersionLine(GetFileVersionText(system_, system_.ExecutablePath()))));
  URL->setText(QString::fromStdString(ProductURL()));
  // Sized for the texts it shows, in the user's language and font.
  UseDesignFixedSize(this, QSize(386, 223));
}

void TAboutBox::URLClick() {
  OpenLink(ProductURL());
}

void TAboutBox::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == URL && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    URLClick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace orvane::ui
