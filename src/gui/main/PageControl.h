#pragma once

#include <QTabWidget>

namespace orvane::ui {

// Pages with tabs of which only the active page takes input: changing the active page disables
// the page that was active and enables the new one.
class PageControl : public QTabWidget {
  Q_OBJECT
 public:
  explicit PageControl(QWidget* parent = nullptr);

  // Adds a page; every page but the active one starts disabled.
  int AddPage(QWidget* page, const QString& caption);
  QWidget* ActivePage() const { return currentWidget(); }
  void SetActivePage(QWidget* page);

 signals:
  // The page just became the active one (its show event).
  void PageShown(QWidget* page);

 private:
  void ActivePageChanged(int index);

  QWidget* active_ = nullptr;
};

}  // namespace orvane::ui
