#pragma once
#include <cstdint>

namespace tavu {

// Receives the ticks of the timers it started.
class TimerSink {
 public:
  virtual ~TimerSink() = default;
  virtual void OnTimer(int id) = 0;
};

// Window-message timers: (sink, id) names a timer; starting a running one restarts it.
class Timers {
 public:
  virtual ~Timers() = default;
  virtual void Start(TimerSink& sink, int id, uint32_t interval_ms) = 0;
  virtual void Stop(TimerSink& sink, int id) = 0;
  // Forgets every timer of a sink that goes away.
  virtual void StopAll(TimerSink& sink) = 0;
};

}  // namespace tavu
