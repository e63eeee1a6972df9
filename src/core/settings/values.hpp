#pragma once
#include <algorithm>
#include <initializer_list>
#include <optional>
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

// A choice among entries found at run time, such as the screen-saver catalogue: only its fixed
// entries exist until the catalogue is built. An index read from the file before then is held
// as read, so that a save made meanwhile writes it back instead of losing it.
class CatalogueChoice : public Choice {
 public:
  using Choice::Choice;
  // A choice made by the program or the user replaces a held index.
  void Select(int index) {
    held_.reset();
    Choice::Select(index);
  }
  CatalogueChoice& operator=(int index) {
    Select(index);
    return *this;
  }
  // Takes the index the file holds. Once the catalogue exists, an index that names none of its
  // entries selects nothing (the saver file is gone since the save).
  void Restore(int index) {
    Select(index);
    if (!built_ && Index() != index) held_ = index;
  }
  // What the file keeps: a held index while nothing has been chosen since it was read.
  int Stored() const { return held_ && Index() < 0 ? *held_ : Index(); }
  // The hook for building the catalogue (the fixed entries first): a held index now selects
  // its entry, or nothing if there is none.
  void SetCatalogue(std::vector<std::string> items) {
    built_ = true;
    Choice::SetItems(std::move(items));
    if (held_ && Index() < 0) Choice::Select(*held_);
    held_.reset();
  }
  bool CatalogueBuilt() const { return built_; }
  // The list changes only through SetCatalogue.
  void SetItems(std::vector<std::string>) = delete;

 private:
  std::optional<int> held_;
  bool built_ = false;
};

}  // namespace tavu
