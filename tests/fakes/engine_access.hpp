#pragma once
// Tests set the engine up in states that would take a long run to reach, and call its inner
// steps one at a time. Nothing outside the tests can.
#include "cycle/engine.hpp"

namespace tavu {

struct EngineTestAccess {
  static CycleValues& Values(Engine& e) { return e.v_; }
  static bool FreshStart(Engine& e) { return e.FreshStart; }
  static void BreakTimerTimer(Engine& e) { e.BreakTimerTimer(); }
  static void BreakNow(Engine& e, uint8_t kind, uint8_t event_kind) {
    e.BreakNow(kind, event_kind);
  }
  static void RestartCountdown(Engine& e, uint8_t minutes) { e.RestartCountdown(minutes); }
  static uint8_t ApplyIdleCredit(Engine& e, bool reset, uint8_t credit_mins) {
    return e.ApplyIdleCredit(reset, credit_mins);
  }
};

}  // namespace tavu
