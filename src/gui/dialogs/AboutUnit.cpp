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
  setFixedSize(386, 223);

  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel2"));
  panel->setAutoFillBackground(true);
  QPalette info = panel->palette();
  info.setColor(QPalette::Window, info.color(QPalette::ToolTipBase));
  info.setColor(QPalette::WindowText, info.color(QPalette::ToolTipText));
  panel->setPalette(info);
  panel->setFixedHeight(169);

  auto* image = new QLabel(panel);
  image->setObjectName(QStringLiteral("Image1"));
  image->setAccessibleName(QString::fromStdString(ApplicationName()));
  image->setPixmap(artwork::Logo().scaled(64, 68, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  image->setGeometry(16, 14, 64, 68);
  SoftName = MakeLabel(QStringLiteral("SoftName"), QStringLiteral("m_SoftName"), panel);
  SoftName->setWordWrap(false);
  SoftName->setGeometry(112, 22, 260, 16);
  Version = MakeLabel(QStringLiteral("Version"), QStringLiteral("m_Version"), panel);
  Version->setWordWrap(false);
  Version->setGeometry(112, 41, 260, 16);
  Copyright =
      MakeLabel(QStringLiteral("Copyright"),
                QStringLiteral("Copyright (C) The Orvane developers. All rights reserved."), panel);
  Copyright->setGeometry(16, 100, 354, 28);
  URL = MakeLabel(QStringLiteral("URL"), QStringLiteral("m_SiteIndex"), panel);
  URL->setGeometry(16, 132, 354, 30);
  URL->setCursor(Qt::PointingHandCursor);
  URL->setToolTip(QStringLiteral("Visit our website."));
  QFont link = DesignFont(URL->font(), QStringLiteral("MS Sans Serif"), 8);
  link.setBold(true);
  URL->setFont(link);
  SetTextColour(URL, ToColor(kBlue));
  URL->installEventFilter(this);

  OKButton = new QPushButton(QStringLiteral("OK"), this);
  OKButton->setObjectName(QStringLiteral("OKButton"));
  OKButton->setDefault(true);
  OKButton->setGeometry(267, 190, 75, 25);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
  panel->setGeometry(0, 0, 386, 169);

  TranslateComponent(this);
}

void TAboutBox::FormShow() {
  SoftName->setText(QString::fromStdString(ApplicationName()));
  Version->setText(QString::fromStdString(
      AboutVersionLine(GetFileVersionText(system_, system_.ExecutablePath()))));
  URL->setText(QString::fromStdString(ProductURL()));
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
