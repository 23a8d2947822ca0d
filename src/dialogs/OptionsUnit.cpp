#include "dialogs/OptionsUnit.h"

#include "common/SystemHelpers.h"

namespace orvane {

std::string TrimBlanks(std::string_view text) {
  constexpr std::string_view kBlanks = " \t";
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(kBlanks);
  return std::string(text.substr(first, last - first + 1));
}

std::optional<std::string> OptionsInputError(std::string_view ssid, std::string_view password,
                                             NetworkSecurity security) {
  const std::string name = TrimBlanks(ssid);
  if (name.empty()) return kNoNetworkName;
  if (name.size() > kMaxNetworkNameBytes) return kNetworkNameTooLong;
  switch (CheckNetworkKey(security, TrimBlanks(password))) {
    case KeyProblem::None:
      return std::nullopt;
    case KeyProblem::WepLength:
      return kBadKeyLength;
    case KeyProblem::Wpa2Length:
      return kBadWpa2KeyLength;
    case KeyProblem::Wpa2Characters:
      return kBadWpa2KeyCharacters;
  }
  return kBadKeyLength;
}

const char* KeyRuleText(NetworkSecurity security) {
  return security == NetworkSecurity::Wep ? kBadKeyLength : kWpa2KeyRule;
}

OptionsValues StoredOptions(OptionsValues values) {
  values.SSID = TrimBlanks(values.SSID);
  values.Password = TrimBlanks(values.Password);
  return values;
}

void ApplyAutoRun(platform::IAutoRunStore& store, bool autoRun, const std::string& executablePath,
                  const std::string& name) {
  if (autoRun) {
    SetAutoRun(store, executablePath, name);
  } else {
    RemoveAutoRun(store, name);
  }
}

}  // namespace orvane
