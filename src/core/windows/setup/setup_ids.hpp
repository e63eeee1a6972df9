#pragma once
// Stable control ids of the settings window: its page tables name their controls by them, its
// view creates them under them, and the e2e driver finds them by them.

namespace tavu::ids {

inline constexpr int kSetupTabs = 1001;
// Page "休息模式".
inline constexpr int kSetupModeGroup = 1010;      // the radio choice; its items are +1 .. +4
inline constexpr int kSetupModeRadio0 = 1011;     // +1, +2, +3 for the other modes
inline constexpr int kSetupModeGroupBox0 = 1020;  // the group of each mode, +mode
inline constexpr int kSetupRemindAgainFree = 1024;
inline constexpr int kSetupNotShowFree = 1025;
inline constexpr int kSetupRemindAgainPassword = 1026;
inline constexpr int kSetupNotShowPassword = 1027;
inline constexpr int kSetupIntensityLabel = 1028;
inline constexpr int kSetupIntensityBar = 1029;
inline constexpr int kSetupIntensityValue = 1030;
inline constexpr int kSetupDisableKeyboard = 1031;
inline constexpr int kSetupHideCursor = 1032;

}  // namespace tavu::ids
