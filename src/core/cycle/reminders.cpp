#include "cycle/reminders.hpp"

namespace tavu {

std::vector<DueReminder> TimedRemindersAt(const Settings& s, const LocalTime& now) {
  std::vector<DueReminder> due;
  if (s.RemindOnce1 && now.hour == s.HourOfRemindOnce1 && now.minute == s.MinOfRemindOnce1)
    due.push_back({kRemindOnce1, s.SelectRemindOnceWindow});
  if (s.RemindOnce2 && now.hour == s.HourOfRemindOnce2 && now.minute == s.MinOfRemindOnce2)
    due.push_back({kRemindOnce2, s.SelectRemindOnceWindow});
  if ((s.RemindOnHour && now.minute == 0) || (s.RemindOnHalfHour && now.minute == 30))
    due.push_back({kRemindChime, s.SelectRemindHourWindow});
  return due;
}

}  // namespace tavu
