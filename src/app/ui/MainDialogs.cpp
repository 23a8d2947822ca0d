#include "app/ui/MainDialogs.h"

#include "dialogs/ui/AboutUnit.h"
#include "dialogs/ui/OptionsUnit.h"
#include "network/ui/SelectNetworkFormUnit.h"

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
