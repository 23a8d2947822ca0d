#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

class QPainter;

namespace orvane::ui {

// A status bar of fixed-width panels. A plain panel shows its text; an owner-drawn panel is
// painted by the draw handler, which may also set the panel's text.
class PanelStatusBar : public QWidget {
  Q_OBJECT
 public:
  using DrawPanel = std::function<void(QPainter& painter, int panel, const QRect& rect)>;

  explicit PanelStatusBar(QWidget* parent = nullptr);

  void AddPanel(int width, bool ownerDrawn);
  int PanelCount() const { return static_cast<int>(panels_.size()); }
  QString PanelText(int panel) const;
  void SetPanelText(int panel, const QString& text);
  QRect PanelRect(int panel) const;
  void SetDrawPanel(DrawPanel draw) { draw_ = std::move(draw); }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // Room around a text: the margins, and an owner-drawn panel's picture before it.
  static constexpr int kTextPadding = 10;
  static constexpr int kPictureRoom = 28;

  int PanelWidth(int panel) const;

  struct Panel {
    int width;
    bool ownerDrawn;
    QString text;
  };

  std::vector<Panel> panels_;
  DrawPanel draw_;
};

}  // namespace orvane::ui
