#pragma once

#include <QWidget>
#include <vector>

class QAction;
class QToolButton;
class QVBoxLayout;

namespace orvane::ui {

// A bar of titled groups, each a column of buttons that run the actions bound to them. A group
// is opened (its buttons shown) or closed by clicking its title, or by code.
class SideBar : public QWidget {
  Q_OBJECT
 public:
  explicit SideBar(QWidget* parent = nullptr);

  // One button: its object name (may be empty) and the action it runs.
  struct Item {
    QString name;
    QAction* action;
  };

  // Adds a group with one button per item; the buttons take caption, picture and enabled
  // state from their actions. Answers the group's index.
  int AddGroup(const QString& title, const std::vector<Item>& items);
  int GroupCount() const { return static_cast<int>(groups_.size()); }
  void SetGroupOpen(int index, bool open);
  bool GroupOpen(int index) const;
  void OpenAllGroups();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Group {
    QToolButton* header;
    QWidget* body;
  };

  void ApplyColours();

  QVBoxLayout* layout_;
  std::vector<Group> groups_;
};

}  // namespace orvane::ui
