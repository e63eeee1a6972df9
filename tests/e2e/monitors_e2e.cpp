// Two monitors (run by the e2e-two-monitors test on Xorg's dummy driver): the primary and one
// left of it, at negative coordinates.
#include <gtest/gtest.h>

#include <vector>

#include "harness.hpp"
#include "ui/control_ids.hpp"

namespace e2e {
namespace {

struct Display {
  std::wstring name;
  RECT rect;
  bool primary;
};

BOOL CALLBACK AddDisplay(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MONITORINFOEXW info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  auto* out = reinterpret_cast<std::vector<Display>*>(data);
  out->push_back(Display{std::wstring(info.szDevice), info.rcMonitor,
                         (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
  return TRUE;
}

std::vector<Display> Displays() {
  std::vector<Display> out;
  EnumDisplayMonitors(nullptr, nullptr, AddDisplay, reinterpret_cast<LPARAM>(&out));
  return out;
}

const Display* Other(const std::vector<Display>& displays) {
  for (const Display& d : displays)
    if (!d.primary) return &d;
  return nullptr;
}

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

HWND WaitShown(const wchar_t* cls) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTop(cls)) && Visible(found); });
  return found;
}

BYTE Alpha(HWND w) {
  BYTE alpha = 0;
  DWORD flags = 0;
  GetLayeredWindowAttributes(w, nullptr, &alpha, &flags);
  return alpha;
}

int RemainingSeconds(HWND screen) {
  const std::wstring text = Text(GetDlgItem(screen, tavu::ids::kBreakRemainSec));
  return text.empty() ? -1 : _wtoi(text.c_str());
}

// Puts a monitor in another mode as the display settings would; Wine passes it on to XRandR.
bool SetMode(const std::wstring& device, int w, int h) {
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  mode.dmPelsWidth = static_cast<DWORD>(w);
  mode.dmPelsHeight = static_cast<DWORD>(h);
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  return ChangeDisplaySettingsExW(device.c_str(), &mode, nullptr, 0, nullptr) ==
         DISP_CHANGE_SUCCESSFUL;
}

#define NEED_TWO_MONITORS(displays) \
  if (!Other(displays)) GTEST_SKIP() << "needs two monitors (TAVU_E2E_MONITORS)"

TEST(Monitors, ABreakCoversBothFadesAndClosesTogetherAndFollowsADisplayChange) {
  const std::vector<Display> displays = Displays();
  NEED_TWO_MONITORS(displays);
  const Display other = *Other(displays);
  ASSERT_LT(other.rect.left, 0) << "the other monitor stands left of the primary";

  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcome);
  HWND main = box.StartAndWaitMain({L"TAVU_TIME_SCALE=60"});
  Command(main, "NBreakNow");
  HWND question = WaitTop(L"#32770", L"岚禾提示");
  ASSERT_NE(question, nullptr);
  PostMessageW(question, WM_COMMAND, IDYES, 0);
  HWND screen = WaitShown(L"TTWForm");
  HWND cover = WaitShown(L"TTWFormCover");
  ASSERT_NE(screen, nullptr);
  ASSERT_NE(cover, nullptr);
  EXPECT_EQ(CountTop(L"TTWFormCover"), 1);
  const RECT primary{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  EXPECT_TRUE(Same(WindowRect(screen), primary));
  EXPECT_TRUE(Same(WindowRect(cover), other.rect));
  // The count and the controls are the primary's; the other monitor shows the slogan.
  EXPECT_EQ(GetDlgItem(cover, tavu::ids::kBreakProgress), nullptr);
  EXPECT_EQ(GetDlgItem(cover, tavu::ids::kBreakRemainSec), nullptr);
  EXPECT_EQ(Text(GetDlgItem(cover, tavu::ids::kBreakSlogan)), L"累了吧，该歇一歇了~");
  // Faded in together: the count starts once the fade-in is over, at the same opacity on both.
  ASSERT_TRUE(WaitUntil(
      [&] { return RemainingSeconds(screen) >= 0 && RemainingSeconds(screen) < 300; }, 5s));
  EXPECT_EQ(Alpha(cover), Alpha(screen));
  ScreenshotAll("break-screen-two-monitors");

  // The other monitor gets smaller mid-break: its cover follows.
  ASSERT_TRUE(SetMode(other.name, 1024, 768));
  RECT changed{};
  for (const Display& d : Displays())
    if (!d.primary) changed = d.rect;
  EXPECT_EQ(changed.right - changed.left, 1024);
  EXPECT_TRUE(WaitUntil([&] { return Same(WindowRect(cover), changed); }, 3s))
      << "cover at " << WindowRect(cover).left << "," << WindowRect(cover).top << " "
      << WindowRect(cover).right << "," << WindowRect(cover).bottom;
  EXPECT_TRUE(Visible(cover));
  ScreenshotAll("break-screen-two-monitors-changed");

  // Once the count is over, a click on the other monitor ends the break there and here.
  ASSERT_TRUE(WaitUntil([&] { return RemainingSeconds(screen) == 0; }, 15s));
  PostMessageW(cover, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 200));
  PostMessageW(cover, WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
  EXPECT_TRUE(WaitUntil(
      [&] { return !Visible(FindTop(L"TTWForm")) && !Visible(FindTop(L"TTWFormCover")); }, 5s));
  SetMode(other.name, other.rect.right - other.rect.left, other.rect.bottom - other.rect.top);
}

TEST(Monitors, TheSaverAndTheOnTopPictureCoverTheOtherMonitorToo) {
  const std::vector<Display> displays = Displays();
  NEED_TWO_MONITORS(displays);
  const Display other = *Other(displays);

  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcomeWithOnTop);
  HWND main = box.StartAndWaitMain();
  HWND picture = WaitShown(L"TSOTFormCover");
  ASSERT_NE(picture, nullptr);
  EXPECT_TRUE(Same(WindowRect(picture), other.rect));
  EXPECT_EQ(Alpha(picture), 50);
  ScreenshotAll("on-top-picture-two-monitors");

  PostMessageW(main, WM_HOTKEY, 1, MAKELPARAM(MOD_WIN, 'S'));
  HWND saver = WaitShown(L"TfrmScrZEVO");
  HWND black = WaitShown(L"TfrmScrZEVOCover");
  ASSERT_NE(saver, nullptr);
  ASSERT_NE(black, nullptr);
  EXPECT_TRUE(Same(WindowRect(black), other.rect));
  ScreenshotAll("screen-saver-two-monitors");
  // A key on the other monitor's black window ends the saver everywhere.
  PostMessageW(black, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_TRUE(WaitUntil(
      [&] { return !Visible(FindTop(L"TfrmScrZEVO")) && !Visible(FindTop(L"TfrmScrZEVOCover")); },
      3s));
}

}  // namespace
}  // namespace e2e
