// The main window as a user with another theme, a larger font or a screen reader meets it: the
// contrast of every text on a dark palette, the design's colours on a light one, nothing cut off
// at 14 points, and the texts of hand-painted rows and panels readable through accessibility.
#include <QAccessible>
#include <QApplication>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <map>
#include <memory>

#include "RecordingPresenter.h"
#include "WindowScene.h"
#include "gui/dialogs/AboutUnit.h"
#include "gui/dialogs/SelectNetworkFormUnit.h"
#include "gui/kit/Palette.h"
#include "gui/main/MainWindow.h"
#include "gui/main/PageControl.h"
#include "gui/main/PanelStatusBar.h"
#include "network/AdpUtils.h"
#include "platform/sim/SimMachine.h"

using namespace orvane;
using namespace orvane::ui;

namespace {

void RunUntilIdle() {
  QEventLoop loop;
  QTimer::singleShot(20, &loop, &QEventLoop::quit);
  loop.exec();
}

// The contrast of a text as it was drawn: its background is the colour most of the widget's
// pixels have, its colour the pixel that stands out most from that background.
double DrawnContrast(const QImage& window, const QRect& area) {
  std::map<QRgb, int> counts;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) ++counts[window.pixel(x, y)];
  }
  QRgb background = 0;
  int most = 0;
  for (const auto& [colour, count] : counts) {
    if (count > most) background = colour, most = count;
  }
  double best = 1.0;
  for (const auto& entry : counts) {
    best = std::max(best, ContrastRatio(QColor(entry.first), QColor(background)));
  }
  return best;
}

// The widgets that show a text of their own, each with the text it shows.
std::vector<std::pair<QWidget*, QString>> TextWidgets(QWidget* window) {
  std::vector<std::pair<QWidget*, QString>> found;
  for (QLabel* label : window->findChildren<QLabel*>()) {
    if (label->isVisibleTo(window) && !label->text().trimmed().isEmpty()) {
      found.emplace_back(label, label->text());
    }
  }
  for (QToolButton* button : window->findChildren<QToolButton*>()) {
    if (button->isVisibleTo(window) && !button->text().isEmpty()) {
      found.emplace_back(button, button->text());
    }
  }
  return found;
}

}  // namespace

class AppearanceTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    QVERIFY(productDir_.isValid());
    scene::LoadProduct(productDir_);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    lightPalette_ = QApplication::style()->standardPalette();
    normalFont_ = QApplication::font();
  }

  void init() {
    settingsDir_ = std::make_unique<QTemporaryDir>();
    machine_ = std::make_unique<sim::SimMachine>();
    scene::Seed(*machine_, *settingsDir_);
  }

  void cleanup() {
    form_.reset();
    ifTable_.reset();
    machine_.reset();
    QApplication::setPalette(lightPalette_);
    QApplication::setFont(normalFont_);
  }

  void everyTextReadsOnADarkPalette() {
    QApplication::setPalette(DarkPalette());
    Show();
    for (QWidget* page : PagesOf()) {
      form_->Pages().SetActivePage(page);
      RunUntilIdle();
      const QImage shot = form_->grab().toImage();
      for (const auto& [widget, text] : TextWidgets(form_.get())) {
        if (!widget->isVisible() || !widget->isEnabled()) continue;  // disabled texts are exempt
        const QRect area(widget->mapTo(form_.get(), QPoint(0, 0)), widget->size());
        const double contrast = DrawnContrast(shot, area.intersected(shot.rect()));
        QVERIFY2(contrast >= kMinimumTextContrast,
                 qPrintable(QStringLiteral("%1 \"%2\" on %3: %4:1")
                                .arg(widget->objectName(), text, page->objectName())
                                .arg(contrast, 0, 'f', 2)));
      }
    }
  }

  void theDesignColoursStayOnALightPalette() {
    Show();
    // Green and red state, the navy guidance and the orange caption, exactly as designed.
    QCOMPARE(TextColour(Label("lblWiredStatus")), ToColor(kGreen));
    QCOMPARE(TextColour(Label("lblStartSharing")), kNavy);
    QCOMPARE(TextColour(Label("lblInternetStatus")), ToColor(kGreen));
    QApplication::setPalette(DarkPalette());
    RunUntilIdle();
    // A theme changed while the program runs is followed, and a light one brings them back.
    QVERIFY(TextColour(Label("lblStartSharing")) != kNavy);
    const QImage menu =
        form_->findChild<QToolButton*>("BtnOptions")->parentWidget()->grab().toImage();
    QVERIFY(IsDark(QColor(menu.pixel(menu.width() / 2, 2))));
    QApplication::setPalette(lightPalette_);
    RunUntilIdle();
    QCOMPARE(TextColour(Label("lblStartSharing")), kNavy);
  }

  void nothingIsCutOffAtFourteenPoints() {
    QFont large = normalFont_;
    large.setPointSize(14);
    QApplication::setFont(large);
    Show();
    QVERIFY(form_->width() > 730);  // the design's size could not hold it
    for (QWidget* page : PagesOf()) {
      form_->Pages().SetActivePage(page);
      RunUntilIdle();
      TextsFit(form_.get());
      PanelStatusBar& bar = form_->StatusBar();
      bar.grab();  // the owner-drawn panels take their texts while painting
      for (int i = 0; i < bar.PanelCount(); ++i) {
        QVERIFY2(bar.fontMetrics().horizontalAdvance(bar.PanelText(i)) < bar.PanelRect(i).width(),
                 qPrintable(bar.PanelText(i)));
      }
      for (QGroupBox* group : page->findChildren<QGroupBox*>()) {
        if (group->isVisible()) {
          QVERIFY2(group->minimumSizeHint().height() <= group->height(),
                   qPrintable(group->title()));
        }
      }
    }
  }

  void theAboutBoxFitsAFourteenPointFont() {
    QFont large = normalFont_;
    large.setPointSize(14);
    QApplication::setFont(large);
    TAboutBox about(machine_->System());
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    TextsFit(&about);
  }

  void paintedRowsAndPanelsAndPicturesHaveTexts() {
    Show();
    RunUntilIdle();
    form_->StatusBar().grab();  // the owner-drawn panels take their texts while painting
    const QString bar =
        QAccessible::queryAccessibleInterface(&form_->StatusBar())->text(QAccessible::Name);
    QVERIFY2(bar.contains(QStringLiteral("Internet")), qPrintable(bar));
    QCOMPARE(form_->findChild<QLabel*>("imgWiredConnected")->accessibleName(),
             QString("Connected"));

    TSelectNetworkForm picker;
    QStringList rows;
    QTimer::singleShot(0, &picker, [&] {
      QAccessibleInterface* list = QAccessible::queryAccessibleInterface(picker.ListBox1);
      for (int i = 0; i < list->childCount(); ++i)
        rows.append(list->child(i)->text(QAccessible::Name));
      picker.reject();
    });
    picker.Choose(QStringLiteral("Pick"), form_->Workflow().Connections());
    QCOMPARE(rows.size(), 2);
    QVERIFY2(rows.at(0).contains(QStringLiteral("Local Area Connection")) &&
                 rows.at(0).contains(QStringLiteral("Gigabit Ethernet Adapter")),
             qPrintable(rows.at(0)));
  }

  void theSideMenuKeepsMnemonicsAndShowsFocus() {
    Show();
    auto* exit = form_->findChild<QToolButton*>("BtnExit");
    QCOMPARE(exit->text(), QString("&Exit"));
    auto* options = form_->findChild<QToolButton*>("BtnOptions");
    const QImage unfocused = options->grab().toImage();
    options->setFocus(Qt::TabFocusReason);
    RunUntilIdle();
    QVERIFY(options->hasFocus());
    QVERIFY(options->grab().toImage() != unfocused);
  }

 private:
  // No text of the window is cut off: a one-line text fits its width, a wrapped one its height.
  static void TextsFit(QWidget* window) {
    for (const auto& [widget, text] : TextWidgets(window)) {
      if (!widget->isVisible()) continue;
      const QString where = QStringLiteral("%1 \"%2\"").arg(widget->objectName(), text);
      auto* label = qobject_cast<QLabel*>(widget);
      if (label != nullptr && label->wordWrap()) {
        QVERIFY2(
            label->heightForWidth(label->contentsRect().width()) <= label->contentsRect().height(),
            qPrintable(where));
      } else {
        QVERIFY2(widget->sizeHint().width() <= widget->width() &&
                     widget->fontMetrics().height() <= widget->height(),
                 qPrintable(where));
      }
    }
  }

  void Show() {
    ifTable_ = std::make_unique<InterfaceTableBlock>(machine_->Adapters());
    form_ = std::make_unique<TForm1>(WorkflowPlatformOf(*machine_), *ifTable_, messages_, true);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    RunUntilIdle();
  }
  std::vector<QWidget*> PagesOf() {
    return {form_->findChild<QWidget*>("tbInternetStatus"),
            form_->findChild<QWidget*>("tbShareMyInternet"),
            form_->findChild<QWidget*>("tbConnectToVelmora")};
  }
  QLabel* Label(const QString& name) { return form_->findChild<QLabel*>(name); }

  QTemporaryDir productDir_;
  QPalette lightPalette_;
  QFont normalFont_;
  std::unique_ptr<QTemporaryDir> settingsDir_;
  std::unique_ptr<sim::SimMachine> machine_;
  std::unique_ptr<InterfaceTableBlock> ifTable_;
  RecordingPresenter messages_;
  std::unique_ptr<TForm1> form_;
};

QTEST_MAIN(AppearanceTest)
#include "AppearanceTest.moc"
