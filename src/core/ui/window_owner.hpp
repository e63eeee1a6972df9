#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "ports/timers.hpp"

namespace tavu {

// Owns the windows that come and go (countdown windows, break screens, notices, reminders),
// each a presenter and its view. Several of a kind may be open at once. A window that has
// closed itself is freed on a one-millisecond timer, never inside the handler that closed it;
// presenters go before their views.
class WindowOwner : public TimerSink {
 public:
  explicit WindowOwner(Timers& timers) : timers_(timers) {}
  ~WindowOwner() override;
  WindowOwner(const WindowOwner&) = delete;
  WindowOwner& operator=(const WindowOwner&) = delete;

  // `make_view(on_closed)` creates the view, which calls `on_closed` once its window has closed
  // itself; `make_presenter(view)` creates the presenter on it. Returns the presenter, or
  // nothing when the platform has no view for the window (then there is nothing to own).
  template <typename Presenter, typename Host, typename MakeView, typename MakePresenter>
  Presenter* Open(MakeView make_view, MakePresenter make_presenter) {
    const uint32_t id = next_id_++;
    std::unique_ptr<Host> view = make_view([this, id] { Closed(id); });
    if (!view) return nullptr;
    auto slot = std::make_unique<Slot<Presenter, Host>>(std::move(view));
    slot->presenter = make_presenter(*slot->view);
    Presenter* presenter = slot->presenter.get();
    slot->typed = presenter;
    slots_.push_back({id, false, std::move(slot)});
    return presenter;
  }

  // The newest window of a kind that is not freed yet (it may have closed), or nothing.
  template <typename Presenter>
  Presenter* Newest() const {
    for (auto it = slots_.rbegin(); it != slots_.rend(); ++it)
      if (auto* s = dynamic_cast<Typed<Presenter>*>(it->held.get())) return s->typed;
    return nullptr;
  }

  // Every window of a kind that has not closed itself, oldest first.
  template <typename Presenter, typename Fn>
  void ForEachOpen(Fn fn) const {
    for (const Entry& e : slots_)
      if (auto* s = dynamic_cast<Typed<Presenter>*>(e.held.get()); s && !e.closed) fn(*s->typed);
  }

  std::size_t Count() const { return slots_.size(); }

  void OnTimer(int id) override;

 private:
  static constexpr int kReapTimer = 1;

  struct Held {
    virtual ~Held() = default;
  };
  template <typename Presenter>
  struct Typed : Held {
    Presenter* typed = nullptr;
  };
  template <typename Presenter, typename Host>
  struct Slot : Typed<Presenter> {
    explicit Slot(std::unique_ptr<Host> v) : view(std::move(v)) {}
    ~Slot() override { presenter.reset(); }  // before the view it may still speak to
    std::unique_ptr<Host> view;
    std::unique_ptr<Presenter> presenter;
  };
  struct Entry {
    uint32_t id;
    bool closed;
    std::unique_ptr<Held> held;
  };

  void Closed(uint32_t id);

  Timers& timers_;
  std::vector<Entry> slots_;
  uint32_t next_id_ = 1;
  bool freeing_ = false;
};

}  // namespace tavu
