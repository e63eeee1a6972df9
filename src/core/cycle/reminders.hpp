#pragma once
#include <cstdint>
#include <vector>

#include "ports/clock.hpp"
#include "settings/settings.hpp"

namespace tavu {

// Why a small hint window or centre reminder window is being opened; those windows read it.
enum RemindReasonCode : uint8_t {
  kRemindNextBreak = 0,
  kRemindBreakApproaching = 1,
  kRemindChime = 2,
  kRemindOnce1 = 3,
  kRemindOnce2 = 4,
};

// A timed reminder due at a minute: why, and in which window (0 the small window, 1 the centre
// window, anything else none).
struct DueReminder {
  uint8_t reason;
  int window;
  bool operator==(const DueReminder&) const = default;
};

// The two daily quick reminders and the chimes due in the minute of `now`, in the order they
// open.
std::vector<DueReminder> TimedRemindersAt(const Settings& s, const LocalTime& now);

}  // namespace tavu
