#pragma once
#include <set>
#include <string>
#include <string_view>

namespace tavu {

// The registry of open forms by form name ("frmStat", "frmBreakHint", ...): windows that exist
// at most once are looked up here before they are created.
class OpenForms {
 public:
  void Add(std::string_view name) { open_.emplace(name); }
  void Remove(std::string_view name) {
    if (auto it = open_.find(name); it != open_.end()) open_.erase(it);
  }
  bool IsFormOpen(std::string_view name) const { return open_.find(name) != open_.end(); }

 private:
  std::set<std::string, std::less<>> open_;
};

// What a presenter asks of its window. The view reads the presenter's state after every
// handler; these are the effects that are not state.
class FormHost {
 public:
  virtual ~FormHost() = default;
  virtual void Show() = 0;  // show normally (not minimised), to the front
  virtual void Hide() = 0;
  // Blends the window out over `ms` and hides it, without holding up the program.
  virtual void AnimateHide(int ms) = 0;
  // The dots per inch of the screen the window is on (its design pixels are 96 dpi).
  virtual int Dpi() { return 96; }
};

}  // namespace tavu
