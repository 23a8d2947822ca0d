#pragma once

#include <QString>
#include <optional>

#include "common/StringObjectList.h"
#include "dialogs/OptionsUnit.h"

namespace orvane {
struct TConnection;
}

namespace orvane::ui {

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

// The forms the program entry creates once, shown modally.
class FormDialogs : public MainDialogs {
 public:
  FormDialogs(TOptionsForm& options, TAboutBox& about, TSelectNetworkForm& picker)
      : options_(options), about_(about), picker_(picker) {}

  const TConnection* SelectConnection(const QString& caption,
                                      const StringObjectList<TConnection>& connections) override;
  std::optional<OptionsValues> EditOptions(const OptionsValues& current) override;
  void ShowAbout() override;

 private:
  TOptionsForm& options_;
  TAboutBox& about_;
  TSelectNetworkForm& picker_;
};

}  // namespace orvane::ui
