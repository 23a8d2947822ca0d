#include "gui/kit/Translation.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTranslator>
#include <QWidget>
#include <memory>

#include "common/UnitGlobal.h"

namespace orvane::ui {
namespace {

// Every text of the program is looked up in this one context, by its English text.
constexpr const char* kContext = "Orvane";

bool Install(const QString& name, const QStringList& folders) {
  for (const QString& folder : folders) {
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QLocale(), name, QStringLiteral("_"), folder)) {
      // The application keeps the catalogue for the rest of the run.
      translator->setParent(QCoreApplication::instance());
      QCoreApplication::installTranslator(translator.release());
      return true;
    }
  }
  return false;
}

bool InstallCatalogues() {
  const QString besideProgram =
      QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"));
  if (!Install(QStringLiteral("orvane"), {QStringLiteral(":/i18n"), besideProgram})) return false;
  // Qt's own texts (standard buttons, edit menus) follow the program's language where Qt has it.
  Install(QStringLiteral("qtbase"),
          {QLibraryInfo::path(QLibraryInfo::TranslationsPath), besideProgram});
  return true;
}

template <typename Widget, typename Get, typename Set>
void TranslateAll(QWidget* window, Get get, Set set) {
  for (Widget* widget : window->findChildren<Widget*>()) {
    const QString text = (widget->*get)();
    if (!text.isEmpty()) (widget->*set)(Translate(text));
  }
}

}  // namespace

QString Translate(const QString& text) {
  return QCoreApplication::translate(kContext, text.toUtf8().constData());
}

QString Translate(const char* text) {
  return QCoreApplication::translate(kContext, text);
}

QString TranslateAround(const QString& text, const QString& name) {
  if (!name.isEmpty() && text.contains(name)) {
    const QString pattern = QString(text).replace(name, QStringLiteral("%1"));
    QString translated = Translate(pattern);
    if (translated != pattern) return translated.replace(QStringLiteral("%1"), name);
  }
  return Translate(text);
}

QString TranslateParagraphs(const QString& text, const QString& name) {
  // A message the catalogue holds whole is translated whole.
  if (const QString whole = TranslateAround(text, name); whole != text) return whole;
  const QString separator = QStringLiteral("\r\n\r\n");
  QStringList paragraphs = text.split(separator);
  for (QString& paragraph : paragraphs) paragraph = TranslateAround(paragraph, name);
  return paragraphs.join(separator);
}

QString TranslateMessage(const std::string& text) {
  return TranslateParagraphs(QString::fromStdString(text),
                             QString::fromStdString(ApplicationName()));
}

bool TranslateComponent(QWidget* window) {
  if (window == nullptr || QCoreApplication::instance() == nullptr) return false;
  static const bool installed = InstallCatalogues();
  if (!installed) return false;
  if (!window->windowTitle().isEmpty()) window->setWindowTitle(Translate(window->windowTitle()));
  TranslateAll<QLabel>(window, &QLabel::text, &QLabel::setText);
  TranslateAll<QAbstractButton>(window, &QAbstractButton::text, &QAbstractButton::setText);
  TranslateAll<QGroupBox>(window, &QGroupBox::title, &QGroupBox::setTitle);
  TranslateAll<QPlainTextEdit>(window, &QPlainTextEdit::toPlainText, &QPlainTextEdit::setPlainText);
  TranslateAll<QAction>(window, &QAction::text, &QAction::setText);
  TranslateAll<QWidget>(window, &QWidget::accessibleName, &QWidget::setAccessibleName);
  for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
    for (int i = 0; i < tabs->count(); ++i) tabs->setTabText(i, Translate(tabs->tabText(i)));
  }
  return true;
}

}  // namespace orvane::ui
