#pragma once
// Stable control ids of every window, shared with the e2e driver.

// Settings window: its ids live with its page tables.
#include "windows/setup/setup_ids.hpp"

namespace tavu::ids {

// About/help window.
inline constexpr int kAboutTitle = 1101;
inline constexpr int kAboutVersion = 1102;
inline constexpr int kAboutIntro = 1103;
inline constexpr int kAboutPicture = 1104;
inline constexpr int kAboutMail = 1105;
inline constexpr int kAboutCopyMail = 1106;
inline constexpr int kAboutFirstLink = 1110;  // one button per link, in order

}  // namespace tavu::ids

namespace tavu::ids {

// Notice window.
inline constexpr int kPopHintLabel = 1201;

}  // namespace tavu::ids

namespace tavu::ids {

// Break screen.
inline constexpr int kBreakProgress = 1401;        // ProgressBar1
inline constexpr int kBreakRemainSec = 1402;       // lblBreakRemainSec: the seconds left
inline constexpr int kBreakCurrentMode = 1403;     // lblCurrentMode
inline constexpr int kBreakSlogan = 1404;          // lblSlogan
inline constexpr int kBreakShutDownIcon = 1405;    // imgShutDownIcon
inline constexpr int kBreakUrgentExitIcon = 1406;  // imgUrgentExitIcon
inline constexpr int kBreakRemindAgainAt = 1407;   // cbbRemindAgainAt
inline constexpr int kBreakExitPsw = 1408;         // edtExitPsw

}  // namespace tavu::ids

namespace tavu::ids {

// Centre reminder window.
inline constexpr int kRemindLabel1 = 1501;
inline constexpr int kRemindLabel2 = 1502;
inline constexpr int kRemindLabel3 = 1503;  // the minute
inline constexpr int kRemindLabel4 = 1504;
inline constexpr int kRemindContent = 1505;  // edtRemindContent

}  // namespace tavu::ids

namespace tavu::ids {

// Statistics window.
inline constexpr int kStatPages = 1601;  // the page buttons (a tab control)
inline constexpr int kStatRefresh = 1602;
inline constexpr int kStatMemo = 1603;  // Memo1: the history
inline constexpr int kStatIndexTired = 1604;
inline constexpr int kStatIndexBar = 1605;
inline constexpr int kStatHealthScore = 1606;
inline constexpr int kStatHealthStatus = 1607;
inline constexpr int kStatAdvice = 1608;
inline constexpr int kStatHelpAboutIndex = 1609;
inline constexpr int kStatMoreComment = 1610;
inline constexpr int kStatSysStartSpeed = 1611;
inline constexpr int kStatFirstFigure = 1620;         // the eight values, in screen order
inline constexpr int kStatFirstFigureCaption = 1630;  // their captions
inline constexpr int kStatFirstApp = 1640;            // the thirteen page-2 buttons
inline constexpr int kStatPageLabels = 1660;          // the pages' other captions
inline constexpr int kStatFirstDayColumn = 1680;      // the day table: captions, then 14 days
inline constexpr int kStatHistoryNote = 1696;
inline constexpr int kStatExport = 1697;
inline constexpr int kStatChart = 1698;  // the view's own, drawn through the canvas

}  // namespace tavu::ids
