#pragma once

#include <utility>

namespace orvane::platform::windows_backend {

// Holds one reference to a COM interface and releases it when it goes.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  explicit ComPtr(T* raw) : raw_(raw) {}
  ~ComPtr() { Reset(); }
  ComPtr(ComPtr&& other) noexcept : raw_(std::exchange(other.raw_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      raw_ = std::exchange(other.raw_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  T* Get() const { return raw_; }
  T* operator->() const { return raw_; }
  explicit operator bool() const { return raw_ != nullptr; }
  // For out-parameters: releases what is held and hands out the slot.
  T** Receive() {
    Reset();
    return &raw_;
  }
  void Reset() {
    if (raw_ != nullptr) std::exchange(raw_, nullptr)->Release();
  }

 private:
  T* raw_ = nullptr;
};

}  // namespace orvane::platform::windows_backend
