#pragma once

#include <cstdint>
#include <string>

namespace orvane::platform {

// How a stored value answered a read: absent, of another type than asked for, or present.
enum class ValueState { Missing, WrongType, Present };

template <typename T>
struct StoredValue {
  ValueState state = ValueState::Missing;
  T value{};

  static StoredValue Missing() { return {}; }
  static StoredValue WrongType() { return {ValueState::WrongType, T{}}; }
  static StoredValue Of(T v) { return {ValueState::Present, std::move(v)}; }
};

using StoredText = StoredValue<std::string>;
using StoredNumber = StoredValue<uint32_t>;

}  // namespace orvane::platform
