#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

#include "common/StringObjectList.h"
#include "network/ConnectionUnit.h"

class QLabel;
class QListWidget;
class QPainter;
class QPushButton;

class QFontMetrics;

namespace orvane::ui {

class ImageList;

// The modal picker of one network connection, as source or as destination. Created once and
// reused; its rows refer to the connection manager's records only while it is open.
class TSelectNetworkForm : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kItemHeight = 60;
  // A row's height and the distance of its lines at a font: the design's at 8 points, more for
  // a larger font.
  static int RowHeight(const QFontMetrics& metrics);
  static int LineStep(const QFontMetrics& metrics);

  explicit TSelectNetworkForm(QWidget* parent = nullptr);

  // Shows caption and the connections, in list order, and waits for the user. The chosen
  // connection, or null for Cancel, a closed window, or OK with no row selected.
  const TConnection* Choose(const QString& caption,
                            const StringObjectList<TConnection>& connections);

  // Draws one row: separator, picture, name, state and device.
  void ListBox1DrawItem(QPainter& canvas, int index, const QRect& rect, bool selected,
                        bool focused) const;
  // The row's name, state and device lines; empty for a row without a connection.
  QStringList RowTexts(int index) const;
  // A double click on a selected row closes the dialog as OK.
  void ListBox1DblClick();

  QLabel* lblCaption;
  QListWidget* ListBox1;
  QPushButton* btnOK;
  QPushButton* btnCancel;
  ImageList* ImageList1;

 private:
  const TConnection* Row(int index) const;

  std::vector<const TConnection*> rows_;
};

}  // namespace orvane::ui
