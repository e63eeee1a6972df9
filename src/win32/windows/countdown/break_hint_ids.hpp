#pragma once
// Control ids of the countdown window, shared with the e2e driver.

namespace tavu::ids {

inline constexpr int kHintTimeRemain = 1301;
inline constexpr int kHintLabel2 = 1302;
inline constexpr int kHintMins = 1303;
inline constexpr int kHintUpDown = 1304;
inline constexpr int kHintLabel3 = 1305;
inline constexpr int kHintStatus = 1306;
inline constexpr int kHintDetails = 1307;
inline constexpr int kHintToggleDesktop = 1308;
inline constexpr int kHintApplyMins = 1309;
inline constexpr int kHintBreak = 1310;
inline constexpr int kHintM = 1311;
// The detail pop-up's line.
inline constexpr int kDetailText = 1320;

}  // namespace tavu::ids
