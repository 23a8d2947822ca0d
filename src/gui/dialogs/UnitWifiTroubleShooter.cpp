#include "gui/dialogs/UnitWifiTroubleShooter.h"

#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <exception>
#include <thread>

#include "gui/kit/Artwork.h"
#include "gui/kit/DesignMetrics.h"
#include "gui/kit/HandlerEdge.h"
#include "gui/kit/Hourglass.h"

namespace orvane::ui {
namespace {

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

constexpr int kFrameMs = 500;
constexpr int kStopCheckMs = 20;  // how soon a sleeping thread notices it is to end
const QPoint kPictureAt(16, 8);

}  // namespace

TAnimateThread::~TAnimateThread() {
  if (Form != nullptr && Form->isVisible()) Form->ShowPictures({false, false, false});
}

void TAnimateThread::run() {
  FrameIndex = 0;
  while (!isInterruptionRequested()) {
    {
      std::unique_lock lock(mutex_);
      handedOver_ = true;
    }
    QMetaObject::invokeMethod(
        Form, [this] { ServeHandOver(); }, Qt::QueuedConnection);
    {
      std::unique_lock lock(mutex_);
      served_.wait(lock, [this] { return !handedOver_; });
    }
    FrameIndex = NextFrame(FrameIndex);
    for (int slept = 0; slept < kFrameMs && !isInterruptionRequested(); slept += kStopCheckMs) {
      msleep(kStopCheckMs);
    }
  }
}

void TAnimateThread::ServeHandOver() {
  std::unique_lock lock(mutex_);
  if (!handedOver_) return;
  ShowFrame();
  handedOver_ = false;
  served_.notify_all();
}

void TAnimateThread::ShowFrame() {
  if (Form == nullptr || !Form->isVisible()) return;
  if (const auto visible = VisibleFrames(Mode, FrameIndex)) Form->ShowPictures(*visible);
}

TFrmTroubleShooter::TFrmTroubleShooter(const TroubleShooterPlatform& platform,
                                       MessagePresenter& messages, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      troubleShooter_(platform),
      messages_(messages),
      timer1_(new QTimer(this)),
      animateThread_(std::make_unique<TAnimateThread>()) {
  setObjectName(QStringLiteral("FrmTroubleShooter"));
  setWindowTitle(QString::fromLatin1(kTroubleShooterCaption));
  setFixedSize(343, 96);
  UseDesignFont(this, QStringLiteral("Tahoma"), 8);
  setAutoFillBackground(true);
  // White as designed: the palette's text field colours, which are white on a light palette and
  // keep their text readable on a dark one.
  QPalette white = palette();
  white.setColor(QPalette::Window, white.color(QPalette::Base));
  white.setColor(QPalette::WindowText, white.color(QPalette::Text));
  setPalette(white);

  lbl1 = new QLabel(QString::fromLatin1(kWaitingText), this);
  lbl1->setObjectName(QStringLiteral("lbl1"));
  lbl1->move(71, 16);
  lbl1->adjustSize();
  // All three pictures lie stacked where the first one is.
  imgAnimate0 = MakePicture("imgAnimate0", 0, kPictureAt);
  imgAnimate1 = MakePicture("imgAnimate1", 1, kPictureAt);
  imgAnimate2 = MakePicture("imgAnimate2", 2, kPictureAt);
  btnCancel = new QPushButton(QString::fromLatin1(kCancelCaption), this);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  btnCancel->setGeometry(143, 53, 75, 25);
  btnCancel->setFocus();
  connect(btnCancel, &QPushButton::clicked, this, &TFrmTroubleShooter::reject);

  animateThread_->Form = this;
  animateThread_->Mode = kAnimateCycle;
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(kRepairDelayMs);
  connect(timer1_, &QTimer::timeout, this, &TFrmTroubleShooter::Timer1Timer);
  timer1_->start();
}

TFrmTroubleShooter::~TFrmTroubleShooter() {
  // The thread may be blocked handing over a frame; serve it until the thread sees the stop.
  animateThread_->requestInterruption();
  while (!animateThread_->wait(kStopCheckMs)) animateThread_->ServeHandOver();
  animateThread_.reset();
}

QLabel* TFrmTroubleShooter::MakePicture(const char* name, int arcs, QPoint at) {
  auto* image = new QLabel(this);
  image->setObjectName(QString::fromLatin1(name));
  image->setPixmap(artwork::SignalFrame(arcs));
  image->setGeometry(QRect(at, QSize(32, 32)));
  image->hide();
  return image;
}

void TFrmTroubleShooter::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!animateThread_->isRunning()) animateThread_->start();
}

void TFrmTroubleShooter::reject() {
  // While the repair runs the window paints but takes no orders; it closes once it is done.
  if (!working_) QDialog::reject();
}

void TFrmTroubleShooter::Timer1Timer() {
  timer1_->stop();
  // An error leaves the waiting look, and the timer stays off: no second attempt.
  RunHandler(this, messages_, [this] {
    Hourglass busy;
    ShowOutcome(RunRepair());
  });
}

bool TFrmTroubleShooter::RunRepair() {
  bool repaired = false;
  std::exception_ptr error;
  QEventLoop loop;
  working_ = true;
  std::thread worker([&] {
    try {
      repaired = troubleShooter_.Repair();
    } catch (...) {
      error = std::current_exception();
    }
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  // Paints and animates, but no click or key reaches any window until the repair is done.
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  worker.join();
  working_ = false;
  if (error) std::rethrow_exception(error);
  return repaired;
}

void TFrmTroubleShooter::ShowOutcome(bool repaired) {
  const OutcomeLook look = LookOf(repaired);
  animateThread_->Mode = look.mode;
  lbl1->setText(Text(look.text));
  lbl1->adjustSize();
  btnCancel->setText(Text(look.buttonCaption));
  if (const auto visible = VisibleFrames(look.mode, 0)) ShowPictures(*visible);
}

void TFrmTroubleShooter::ShowPictures(const std::array<bool, kFrameCount>& visible) {
  imgAnimate0->setVisible(visible[0]);
  imgAnimate1->setVisible(visible[1]);
  imgAnimate2->setVisible(visible[2]);
}

void actTroubleShooterExecute(const TroubleShooterPlatform& platform, MessagePresenter& messages,
                              QWidget* owner) {
  if (!TroubleShooterOffered(platform.system)) return;
  TFrmTroubleShooter form(platform, messages, owner);
  if (form.NeedsRepair()) form.exec();
}

}  // namespace orvane::ui
