#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orvane {

// A list of texts, each of which may own one object: the record lists of the adapter
// inventory, the connection manager and the wireless component.
template <typename T>
class StringObjectList {
 public:
  struct Entry {
    std::string text;
    std::unique_ptr<T> object;
  };

  void Add(std::string text, std::unique_ptr<T> object = nullptr) {
    entries_.push_back({std::move(text), std::move(object)});
  }
  std::size_t Count() const { return entries_.size(); }
  bool Empty() const { return entries_.empty(); }
  const std::string& Strings(std::size_t index) const { return entries_.at(index).text; }
  T* Objects(std::size_t index) const { return entries_.at(index).object.get(); }
  // Frees the object of one entry, if any, and leaves the entry without one.
  void FreeObject(std::size_t index) { entries_.at(index).object.reset(); }
  void Clear() { entries_.clear(); }

  auto begin() const { return entries_.begin(); }
  auto end() const { return entries_.end(); }

 private:
  std::vector<Entry> entries_;
};

// Frees every object the list holds and detaches it; the texts stay, the list is not emptied.
// A missing list is allowed.
template <typename T>
void ClearObjects(StringObjectList<T>* list) {
  if (list == nullptr) return;
  for (std::size_t i = 0; i < list->Count(); ++i) list->FreeObject(i);
}

}  // namespace orvane
