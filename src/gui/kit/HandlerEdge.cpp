#include "gui/kit/HandlerEdge.h"

#include <QCoreApplication>
#include <exception>

#include "gui/kit/MessagePresenter.h"

namespace orvane::ui {

bool RunHandler(QWidget* owner, MessagePresenter& messages, const std::function<void()>& handler) {
  QString text;
  try {
    handler();
    return true;
  } catch (const std::exception& error) {
    text = QString::fromStdString(error.what());
  } catch (...) {
    text = QStringLiteral("Unknown error.");
  }
  // Shown outside the catch block: the box runs an event loop, and nothing of the failed
  // handler should stay alive while it does.
  // The application's title, which the main window sets before anything can fail.
  messages.Show(owner, QCoreApplication::applicationName(), text, QMessageBox::Critical);
  return false;
}

}  // namespace orvane::ui
