// The timed pause from the tray menu, the tray icon's tip and picture, and what the system
// tells about presentations and calls.
#include <windows.h>

#include <gtest/gtest.h>
#include <shellapi.h>

#include "adapters/user_busy.hpp"
#include "harness.hpp"

namespace e2e {
namespace {

bool TipStartsWith(const TrayStandIn& tray, const std::wstring& text) {
  return tray.tip.rfind(text, 0) == 0;
}

// "下次休息 <time>（还有 <n> 分钟）": the minutes change at every tick, so only the form is
// checked.
bool ShowsNextBreak(const TrayStandIn& tray) {
  return TipStartsWith(tray, L"岚禾休息软件\n下次休息 ") &&
         tray.tip.find(L"（还有 ") != std::wstring::npos && tray.tip.ends_with(L" 分钟）");
}

// The pause submenu sits right after "立即休息"; "30分钟" pauses, the icon and tip say so, and at
// two hundred times the pause ends by itself nine seconds later with a fresh cycle. The saver's
// idle time is at its longest (20 minutes, six seconds here) so the screenshot shows the menu.
TEST(Pause, ThirtyMinutesFromTheTrayMenuEndOnTheirOwn) {
  TrayStandIn tray;
  Sandbox box;
  box.WriteFile(
      L"lh20cfg",
      "x\r\n[0]\r\n[1]\r\n[2] 20\r\n[3]\r\n[4]\r\n[5]\r\n[6]\r\n[7] FALSE FALSE FALSE\r\n");
  HWND main = box.StartAndWaitMain({L"TAVU_TIME_SCALE=200"});
  ASSERT_TRUE(WaitUntil([&] { return ShowsNextBreak(tray); })) << Utf8(tray.tip);
  const std::string working_icon = tray.icon;
  ASSERT_FALSE(working_icon.empty());

  ASSERT_NE(OpenTrayMenu(main), nullptr);
  for (int i = 0; i < 10; ++i) Key(VK_DOWN);  // "暂停休息提醒", after "立即休息"
  Key(VK_RIGHT);
  ASSERT_TRUE(WaitUntil([] { return VisibleMenus() >= 2; }, 3s));
  Screenshot("tray-menu-pause");
  Key(VK_RETURN);  // "30分钟", the first item
  ASSERT_TRUE(WaitUntil([] { return VisibleMenus() == 0; }, 3s));

  ASSERT_TRUE(
      WaitUntil([&] { return TipStartsWith(tray, L"岚禾休息软件\n已暂停休息提醒，到 "); }, 5s))
      << Utf8(tray.tip);
  EXPECT_NE(tray.icon, working_icon);
  EXPECT_LE(tray.tip.size(), 127u);

  // Thirty minutes are nine seconds here; the end is judged at the next tick (0.3 s).
  ASSERT_TRUE(WaitUntil([&] { return ShowsNextBreak(tray); }, 20s)) << Utf8(tray.tip);
  EXPECT_EQ(tray.icon, working_icon);
}

// The privacy store's per-program keys under the user's microphone and camera: in use while
// started and not stopped. Written in this prefix's registry and removed again.
TEST(UserBusy, ACallIsAProgramHoldingTheMicrophoneOrCamera) {
  struct Case {
    const wchar_t* device;
    const wchar_t* program;  // a packaged app's key, or a desktop program's under NonPackaged
    uint64_t start, stop;
    bool in_call;
  };
  const Case cases[] = {
      {L"microphone", L"Tavu.TestApp_1", 133000000000000000ull, 0, true},
      {L"microphone", L"Tavu.TestApp_1", 133000000000000000ull, 133000000000001000ull, false},
      {L"webcam", L"NonPackaged\\C:#Tools#meet.exe", 133000000000000000ull, 0, true},
      {L"webcam", L"NonPackaged\\C:#Tools#meet.exe", 0, 0, false},  // never used
  };
  const std::wstring store = tavu::win::Win32UserBusy::kConsentStore;
  tavu::win::Win32UserBusy busy;
  RegDeleteTreeW(HKEY_CURRENT_USER, store.c_str());
  EXPECT_FALSE(busy.InCall()) << "no store at all";
  for (const Case& c : cases) {
    const std::wstring key = store + L"\\" + c.device + L"\\" + c.program;
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(h, L"LastUsedTimeStart", 0, REG_QWORD, reinterpret_cast<const BYTE*>(&c.start),
                   sizeof c.start);
    RegSetValueExW(h, L"LastUsedTimeStop", 0, REG_QWORD, reinterpret_cast<const BYTE*>(&c.stop),
                   sizeof c.stop);
    RegCloseKey(h);
    EXPECT_EQ(busy.InCall(), c.in_call) << Utf8(key) << " " << c.start << " " << c.stop;
    RegDeleteTreeW(HKEY_CURRENT_USER, store.c_str());
  }
}

// Wine answers the notification state with "accepts notifications" (nothing full screen, no
// presentation), which is no reason to wait.
TEST(UserBusy, NoPresentationUnderWine) {
  QUERY_USER_NOTIFICATION_STATE state{};
  EXPECT_EQ(SHQueryUserNotificationState(&state), S_OK);
  EXPECT_EQ(state, QUNS_ACCEPTS_NOTIFICATIONS);
  EXPECT_FALSE(tavu::win::Win32UserBusy().Presenting());
}

}  // namespace
}  // namespace e2e
