#include "gui/main/MainDialogs.h"

#include "gui/dialogs/AboutUnit.h"
#include "gui/dialogs/OptionsUnit.h"
#include "gui/dialogs/SelectNetworkFormUnit.h"

namespace orvane::ui {

TOptionsForm& FormDialogs::Options() {
  if (options_ == nullptr) options_ = new TOptionsForm(messages_, &owner_);
  return *options_;
}

TAboutBox& FormDialogs::About() {
  if (about_ == nullptr) about_ = new TAboutBox(system_, &owner_);
  return *about_;
}

TSelectNetworkForm& FormDialogs::Picker() {
  if (picker_ == nullptr) picker_ = new TSelectNetworkForm(&owner_);
  return *picker_;
}

const TConnection* FormDialogs::SelectConnection(const QString& caption,
                                                 const StringObjectList<TConnection>& connections) {
  return Picker().Choose(caption, connections);
}

std::optional<OptionsValues> FormDialogs::EditOptions(const OptionsValues& current) {
  TOptionsForm& options = Options();
  options.Fill(current);
  if (options.exec() != QDialog::Accepted) return std::nullopt;
  return options.Values();
}

void FormDialogs::ShowAbout() {
  About().exec();
}

}  // namespace orvane::ui
