#pragma once
#include <cstdint>

namespace tavu {

// The user-interface thread's message loop, for the few places that wait without blocking it.
class EventLoop {
 public:
  virtual ~EventLoop() = default;
  // Waits up to `max_wait_ms` for window messages to arrive and handles all pending ones
  // (timer ticks included); returns early once something was handled. Never spins.
  virtual void ProcessMessages(uint64_t max_wait_ms) = 0;
};

}  // namespace tavu
