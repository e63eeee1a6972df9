#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "ports/shell.hpp"

namespace tavu {

// The rest modes (SelectBreakMode): how firmly the break screen holds the user before its count
// is over. A value outside 0..3 is treated like enforce mode: nothing is offered.
enum RestMode : int {
  kFreeMode = 0,
  kPasswordMode = 1,
  kInterfereMode = 2,
  kEnforceMode = 3,
};

inline constexpr std::array<std::string_view, 4> kRestModeLabels = {"[ 自由模式 ]", "[ 密码模式 ]",
                                                                    "[ 干扰模式 ]", "[ 强制模式 ]"};
// lblCurrentMode before the first mode text is written.
inline constexpr std::string_view kCurrentModeDesignText = "[ 当前模式 ]";

// The remind-again list: index 0 chooses nothing, 1..5 postpone by that many minutes, 6 ends
// the break.
inline constexpr std::array<std::string_view, 7> kRemindAgainItems = {
    "<请选择...>",   "1分钟后再提醒", "2分钟后再提醒", "3分钟后再提醒",
    "4分钟后再提醒", "5分钟后再提醒", "不再提醒"};
inline constexpr int kRemindAgainNever = 6;

inline constexpr std::string_view kChallengePrompt = "请选择分钟数，然后输入解锁密码！";
inline constexpr std::string_view kChallengeLead = "请输入正确结果：";
inline constexpr std::string_view kAbortBreakQuestion =
    "你确定要完全中止休息吗？这将降低你的健康得分。";
inline constexpr std::string_view kAbortBreakCaption = "确认：";

// The mode's text for lblCurrentMode; empty for an unknown mode.
std::string_view RestModeLabel(int mode);

// Which of the urgent-exit controls show.
struct ExitControls {
  bool icon = false;  // imgUrgentExitIcon
  bool list = false;  // cbbRemindAgainAt
  bool box = false;   // edtExitPsw
  bool operator==(const ExitControls&) const = default;
};

// The rule applied at every countdown tick: the exit appears `ticks` after the screen was shown
// (5 in free and password mode, a third of the leave in interference mode). Enforce mode leaves
// the controls as they are.
ExitControls ExitControlsAtTick(int mode, uint8_t ticks, int interfere_intensity,
                                ExitControls current);

// The arithmetic challenge of password mode: two k-digit addends for item k.
struct Challenge {
  int32_t a = 0;
  int32_t b = 0;
  int32_t sum = 0;
  std::string text;  // what the answer box offers
};

// A fresh challenge for remind-again item 1..6 (two draws, a then b). Any other item draws
// nothing and gives the bare prompt to choose.
Challenge DrawChallenge(int item, Random& random);

// Whether the answer box unlocks item `item`: the sum alone, or the sum typed straight after the
// "=" of the challenge. Only a real choice (1..6) can be unlocked.
bool ChallengeAnswered(std::string_view answer, const Challenge& challenge, int item);

// Seconds given back to the count when the screen returns after `interval_ms` away: 10 per
// postponed minute in free and password mode, every second away in interference mode.
int SecondsAddedOnReturn(int mode, uint32_t interval_ms);

}  // namespace tavu
