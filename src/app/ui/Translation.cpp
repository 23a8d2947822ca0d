#include "app/ui/Translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QTranslator>
#include <QWidget>
#include <memory>

namespace orvane::ui {
namespace {

// Looks for "orvane_<locale>.qm" in the translations folder beside the program.
bool InstallCatalogue() {
  auto translator = std::make_unique<QTranslator>();
  const QString folder =
      QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"));
  if (!translator->load(QLocale(), QStringLiteral("orvane"), QStringLiteral("_"), folder)) {
    return false;
  }
  // The application keeps the catalogue for the rest of the run.
  translator->setParent(QCoreApplication::instance());
  QCoreApplication::installTranslator(translator.release());
  return true;
}

}  // namespace

bool TranslateComponent(QWidget* window) {
  if (window == nullptr || QCoreApplication::instance() == nullptr) return false;
  static const bool installed = InstallCatalogue();
  return installed;
}

}  // namespace orvane::ui
