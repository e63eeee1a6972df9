// The desktop pictures: the status banner at the bottom of the z-order and the faint on-top
// picture that the mouse goes through.
#include <gtest/gtest.h>

#include "harness.hpp"

namespace e2e {
namespace {

constexpr wchar_t kDecoClass[] = L"TfrmDesktopDeco";
constexpr wchar_t kSOTClass[] = L"TSOTForm";

HWND WaitShown(const wchar_t* cls) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTop(cls)) && Visible(found); });
  return found;
}

bool Gone(const wchar_t* cls) {
  return WaitUntil([&] { return !Visible(FindTop(cls)); });
}

// Whether `lower` comes after `upper` in the z-order of top-level windows.
bool Below(HWND lower, HWND upper) {
  for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
    if (w == lower) return true;
  return false;
}

void Mouse(DWORD flags, POINT at) {
  SetCursorPos(at.x, at.y);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  SendInput(1, &in, sizeof in);
}

// An ordinary window of the driver's own that records the left clicks it receives.
class Target {
 public:
  explicit Target(RECT r) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = L"DecoE2eTarget";
    RegisterClassW(&wc);
    hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"target", WS_POPUP | WS_VISIBLE, r.left, r.top,
                            r.right - r.left, r.bottom - r.top, nullptr, nullptr, wc.hInstance,
                            nullptr);
    SetForegroundWindow(hwnd_);
    clicks_ = 0;
  }
  ~Target() { DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }
  int clicks() const { return clicks_; }

 private:
  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_LBUTTONDOWN) ++clicks_;
    return DefWindowProcW(h, msg, wp, lp);
  }
  HWND hwnd_ = nullptr;
  static inline int clicks_ = 0;
};

// The banner's place right after it opened: a quarter of a 1024 screen wide, in the picture's
// proportions (561 x 69), 10 px inside the work area's right edge and 25 px below its top.
RECT ExpectedBanner() {
  const RECT work = WorkArea();
  const int w = GetSystemMetrics(SM_CXSCREEN) * 250 / 1024, h = 69 * w / 561;
  return {work.right - w - 10, work.top + 25, work.right - 10, work.top + 25 + h};
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(DesktopDeco, SitsInTheTopRightCornerBelowEveryOtherWindow) {
  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcome);
  HWND main = box.StartAndWaitMain();
  HWND deco = WaitShown(kDecoClass);
  ASSERT_NE(deco, nullptr);
  const RECT expected = ExpectedBanner();
  EXPECT_TRUE(SameRect(WindowRect(deco), expected));
  const LONG_PTR ex = GetWindowLongPtrW(deco, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW) << "no taskbar button";
  EXPECT_FALSE(ex & WS_EX_TOPMOST);
  COLORREF key = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(deco, &key, nullptr, &flags));
  EXPECT_EQ(flags & LWA_COLORKEY, static_cast<DWORD>(LWA_COLORKEY));
  EXPECT_EQ(key, RGB(255, 255, 255));
  EXPECT_EQ(GetWindow(deco, GW_OWNER), FindWindowW(nullptr, L"Program Manager"));

  // No visible window lies below it, not even one activated after it, and a click on it does
  // not raise it.
  auto at_bottom = [&] {
    for (HWND w = GetWindow(deco, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
      if (IsWindowVisible(w)) return false;
    return true;
  };
  EXPECT_TRUE(at_bottom());
  Command(main, "NStat");
  HWND stat = WaitShown(L"TfrmStat");
  ASSERT_NE(stat, nullptr);
  SetForegroundWindow(stat);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == stat; }));
  EXPECT_TRUE(Below(deco, stat));
  EXPECT_TRUE(at_bottom());
  const POINT inside{expected.right - 40, (expected.top + expected.bottom) / 2};
  Mouse(MOUSEEVENTF_LEFTDOWN, inside);
  Mouse(MOUSEEVENTF_LEFTUP, inside);
  ASSERT_TRUE(WaitUntil([&] { return GetAsyncKeyState(VK_LBUTTON) >= 0; }));
  EXPECT_FALSE(WaitUntil([&] { return !Below(deco, stat) || !at_bottom(); }, 500ms))
      << "a click raised it";
  EXPECT_TRUE(SameRect(WindowRect(deco), expected)) << "a click in place moved it";
  Screenshot("desktop-deco");
}

TEST(DesktopDeco, MovesOnceTheLeftButtonIsReleased) {
  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcomeWithOnTop);
  box.StartAndWaitMain();
  HWND deco = WaitShown(kDecoClass);
  ASSERT_NE(deco, nullptr);
  const RECT before = WindowRect(deco);
  // Through the on-top picture, which lies over everything.
  ASSERT_NE(WaitShown(kSOTClass), nullptr);
  Mouse(MOUSEEVENTF_LEFTDOWN, {before.left + 40, before.top + 20});
  Mouse(MOUSEEVENTF_MOVE, {before.left + 90, before.top + 40});
  EXPECT_FALSE(WaitUntil([&] { return !SameRect(WindowRect(deco), before); }, 300ms))
      << "moved before the release";
  Mouse(MOUSEEVENTF_LEFTUP, {before.left + 90, before.top + 40});
  EXPECT_TRUE(WaitUntil([&] { return WindowRect(deco).left == before.left + 50; }));
  const RECT after = WindowRect(deco);
  EXPECT_EQ(after.top, before.top + 20);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

TEST(DesktopDeco, ItsMenuMovesItDownAndHidesIt) {
  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcome);
  HWND main = box.StartAndWaitMain();
  HWND deco = WaitShown(kDecoClass);
  ASSERT_NE(deco, nullptr);
  const RECT top = WindowRect(deco);
  auto open_menu = [&] {
    PostMessageW(deco, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(deco),
                 MAKELPARAM(top.left + 20, top.top + 20));
    return WaitUntil([] { return VisibleMenus() == 1; });
  };
  ASSERT_TRUE(open_menu());
  Screenshot("desktop-deco-menu");
  Choose(1);  // "置底"
  const int bottom = WorkArea().bottom - 10;
  EXPECT_TRUE(WaitUntil([&] { return WindowRect(deco).bottom == bottom; }));
  EXPECT_EQ(WindowRect(deco).left, top.left);

  ASSERT_TRUE(open_menu());
  Choose(3);  // "隐藏": the setting goes off, the window closes
  EXPECT_TRUE(Gone(kDecoClass));
  // The tray menu's "屏幕美化" > "桌面状态" turns it on again, back at the top.
  ASSERT_NE(OpenTrayMenu(main), nullptr);
  Choose(4, 0);
  deco = WaitShown(kDecoClass);
  ASSERT_NE(deco, nullptr);
  EXPECT_TRUE(SameRect(WindowRect(deco), top));
}

TEST(SOTForm, CoversTheScreenFaintlyAndLetsClicksThrough) {
  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcomeWithOnTop);
  box.StartAndWaitMain();
  HWND sot = WaitShown(kSOTClass);
  ASSERT_NE(sot, nullptr);
  const RECT r = WindowRect(sot);
  EXPECT_TRUE(SameRect(r, {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
  const LONG_PTR styles = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  EXPECT_EQ(GetWindowLongPtrW(sot, GWL_EXSTYLE) & styles, styles);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(sot, nullptr, &alpha, &flags));
  EXPECT_EQ(flags & LWA_ALPHA, static_cast<DWORD>(LWA_ALPHA));
  EXPECT_EQ(alpha, 50);

  // A window of ours beneath it takes the click at a point the picture covers.
  Target target({300, 300, 700, 600});
  ASSERT_TRUE(WaitUntil([&] { return Visible(target.hwnd()) && Below(target.hwnd(), sot); }));
  const POINT at{500, 450};
  EXPECT_EQ(WindowFromPoint(at), target.hwnd());
  Mouse(MOUSEEVENTF_LEFTDOWN, at);
  Mouse(MOUSEEVENTF_LEFTUP, at);
  EXPECT_TRUE(WaitUntil([&] { return target.clicks() == 1; }, 3s)) << "the click did not pass";
  Screenshot("on-top-picture");
}

TEST(DesktopPictures, TheTrayMenuSwitchesThemOffAndOn) {
  const struct {
    int item;  // in "屏幕美化"
    const wchar_t* cls;
  } cases[] = {{0, kDecoClass}, {1, kSOTClass}};
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8(c.cls));
    Sandbox box;
    box.WriteFile(L"lh20cfg", kNoWelcomeWithOnTop);
    HWND main = box.StartAndWaitMain();
    ASSERT_NE(WaitShown(c.cls), nullptr);
    ASSERT_NE(OpenTrayMenu(main), nullptr);
    Choose(4, c.item);
    EXPECT_TRUE(Gone(c.cls));
    ASSERT_NE(OpenTrayMenu(main), nullptr);
    Choose(4, c.item);
    EXPECT_NE(WaitShown(c.cls), nullptr);
    EXPECT_EQ(CountTop(c.cls), 1);
  }
}

}  // namespace
}  // namespace e2e
