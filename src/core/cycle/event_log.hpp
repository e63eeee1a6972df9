#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/date_time.hpp"
#include "ports/clock.hpp"

namespace tavu {

// ---- The event log --------------------------------------------------------------------------

// Event kinds. Kinds 2 and 16 only serve as search keys, 3 marks demonstrations; none of the
// three is ever stored.
enum EventKind : uint8_t {
  kEventProgramStart = 0,
  kEventNewCycle = 1,
  kEventKeyBreak = 2,  // matches 11 and 12
  kEventDemo = 3,
  kEventDelayRequest = 4,
  kEventIdleCredit = 5,
  kEventIdleReset = 6,
  kEventCreditOverCycle = 7,
  kEventIdle = 8,
  kEventBeforeBreak = 9,
  kEventCountdown = 10,
  kEventScheduledBreak = 11,
  kEventManualBreak = 12,
  kEventScreenSaverAuto = 13,
  kEventScreenSaverManual = 14,
  kEventDisplayOff = 15,
  kEventKeyPower = 16,  // matches 17 to 28
  kEventOutsideStandBy = 17,
  kEventOutsideStandByFailed = 18,
  kEventAutoStandBy = 19,
  kEventAutoStandByFailed = 20,
  kEventManualStandBy = 21,
  kEventManualStandByFailed = 22,
  kEventOutsideHibernate = 23,
  kEventOutsideHibernateFailed = 24,
  kEventAutoHibernate = 25,
  kEventAutoHibernateFailed = 26,
  kEventManualHibernate = 27,
  kEventManualHibernateFailed = 28,
  kEventBreakDeferred = 29,  // Value: the reason (EventDeferReason); spans the deferral
  kEventPause = 30,          // spans the pause
  kEventKindCount = 31,
};

enum EventDeferReason : uint8_t { kDeferPresenting = 1, kDeferCall = 2 };

// The text of a kind; empty for kinds without one.
std::string_view EventKindText(uint8_t kind);

struct EventRecord {
  uint16_t StartSeqNo = 0;
  uint8_t Kind = 0;
  uint64_t StartTick = 0;
  uint16_t EndSeqNo = 0;
  uint64_t EndTick = 0;  // 0 for events without duration or still open
  uint8_t Value = 0;
  bool operator==(const EventRecord&) const = default;
};

using EventCycle = std::vector<EventRecord>;

// Told of each record as it is added and as it is closed (the history database).
class EventSink {
 public:
  virtual ~EventSink() = default;
  virtual void RecordChanged(std::size_t cycle, std::size_t index, const EventRecord& record,
                             bool opened) = 0;
};

// What happened to the user's rest since the program started, one list of records per rest
// cycle. Lives in memory for the run; records are only appended to the last cycle.
class EventLog {
 public:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  EventLog(Clock& clock, InputWatch& input) : clock_(clock), input_(input) {}

  // Adds a record (new_record) or closes the last matching one of the current cycle. The time is
  // the tick (from_tick) or the system's last-input time. Closing kind 8 sets its end to its
  // start plus `idle_mins` minutes; key 2 closes a break, key 16 a power record. A close that
  // finds no open matching record in the current cycle changes nothing: closing an older,
  // already closed record again would make its span run to now.
  void LogEvent(bool new_cycle, bool new_record, uint8_t value, uint8_t kind, bool from_tick,
                uint16_t idle_mins = 0);

  // Index of the last record of `cycle` that matches `key`, or kNone.
  std::size_t FindLastEvent(std::size_t cycle, uint8_t key) const;

  const std::vector<EventCycle>& Cycles() const { return cycles_; }
  uint16_t EventSeqNo() const { return seq_no_; }
  void SetSink(EventSink* sink) { sink_ = sink; }

 private:
  Clock& clock_;
  InputWatch& input_;
  std::vector<EventCycle> cycles_;
  uint16_t seq_no_ = 0;
  EventSink* sink_ = nullptr;
};

}  // namespace tavu
