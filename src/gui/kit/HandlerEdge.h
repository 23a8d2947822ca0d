#pragma once

#include <functional>

class QWidget;

namespace orvane::ui {

class MessagePresenter;

// Runs one event handler and stops any error at its edge, so that no exception crosses the
// event loop: the error's text is shown in the error box with the application's title as
// caption, and the rest of the handler is skipped. Answers whether the handler completed.
bool RunHandler(QWidget* owner, MessagePresenter& messages, const std::function<void()>& handler);

}  // namespace orvane::ui
