#include "gui/dialogs/SelectNetworkFormUnit.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "gui/kit/Artwork.h"
#include "gui/kit/DesignMetrics.h"
#include "gui/kit/ImageList.h"
#include "gui/kit/Palette.h"
#include "gui/kit/Translation.h"
#include "network/ConnectionRows.h"

namespace orvane::ui {
namespace {

constexpr int kTextLeft = 58;
constexpr int kImageLeft = 7;

// Hands the list's painting to the form, rows of fixed height.
class RowDelegate : public QStyledItemDelegate {
 public:
  RowDelegate(const TSelectNetworkForm& form, QObject* parent)
      : QStyledItemDelegate(parent), form_(form) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    painter->save();
    form_.ListBox1DrawItem(*painter, index.row(), option.rect,
                           option.state.testFlag(QStyle::State_Selected),
                           option.state.testFlag(QStyle::State_HasFocus));
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    return {option.rect.width(), TSelectNetworkForm::RowHeight(option.fontMetrics)};
  }

 private:
  const TSelectNetworkForm& form_;
};

}  // namespace

TSelectNetworkForm::TSelectNetworkForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      lblCaption(new QLabel(this)),
      ListBox1(new QListWidget(this)),
      btnOK(new QPushButton(QStringLiteral("&OK"), this)),
      btnCancel(new QPushButton(QStringLiteral("&Cancel"), this)),
      ImageList1(artwork::CreatePickerImages(this)) {
  setObjectName(QStringLiteral("SelectNetworkForm"));
  setWindowTitle(QStringLiteral("Select Connection"));
  UseDesignFont(this, QStringLiteral("Tahoma"), 8);
  resize(281, 283);

  lblCaption->setObjectName(QStringLiteral("lblCaption"));
  lblCaption->setWordWrap(true);
  lblCaption->setTextFormat(Qt::PlainText);
  lblCaption->setText(
      QStringLiteral("Please select the connection through which Internet is connected."));

  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  ListBox1->setFrameStyle(QFrame::NoFrame);
  ListBox1->setUniformItemSizes(true);
  // Long device names are cut at the edge rather than scrolled to.
  ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ListBox1->setTextElideMode(Qt::ElideRight);
  ListBox1->setItemDelegate(new RowDelegate(*this, ListBox1));
  auto* panelLayout = new QVBoxLayout(panel);
  panelLayout->setContentsMargins(1, 1, 1, 1);
  panelLayout->addWidget(ListBox1);

  btnOK->setObjectName(QStringLiteral("btnOK"));
  btnOK->setDefault(true);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  for (QPushButton* button : {btnOK, btnCancel}) button->setFixedSize(75, 25);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TSelectNetworkForm::ListBox1DblClick);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnOK);
  buttons->addSpacing(13);
  buttons->addWidget(btnCancel);
  buttons->addSpacing(19);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(11, 10, 13, 15);
  layout->setSpacing(9);
  layout->addWidget(lblCaption);
  layout->addWidget(panel, 1);
  layout->addSpacing(15);
  layout->addLayout(buttons);

  TranslateComponent(this);
}

const TConnection* TSelectNetworkForm::Choose(const QString& caption,
                                              const StringObjectList<TConnection>& connections) {
  lblCaption->setText(caption);
  ListBox1->clear();
  rows_.clear();
  for (std::size_t i = 0; i < connections.Count(); ++i) {
    rows_.push_back(connections.Objects(i));
    // The row is painted by hand; a screen reader reads its lines from here.
    auto* item = new QListWidgetItem(ListBox1);
    item->setData(Qt::AccessibleTextRole, RowTexts(static_cast<int>(i)).join(QStringLiteral(", ")));
  }
  ListBox1->scrollToTop();
  const int result = exec();
  const int row = ListBox1->currentRow();
  const TConnection* chosen = nullptr;
  if (result == QDialog::Accepted && row >= 0 && ListBox1->currentItem()->isSelected()) {
    chosen = rows_.at(static_cast<std::size_t>(row));
  }
  // The records belong to the list, which may be refreshed once the dialog is closed.
  rows_.clear();
  ListBox1->clear();
  return chosen;
}

void TSelectNetworkForm::ListBox1DrawItem(QPainter& canvas, int index, const QRect& rect,
                                          bool selected, bool focused) const {
  canvas.setBackgroundMode(Qt::TransparentMode);
  canvas.setPen(kOrange);
  const int lineY = rect.bottom();
  canvas.drawLine(rect.left() + 7, lineY, rect.right() - 7, lineY);
  const QColor background = ListBox1->palette().color(QPalette::Base);
  const QColor textColour =
      selected ? Readable(kOrange, background) : ListBox1->palette().color(QPalette::Text);
  if (focused) {
    canvas.setPen(QPen(ListBox1->palette().color(QPalette::Text), 1, Qt::DotLine));
    canvas.drawRect(rect.adjusted(0, 0, -1, -1));
  }
  const TConnection* connection = Row(index);
  if (connection == nullptr) return;
  canvas.setPen(textColour);
  canvas.setFont(ListBox1->font());
  const QFontMetrics metrics(canvas.font());
  const QStringList texts = RowTexts(index);
  const int step = LineStep(metrics);
  for (int line = 0; line < texts.size(); ++line) {
    canvas.drawText(rect.left() + kTextLeft, rect.top() + 8 + step * line + metrics.ascent(),
                    texts.at(line));
  }
  ImageList1->Draw(canvas, rect.left() + kImageLeft, rect.top() + (rect.height() - 48) / 2,
                   ConnectionImageIndex(*connection));
}

int TSelectNetworkForm::LineStep(const QFontMetrics& metrics) {
  return std::max(16, metrics.lineSpacing());
}

int TSelectNetworkForm::RowHeight(const QFontMetrics& metrics) {
  // Three lines of text with the design's margins, at least the design's height.
  return std::max(kItemHeight, 12 + 2 * LineStep(metrics) + metrics.height());
}

QStringList TSelectNetworkForm::RowTexts(int index) const {
  const TConnection* connection = Row(index);
  if (connection == nullptr) return {};
  return {QString::fromStdString(connection->Name), Translate(ConnectionStateText(*connection)),
          QString::fromStdString(connection->DeviceName)};
}

const TConnection* TSelectNetworkForm::Row(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= rows_.size()) return nullptr;
  return rows_.at(static_cast<std::size_t>(index));
}

void TSelectNetworkForm::ListBox1DblClick() {
  if (ListBox1->currentRow() != -1) accept();
}

}  // namespace orvane::ui
