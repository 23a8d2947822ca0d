#include "gui/main/PageControl.h"

namespace orvane::ui {

PageControl::PageControl(QWidget* parent) : QTabWidget(parent) {
  setDocumentMode(false);
  connect(this, &QTabWidget::currentChanged, this, &PageControl::ActivePageChanged);
}

int PageControl::AddPage(QWidget* page, const QString& caption) {
  const int index = addTab(page, caption);
  // The first page added becomes current through currentChanged, which enables it.
  if (page != currentWidget()) page->setEnabled(false);
  return index;
}

void PageControl::SetActivePage(QWidget* page) {
  setCurrentWidget(page);
}

void PageControl::ActivePageChanged(int index) {
  if (active_ != nullptr && indexOf(active_) >= 0) active_->setEnabled(false);
  active_ = widget(index);
  if (active_ == nullptr) return;
  active_->setEnabled(true);
  emit PageShown(active_);
}

}  // namespace orvane::ui
