#pragma once
// Stable control ids of every window, shared with the e2e driver.

namespace tavu::ids {

// Settings window.
inline constexpr int kSetupTabs = 1001;

}  // namespace tavu::ids

namespace tavu::ids {

// About/help window.
inline constexpr int kAboutTitle = 1101;
inline constexpr int kAboutVersion = 1102;
inline constexpr int kAboutIntro = 1103;
inline constexpr int kAboutPicture = 1104;
inline constexpr int kAboutFirstLink = 1110;  // one button per link, in order

}  // namespace tavu::ids

namespace tavu::ids {

// Notice window.
inline constexpr int kPopHintLabel = 1201;

}  // namespace tavu::ids
