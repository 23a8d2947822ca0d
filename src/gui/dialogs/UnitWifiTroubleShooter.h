#pragma once

#include <QDialog>
#include <QThread>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

#include "service/WifiTroubleShooter.h"

class QLabel;
class QPushButton;
class QTimer;

namespace orvane::ui {

class MessagePresenter;
class TFrmTroubleShooter;

// Animates the troubleshooter's signal sign: every 500 ms it hands a frame to the
// user-interface thread and waits until that thread has shown it.
class TAnimateThread : public QThread {
 public:
  TAnimateThread() = default;
  // Hides the pictures of a still visible window; call on the user-interface thread after the
  // thread has ended.
  ~TAnimateThread() override;

  // User-interface thread: runs the frame the thread is waiting on, if any.
  void ServeHandOver();
  // Applies the current frame to the window's pictures (user-interface thread only).
  void ShowFrame();

  int32_t FrameIndex = 0;              // written by the thread while no frame is handed over
  TFrmTroubleShooter* Form = nullptr;  // not owned
  int32_t Mode = kAnimateCycle;        // user-interface thread only

 protected:
  void run() override;

 private:
  std::mutex mutex_;
  std::condition_variable served_;
  bool handedOver_ = false;
};

// The modal window that repairs the wireless configuration service about 3 s after it was
// created, animating while it waits, and then shows the outcome. Created for each use.
class TFrmTroubleShooter : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kRepairDelayMs = 3000;

  // FormCreate: the service control and the animation thread (not yet running), and the
  // timer started. Errors of the repair are shown through messages.
  TFrmTroubleShooter(const TroubleShooterPlatform& platform, MessagePresenter& messages,
                     QWidget* owner);
  // FormDestroy: stops the thread, serving its pending frame while waiting for it to end.
  ~TFrmTroubleShooter() override;

  bool NeedsRepair() { return troubleShooter_.NeedsRepair(); }
  // Repairs once, on a worker so that the window keeps painting, and shows the outcome.
  void Timer1Timer();

  void ShowPictures(const std::array<bool, kFrameCount>& visible);

  TAnimateThread& AnimateThread() { return *animateThread_; }
  QTimer* Timer1() const { return timer1_; }

  QLabel* lbl1;
  QLabel* imgAnimate0;
  QLabel* imgAnimate1;
  QLabel* imgAnimate2;
  QPushButton* btnCancel;

 public slots:
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool RunRepair();
  void ShowOutcome(bool repaired);
  QLabel* MakePicture(const char* name, int arcs, QPoint at);

  WifiTroubleShooter troubleShooter_;
  MessagePresenter& messages_;
  QTimer* timer1_;
  std::unique_ptr<TAnimateThread> animateThread_;
  bool working_ = false;
};

// The troubleshooter command: on operating-system version 5.1 only, shows the window when a
// repair is needed. Errors of the check reach the caller; the window is gone either way.
void actTroubleShooterExecute(const TroubleShooterPlatform& platform, MessagePresenter& messages,
                              QWidget* owner);

}  // namespace orvane::ui
