#pragma once

#include <QPointer>
#include <QString>
#include <optional>

#include "common/StringObjectList.h"
#include "dialogs/OptionsUnit.h"

class QWidget;

namespace orvane {
struct TConnection;
}

namespace orvane::platform {
class ISystemInfo;
}

namespace orvane::ui {

class MessagePresenter;
class TAboutBox;
class TOptionsForm;
class TSelectNetworkForm;

// The application-wide dialogs as the main window uses them; tests may put others in place.
class MainDialogs {
 public:
  virtual ~MainDialogs() = default;
  // The connection the user picked in the connection picker, or null for no choice.
  virtual const TConnection* SelectConnection(const QString& caption,
                                              const StringObjectList<TConnection>& connections) = 0;
  // The Options dialog filled with current; the values as typed after OK, nothing otherwise.
  virtual std::optional<OptionsValues> EditOptions(const OptionsValues& current) = 0;
  virtual void ShowAbout() = 0;
};

// The forms of the program, shown modally. Each is made on its first use, so start-up pays for
// none of them, and then kept as a child of the owner: a later showing finds it as the last
// one left it, as if it had been made at start.
class FormDialogs : public MainDialogs {
 public:
  FormDialogs(QWidget& owner, MessagePresenter& messages, platform::ISystemInfo& system)
      : owner_(owner), messages_(messages), system_(system) {}

  const TConnection* SelectConnection(const QString& caption,
                                      const StringObjectList<TConnection>& connections) override;
  std::optional<OptionsValues> EditOptions(const OptionsValues& current) override;
  void ShowAbout() override;

  // Each dialog, made on the first call.
  TOptionsForm& Options();
  TAboutBox& About();
  TSelectNetworkForm& Picker();

 private:
  QWidget& owner_;
  MessagePresenter& messages_;
  platform::ISystemInfo& system_;
  QPointer<TOptionsForm> options_;
  QPointer<TAboutBox> about_;
  QPointer<TSelectNetworkForm> picker_;
};

}  // namespace orvane::ui
