#include "gui/kit/ExternalLinks.h"

#include <QDesktopServices>
#include <QUrl>
#include <QtGlobal>

namespace orvane::ui {

bool OpenLink(const std::string& encodedLink) {
  // Tolerant: a hand-written product address with a blank still opens; encoded parts stay.
  const QUrl url(QString::fromStdString(encodedLink), QUrl::TolerantMode);
  if (!url.isValid()) {
    qWarning("Cannot open \"%s\": %s", encodedLink.c_str(), qPrintable(url.errorString()));
    return false;
  }
  if (!QDesktopServices::openUrl(url)) {
    qWarning("Cannot open \"%s\": no program on this system took it", encodedLink.c_str());
    return false;
  }
  return true;
}

}  // namespace orvane::ui
