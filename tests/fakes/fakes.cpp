#include "fakes.hpp"

#include <algorithm>

namespace tavu::fake {

LocalTime VirtualLoop::Now() {
  // Minutes and seconds since tick 0 added to the wall clock at tick 0 (same day is enough
  // for tests that run under a day; hours roll over within the day).
  uint64_t ms = now_ - 1'000'000 + wall_at_zero.millisecond +
                1000ull * (wall_at_zero.second + 60ull * (wall_at_zero.minute + 60ull * wall_at_zero.hour));
  LocalTime t = wall_at_zero;
  const uint64_t day_ms = 24ull * 3600 * 1000;
  t.day += static_cast<int>(ms / day_ms);
  ms %= day_ms;
  t.hour = static_cast<int>(ms / 3'600'000);
  t.minute = static_cast<int>(ms / 60'000 % 60);
  t.second = static_cast<int>(ms / 1000 % 60);
  t.millisecond = static_cast<int>(ms % 1000);
  return t;
}

void VirtualLoop::Start(TimerSink& sink, int id, uint32_t interval_ms) {
  timers_[{&sink, id}] = Timer{std::max<uint32_t>(interval_ms, 1), now_ + std::max<uint32_t>(interval_ms, 1),
                               ++generation_};
}

void VirtualLoop::Stop(TimerSink& sink, int id) { timers_.erase({&sink, id}); }

void VirtualLoop::StopAll(TimerSink& sink) {
  std::erase_if(timers_, [&](const auto& kv) { return kv.first.first == &sink; });
}

std::optional<uint32_t> VirtualLoop::Interval(TimerSink& sink, int id) const {
  auto it = timers_.find({&sink, id});
  if (it == timers_.end()) return std::nullopt;
  return it->second.interval;
}

void VirtualLoop::Advance(uint64_t ms) {
  const uint64_t end = now_ + ms;
  for (;;) {
    auto next = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
      if (it->second.due > end) continue;
      if (next == timers_.end() || it->second.due < next->second.due ||
          (it->second.due == next->second.due && it->second.generation < next->second.generation))
        next = it;
    }
    if (next == timers_.end()) break;
    now_ = next->second.due;
    next->second.due += next->second.interval;
    auto [sink, id] = next->first;
    sink->OnTimer(id);  // may start or stop timers, including this one
  }
  now_ = end;
}

bool FakeDialogs::Ask(std::string_view text, std::string_view caption) {
  shown.push_back({"ask", std::string(text), std::string(caption)});
  if (answers.empty()) return false;
  bool a = answers.front();
  answers.pop_front();
  return a;
}

void FakeDialogs::Inform(std::string_view text, std::string_view caption, bool system_modal) {
  shown.push_back({system_modal ? "inform-system" : "inform", std::string(text), std::string(caption)});
  if (on_inform) on_inform();
}

void FakeDialogs::Warn(std::string_view text, std::string_view caption) {
  shown.push_back({"warn", std::string(text), std::string(caption)});
}

std::optional<std::string> FakeFiles::Read(std::string_view path, std::size_t limit) {
  auto it = files.find(std::string(path));
  if (it == files.end()) return std::nullopt;
  return it->second.substr(0, limit);
}

bool FakeFiles::WriteAtomic(std::string_view path, std::string_view bytes) {
  ++writes;
  if (fail_writes) return false;
  files[std::string(path)] = std::string(bytes);
  return true;
}

bool FakeShell::Execute(std::string_view verb, std::string_view target, std::string_view params,
                        ShowState show) {
  calls.push_back({std::string(verb), std::string(target), std::string(params), show});
  return true;
}

int FakeRandom::Next(int n) {
  if (n <= 0) return 0;
  int v = 0;
  if (!values.empty()) {
    v = values.front();
    values.pop_front();
  }
  return ((v % n) + n) % n;
}

bool FakeTopWindows::PostToClass(std::string_view cls, uint32_t msg, uintptr_t w, intptr_t l) {
  if (!ExistsByClass(cls)) return false;
  posted.emplace_back(std::string(cls), msg, w, l);
  return true;
}

}  // namespace tavu::fake
