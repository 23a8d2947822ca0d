#include "platform/linux/wireless/NmBus.h"

#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/linux/wireless/WirelessCodes.h"

namespace orvane::platform::linux_backend {
namespace {

namespace codes = wireless_codes;

bool Contains(const char* text, std::string_view part) {
  return text != nullptr && std::string_view(text).find(part) != std::string_view::npos;
}

}  // namespace

uint32_t FailureCode(int result, const sd_bus_error* error) {
  const char* name = error != nullptr ? error->name : nullptr;
  if (result == -ETIMEDOUT || Contains(name, ".NoReply") || Contains(name, ".Timeout"))
    return codes::kTimeout;
  if (result == -ECONNRESET || result == -ENOTCONN || result == -ECONNREFUSED ||
      result == -ENOENT || Contains(name, ".ServiceUnknown") || Contains(name, ".NameHasNoOwner") ||
      Contains(name, ".Disconnected"))
    return codes::kServiceNotActive;
  if (Contains(name, "PermissionDenied") || Contains(name, "AccessDenied") ||
      Contains(name, "NotAuthorized"))
    return codes::kAccessDenied;
  if (Contains(name, "InvalidProperty") || Contains(name, "InvalidSetting") ||
      Contains(name, "InvalidArgs"))
    return codes::kInvalidParameter;
  if (Contains(name, "UnknownDevice") || Contains(name, "UnknownConnection") ||
      Contains(name, "UnknownObject"))
    return codes::kNotFound;
  if (result == -ENOMEM) return codes::kOutOfMemory;
  return codes::kFunctionFailed;
}

void Check(int result) {
  if (result < 0) throw NmFailure{FailureCode(result, nullptr)};
}

NmBus::NmBus()
    : owned_(OpenSystemBus(std::chrono::microseconds(kNmCallTimeout).count())), bus_(owned_.get()) {
  if (bus_ == nullptr) throw NmFailure{codes::kServiceNotActive};
}

MessagePtr NmBus::Call(const std::string& path, const char* interface, const char* member,
                       const Appender& append) {
  sd_bus_message* raw = nullptr;
  Check(sd_bus_message_new_method_call(bus_, &raw, kNmService, path.c_str(), interface, member));
  MessagePtr call(raw);
  if (append) Check(append(call.get()));
  BusError error;
  sd_bus_message* reply = nullptr;
  const int result = sd_bus_call(bus_, call.get(), 0, error.get(), &reply);
  if (result < 0) throw NmFailure{FailureCode(result, error.get())};
  return MessagePtr(reply);
}

MessagePtr NmBus::Property(const std::string& path, const char* interface, const char* name,
                           const char* type) {
  BusError error;
  sd_bus_message* reply = nullptr;
  const int result = sd_bus_get_property(bus_, kNmService, path.c_str(), interface, name,
                                         error.get(), &reply, type);
  if (result < 0) throw NmFailure{FailureCode(result, error.get())};
  return MessagePtr(reply);
}

uint32_t NmBus::Uint(const std::string& path, const char* interface, const char* name) {
  MessagePtr reply = Property(path, interface, name, "u");
  uint32_t value = 0;
  Check(sd_bus_message_read(reply.get(), "u", &value));
  return value;
}

std::string NmBus::Text(const std::string& path, const char* interface, const char* name,
                        char type) {
  const char signature[2] = {type, '\0'};
  MessagePtr reply = Property(path, interface, name, signature);
  const char* text = nullptr;
  Check(sd_bus_message_read_basic(reply.get(), type, &text));
  return text != nullptr ? text : "";
}

std::vector<std::string> NmBus::Paths(const std::string& path, const char* interface,
                                      const char* name) {
  MessagePtr reply = Property(path, interface, name, "ao");
  std::vector<std::string> paths;
  Check(sd_bus_message_enter_container(reply.get(), 'a', "o"));
  const char* item = nullptr;
  while (true) {
    const int result = sd_bus_message_read(reply.get(), "o", &item);
    Check(result);
    if (result == 0) break;
    paths.emplace_back(item);
  }
  return paths;
}

void ForEachEntry(sd_bus_message* message, const char* entry,
                  const std::function<void(const std::string& key)>& visit) {
  const std::string array = std::string("{") + entry + "}";
  Check(sd_bus_message_enter_container(message, 'a', array.c_str()));
  while (true) {
    const int entered = sd_bus_message_enter_container(message, 'e', entry);
    Check(entered);
    if (entered == 0) break;
    const char* key = nullptr;
    Check(sd_bus_message_read(message, "s", &key));
    visit(key != nullptr ? key : "");
    Check(sd_bus_message_exit_container(message));
  }
  Check(sd_bus_message_exit_container(message));
}

bool ReadVariant(sd_bus_message* message, char type, void* out) {
  const char signature[2] = {type, '\0'};
  if (sd_bus_message_verify_type(message, 'v', signature) <= 0) {
    Check(sd_bus_message_skip(message, "v"));
    return false;
  }
  Check(sd_bus_message_enter_container(message, 'v', signature));
  Check(sd_bus_message_read_basic(message, type, out));
  Check(sd_bus_message_exit_container(message));
  return true;
}

std::vector<uint8_t> ReadVariantBytes(sd_bus_message* message) {
  if (sd_bus_message_verify_type(message, 'v', "ay") <= 0) {
    Check(sd_bus_message_skip(message, "v"));
    return {};
  }
  Check(sd_bus_message_enter_container(message, 'v', "ay"));
  const void* data = nullptr;
  size_t size = 0;
  Check(sd_bus_message_read_array(message, 'y', &data, &size));
  Check(sd_bus_message_exit_container(message));
  const auto* bytes = static_cast<const uint8_t*>(data);
  return bytes != nullptr ? std::vector<uint8_t>(bytes, bytes + size) : std::vector<uint8_t>{};
}

}  // namespace orvane::platform::linux_backend
