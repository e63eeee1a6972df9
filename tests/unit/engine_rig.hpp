#pragma once
// The whole program on fakes, driven minute by minute, for the engine's tests.
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "fakes.hpp"

namespace tavu::test {

inline constexpr uint64_t kMin = 60'000;

struct EngineRig {
  EngineRig() {
    rig.app.Start();
    start = rig.loop.Tick();
    rig.engine_actions.Clear();
  }

  Engine& engine() { return rig.app.engine(); }

  // Puts a plan in force (through the slot of the selected entry) and restarts the engine on it.
  void UsePlan(int interval, int ext_work_per_idle, int reset_after) {
    Settings& s = rig.app.settings();
    s.MicroAdjust = 0;
    s.BreakInterval = interval;
    s.ExtWorkMinsPerIdle = ext_work_per_idle;
    s.IdleMinsResetCycle = reset_after;
    rig.app.plans().ApplySelected();
    rig.app.engine().StartCycle();
    start = rig.loop.Tick();
  }

  // One character per minute of the engine's tick: 'a' the user works (input in the middle of
  // the minute), '.' nobody touches the machine.
  void Run(std::string_view minutes) {
    for (char c : minutes) {
      rig.loop.Advance(kMin / 2);
      if (c == 'a') rig.loop.Input();
      rig.loop.Advance(kMin / 2);
    }
  }

  // The requests whose text begins with one of `prefixes`, as "<minute> <request>".
  std::vector<std::string> Requests(std::initializer_list<std::string_view> prefixes) const {
    std::vector<std::string> out;
    for (const auto& r : rig.engine_actions.requests)
      for (std::string_view p : prefixes)
        if (std::string_view(r.what).substr(0, p.size()) == p) {
          out.push_back(std::to_string((r.tick - start) / kMin) + " " + r.what);
          break;
        }
    return out;
  }

  const EventRecord& LastRecord() { return rig.app.log().Cycles().back().back(); }
  bool TickRunning() { return rig.loop.IsRunning(rig.app.engine(), Engine::kDetectPauseTimer); }

  fake::Rig rig;
  uint64_t start = 0;
};

}  // namespace tavu::test
