#pragma once

#include <QGuiApplication>

namespace orvane::ui {

// The busy cursor for the lifetime of the guard, restored on every exit path (also when an
// error leaves the handler).
class Hourglass {
 public:
  Hourglass() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~Hourglass() { QGuiApplication::restoreOverrideCursor(); }
  Hourglass(const Hourglass&) = delete;
  Hourglass& operator=(const Hourglass&) = delete;
};

}  // namespace orvane::ui
