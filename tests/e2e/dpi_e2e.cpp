// The program on screens of other densities: windows designed in 96-dpi pixels shown at 144 dpi,
// and a window that Windows tells it moved to a denser monitor.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "harness.hpp"
#include "settings/screen_zoom.hpp"
#include "ui/control_ids.hpp"
#include "windows/about/about_form.hpp"
#include "windows/countdown/break_hint.hpp"
#include "windows/countdown/break_hint_ids.hpp"
#include "windows/notice/pop_hint.hpp"
#include "windows/reminders/hint_small_window.hpp"
#include "windows/statistics/stat_form.hpp"

#include <commctrl.h>

namespace e2e {
namespace {

using namespace tavu::ids;
using tavu::Size;

// A scratch region for GetWindowRgn, freed at the end of the statement.
struct Region {
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ~Region() { DeleteObject(rgn); }
  operator HRGN() const { return rgn; }
};

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }
int AtOneAndAHalf(int v) { return static_cast<int>(std::lround(v * 1.5)); }

HWND WaitShown(const wchar_t* cls) {
  HWND w = nullptr;
  WaitUntil([&] { return (w = FindTop(cls)) && Visible(w); });
  return w;
}

// The zoom the program applies on top of the density ("自动调节", the default), on the primary
// screen measured in 96-dpi pixels.
Size Zoomed(Size design, int dpi) {
  const Size screen{GetSystemMetrics(SM_CXSCREEN) * 96 / dpi,
                    GetSystemMetrics(SM_CYSCREEN) * 96 / dpi};
  const int percent = tavu::screen_zoom::PercentFor(1, 0, screen);
  return {tavu::screen_zoom::Scale(design.w, percent), tavu::screen_zoom::Scale(design.h, percent)};
}

// Each window as its command opens it, with its size as designed: the frame for the countdown
// (its state gives the frame), the client area for the others.
TEST(Dpi, At144DpiEveryWindowIsItsDesignAtOneAndAHalf) {
  Sandbox box;
  box.dpi = 144;
  box.WriteFile(L"lh20cfg", kNoWelcome);
  HWND main = box.StartAndWaitMain();
  ASSERT_NE(main, nullptr);
  const struct {
    const char* shot;
    const wchar_t* cls;
    std::function<void()> open;
    Size design;
    bool frame = false;
    bool stays_open = false;
  } windows[] = {
      {"dpi144-about", L"TfrmAboutHelp", [&] { Command(main, "NAboutHelp"); },
       tavu::AboutState{}.client},
      {"dpi144-statistics", L"TfrmStat", [&] { Command(main, "NStat"); }, tavu::TfrmStat::kClient},
      {"dpi144-reminder", L"TfrmHintSmallWindow", [&] { Command(main, "NHintSmallWindow"); },
       Zoomed(tavu::TfrmHintSmallWindow::kDesignClient, 144)},
      {"dpi144-notice", L"TfrmPopHint",
       [&] { PostMessageW(main, WM_HOTKEY, 0, MAKELPARAM(8, 'K')); }, tavu::PopHintState{}.client},
      // Last, and left to count down: the demonstration break screen follows it.
      {"dpi144-countdown", L"TfrmBreakHint", [&] { Command(main, "NBreakDemo"); },
       Zoomed(tavu::TfrmBreakHint::kDesignSize, 144), true, true},
  };
  for (const auto& w : windows) {
    SCOPED_TRACE(w.shot);
    w.open();
    HWND window = WaitShown(w.cls);
    ASSERT_NE(window, nullptr);
    const RECT r = w.frame ? WindowRect(window) : ClientRect(window);
    // The reminder rolls into view (a window region) before the picture is taken.
    WaitUntil([&] { return GetWindowRgn(window, Region()) == ERROR; }, 5s);
    EXPECT_NEAR(Width(r), AtOneAndAHalf(w.design.w), 1);
    EXPECT_NEAR(Height(r), AtOneAndAHalf(w.design.h), 1);
    Screenshot(w.shot);
    if (w.stays_open) continue;
    PostMessageW(window, WM_CLOSE, 0, 0);
    WaitUntil([&] { return !Visible(window); });
  }
  // The break screen is laid out in the screen's own pixels: all of it, at any density.
  HWND screen = WaitTop(L"TTWForm");
  ASSERT_NE(screen, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return Visible(screen); }));
  const RECT s = WindowRect(screen);
  EXPECT_EQ(Width(s), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(Height(s), GetSystemMetrics(SM_CYSCREEN));
  Screenshot("dpi144-break-screen", 500ms);
}

// Windows says a window of a program started at 96 dpi moved to a 144-dpi monitor: the window
// takes the rectangle suggested, even the countdown that refuses the user's sizing, and its
// controls, fonts and tool tips follow.
TEST(Dpi, AMoveToADenserMonitorLaysTheWindowOutAgain) {
  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcome);
  HWND main = box.StartAndWaitMain();
  ASSERT_NE(main, nullptr);
  // Where Windows would put it on the other monitor: here, the top left of this one.
  auto suggest = [](HWND window) {
    const RECT r = WindowRect(window);
    return RECT{20, 20, 20 + AtOneAndAHalf(Width(r)), 20 + AtOneAndAHalf(Height(r))};
  };
  auto expect_scaled = [](const RECT& before, const RECT& after) {
    EXPECT_NEAR(after.left, AtOneAndAHalf(before.left), 1);
    EXPECT_NEAR(after.top, AtOneAndAHalf(before.top), 1);
    EXPECT_NEAR(after.right, AtOneAndAHalf(before.right), 1);
    EXPECT_NEAR(after.bottom, AtOneAndAHalf(before.bottom), 1);
  };

  Command(main, "NStat");
  HWND stat = WaitShown(L"TfrmStat");
  ASSERT_NE(stat, nullptr);
  // Per-monitor aware (the manifest): Windows sends it WM_DPICHANGED at all.
  using AwarenessOf = int(WINAPI*)(HANDLE);
  using ContextOf = HANDLE(WINAPI*)(HWND);
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  auto context_of = reinterpret_cast<ContextOf>(
      reinterpret_cast<void*>(GetProcAddress(user32, "GetWindowDpiAwarenessContext")));
  auto awareness_of = reinterpret_cast<AwarenessOf>(
      reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
  ASSERT_TRUE(context_of && awareness_of);
  EXPECT_EQ(awareness_of(context_of(stat)), 2);  // DPI_AWARENESS_PER_MONITOR_AWARE

  HWND refresh = GetDlgItem(stat, kStatRefresh), pages = GetDlgItem(stat, kStatPages);
  HWND caption = GetDlgItem(stat, kStatFirstFigureCaption);
  const RECT refresh_before = RectInParent(refresh), pages_before = RectInParent(pages);
  const RECT caption_before = RectInParent(caption);
  const RECT stat_frame = suggest(stat);
  ASSERT_TRUE(SendDpiChanged(stat, 144, stat_frame));
  const RECT stat_now = WindowRect(stat);
  EXPECT_TRUE(EqualRect(&stat_now, &stat_frame));
  expect_scaled(refresh_before, RectInParent(refresh));
  // The page strip is the view's own control.
  expect_scaled(pages_before, RectInParent(pages));
  // An auto-sized label is as wide as its text: its font grew too.
  EXPECT_NEAR(Width(RectInParent(caption)), AtOneAndAHalf(Width(caption_before)), 2);
  Screenshot("dpi-moved-statistics");
  PostMessageW(stat, WM_CLOSE, 0, 0);
  WaitUntil([&] { return !Visible(stat); });

  Command(main, "NBreakDemo");
  HWND hint = WaitShown(L"TfrmBreakHint");
  ASSERT_NE(hint, nullptr);
  HWND m = GetDlgItem(hint, kHintM);
  const RECT m_before = RectInParent(m);
  const RECT hint_frame = suggest(hint);
  ASSERT_TRUE(SendDpiChanged(hint, 144, hint_frame));
  const RECT hint_now = WindowRect(hint);
  EXPECT_TRUE(EqualRect(&hint_now, &hint_frame));
  expect_scaled(m_before, RectInParent(m));
  HWND tips = ToolTipOf(hint);
  ASSERT_NE(tips, nullptr) << "no tool tip after the move";
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 1);
  Screenshot("dpi-moved-countdown");
}

// The manifest in the built program asks for per-monitor awareness (v2, then v1), with the old
// element for Windows before 10.
TEST(Dpi, TheProgramDeclaresPerMonitorV2) {
  Sandbox box;
  HMODULE exe = LoadLibraryExW(box.PathOf(L"tavu.exe").c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(exe, nullptr);
  HRSRC found = FindResourceW(exe, MAKEINTRESOURCEW(1), RT_MANIFEST);
  ASSERT_NE(found, nullptr);
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(exe, found)));
  const std::string manifest(bytes, SizeofResource(exe, found));
  FreeLibrary(exe);
  EXPECT_NE(manifest.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/"
                          "WindowsSettings\">PerMonitorV2, PerMonitor</dpiAwareness>"),
            std::string::npos)
      << manifest;
  EXPECT_NE(manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/"
                          "WindowsSettings\">true/pm</dpiAware>"),
            std::string::npos);
}

}  // namespace
}  // namespace e2e
