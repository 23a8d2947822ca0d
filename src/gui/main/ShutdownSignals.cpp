#include "gui/main/ShutdownSignals.h"

#include <QSocketNotifier>

namespace orvane::ui {

ShutdownSignals::ShutdownSignals(QObject* parent)
    : QObject(parent), source_(platform::CreateEndRequestSource()) {
  if (!source_) return;
  notifier_ = std::make_unique<QSocketNotifier>(source_->ReadableHandle(), QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
    source_->Acknowledge();
    emit Requested();
  });
}

// The notifier goes before the source whose handle it watches.
ShutdownSignals::~ShutdownSignals() {
  notifier_.reset();
}

}  // namespace orvane::ui
