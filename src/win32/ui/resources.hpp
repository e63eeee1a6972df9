#pragma once
#include <windows.h>

#include <string_view>

namespace tavu::win {

// Icon ids: the program's, and the tray's while the break reminders are paused.
inline constexpr int kResAppIcon = 1;
inline constexpr int kResPausedIcon = 2;

// RCDATA ids of the pictures linked into the executable (see tavu.rc).
inline constexpr int kResWelcomeJpeg = 101;
inline constexpr int kResPowerJpeg = 102;  // the break screen's power button, 33 x 32
inline constexpr int kResExitJpeg = 103;   // the break screen's urgent exit, 33 x 32
inline constexpr int kResOnTopJpeg = 104;  // the on-top picture, also the countdown picture
inline constexpr int kResAlarmJpeg = 105;  // the centre reminder window's alarm clock, 50 x 50
inline constexpr int kResDecoJpeg = 106;   // the desktop status banner, 561 x 69
// WAVE resources of the sound cues.
inline constexpr int kResChimeWave = 201;
inline constexpr int kResBreakStartWave = 202;
inline constexpr int kResBreakEndWave = 203;

inline std::string_view LoadResourceBytes(int id) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (!res) return {};
  HGLOBAL data = LoadResource(module, res);
  if (!data) return {};
  return {static_cast<const char*>(LockResource(data)), SizeofResource(module, res)};
}

}  // namespace tavu::win
