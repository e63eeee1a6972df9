#include "windows/reminders/reminder_texts.hpp"

#include <algorithm>

#include "cycle/reminders.hpp"

namespace tavu {
namespace {

constexpr std::string_view kRestNotice = "岚禾休息提示";
constexpr std::string_view kTimedNotice = "岚禾定时提示";
constexpr std::string_view kReminderDue = "提醒时间已到";
constexpr std::string_view kTimeNow = "现在时间是：";

std::string TwoDigits(int v) {
  std::string s;
  s += static_cast<char>('0' + v / 10 % 10);
  s += static_cast<char>('0' + v % 10);
  return s;
}

}  // namespace

std::string MinuteText(const LocalTime& now) {
  std::string s = TwoDigits(now.hour);
  s += ':';
  s += TwoDigits(now.minute);
  s += ":00";
  return s;
}

HintSmallLines HintSmallWindowLines(uint8_t reason, std::string_view next_break, int mins_left,
                                    const LocalTime& now) {
  switch (reason) {
    case kRemindNextBreak:
      return {std::string(kRestNotice), "下次休息时间", std::string(next_break)};
    case kRemindBreakApproaching: {
      std::string minutes = std::to_string(mins_left);
      minutes += " 分钟";
      return {std::string(kRestNotice), "离休息还剩下", minutes};
    }
    case kRemindChime:
      return {std::string(kTimedNotice), std::string(kTimeNow), MinuteText(now)};
    default:
      return {std::string(kTimedNotice), std::string(kReminderDue), MinuteText(now)};
  }
}

RemindCenterTexts RemindWindowCenterTexts(uint8_t reason, const Settings& s) {
  switch (reason) {
    case kRemindChime:
      return {std::string(kTimeNow), "报时！", true};
    case kRemindOnce1:
      return {std::string(kReminderDue), s.ContentOfRemindOnce1, false};
    case kRemindOnce2:
      return {std::string(kReminderDue), s.ContentOfRemindOnce2, false};
    default:
      return {std::string(kReminderDue), std::nullopt, false};
  }
}

Color HintSmallWindowColor(const Settings& s, uint8_t reason) {
  if (reason == kRemindChime) return s.RemindHourWindowColorMain;
  if (reason >= kRemindOnce1) return s.RemindOnceWindowColorMain;
  return s.HintSmallWindowColorMain;
}

FrameColors RemindWindowCenterColors(const Settings& s, uint8_t reason) {
  if (reason == kRemindChime) return {s.RemindHourWindowColorMain, s.RemindHourWindowColorBorder};
  return {s.RemindOnceWindowColorMain, s.RemindOnceWindowColorBorder};
}

Rect RevealedPart(Reveal how, Size client, uint64_t elapsed, uint64_t duration) {
  if (duration == 0 || elapsed >= duration) return {0, 0, client.w, client.h};
  auto part = [&](int full) { return static_cast<int>(full * elapsed / duration); };
  if (how == Reveal::FromBottom) return {0, client.h - part(client.h), client.w, client.h};
  const int w = part(client.w), h = part(client.h);
  const int left = (client.w - w) / 2, top = (client.h - h) / 2;
  return {left, top, left + w, top + h};
}

}  // namespace tavu
