#include "gui/main/MainDialogs.h"

#include "gui/dialogs/AboutUnit.h"
#include "gui/dialogs/OptionsUnit.h"
#include "gui/dialogs/SelectNetworkFormUnit.h"

namespace orvane::ui {

const TConnection* FormDialogs::SelectConnection(const QString& caption,
                                                 const StringObjectList<TConnection>& connections) {
  return picker_.Choose(caption, connections);
}

std::optional<OptionsValues> FormDialogs::EditOptions(const OptionsValues& current) {
  options_.Fill(current);
  if (options_.exec() != QDialog::Accepted) return std::nullopt;
  return options_.Values();
}

void FormDialogs::ShowAbout() {
  about_.exec();
}

}  // namespace orvane::ui
