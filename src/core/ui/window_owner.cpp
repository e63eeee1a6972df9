#include "ui/window_owner.hpp"

#include <algorithm>

namespace tavu {

WindowOwner::~WindowOwner() {
  timers_.StopAll(*this);
  freeing_ = true;  // presenters closing their views on the way out report nothing more
  while (!slots_.empty()) slots_.pop_back();
}

void WindowOwner::Closed(uint32_t id) {
  if (freeing_) return;
  for (Entry& e : slots_)
    if (e.id == id) e.closed = true;
  timers_.Start(*this, kReapTimer, 1);
}

void WindowOwner::OnTimer(int id) {
  if (id != kReapTimer) return;
  timers_.Stop(*this, kReapTimer);
  // Taken out first: a presenter's destructor may close another window.
  std::vector<Entry> done;
  for (auto it = slots_.begin(); it != slots_.end();) {
    if (it->closed) {
      done.push_back(std::move(*it));
      it = slots_.erase(it);
    } else {
      ++it;
    }
  }
  done.clear();
}

}  // namespace tavu
