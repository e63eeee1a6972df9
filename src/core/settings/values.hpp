#pragma once
#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tavu {

// An integer kept within inclusive bounds; like an up-down control, it never holds a value
// outside them. Bounds may move at run time (some follow another setting).
class Bounded {
 public:
  constexpr Bounded(int value, int lo, int hi) : lo_(lo), hi_(hi), value_(std::clamp(value, lo, hi)) {}
  int Get() const { return value_; }
  operator int() const { return value_; }
  Bounded(const Bounded&) = default;
  // Assigning one setting to another takes its value, within this one's own bounds.
  Bounded& operator=(const Bounded& other) { return *this = other.Get(); }
  Bounded& operator=(int v) {
    value_ = std::clamp(v, lo_, hi_);
    return *this;
  }
  int Lo() const { return lo_; }
  int Hi() const { return hi_; }
  void SetBounds(int lo, int hi) {
    lo_ = lo;
    hi_ = std::max(lo, hi);
    value_ = std::clamp(value_, lo_, hi_);
  }

 private:
  int lo_;
  int hi_;
  int value_;
};

// The index of an entry in a fixed list of texts; -1 is "no entry selected".
class Choice {
 public:
  Choice(std::initializer_list<std::string_view> items, int index) : items_(items.begin(), items.end()) {
    Select(index);
  }
  int Index() const { return index_; }
  operator int() const { return index_; }
  // Like a list control: an index past the list leaves nothing selected.
  void Select(int index) { index_ = (index >= 0 && index < Count()) ? index : -1; }
  Choice& operator=(int index) {
    Select(index);
    return *this;
  }
  int Count() const { return static_cast<int>(items_.size()); }
  const std::vector<std::string>& Items() const { return items_; }
  std::string_view Text() const { return index_ >= 0 ? std::string_view(items_[index_]) : std::string_view{}; }
  // Replaces the list; the selection survives only while it still names an entry.
  void SetItems(std::vector<std::string> items) {
    items_ = std::move(items);
    Select(index_);
  }

 private:
  std::vector<std::string> items_;
  int index_ = -1;
};

}  // namespace tavu
