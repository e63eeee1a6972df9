// The reminder windows as the engine and the menu open them.
#include <gtest/gtest.h>

#include "harness.hpp"
#include "ui/control_ids.hpp"

namespace e2e {
namespace {

using namespace tavu::ids;

// A scratch region for GetWindowRgn, freed at the end of the statement.
struct Region {
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ~Region() { DeleteObject(rgn); }
  operator HRGN() const { return rgn; }
};

// "最新提示..." opens the next-break notice in the bottom-right corner of the work area; its
// lines are drawn again after something covered them.
TEST(RemindWindows, LatestNoticeAtTheBottomRight) {
  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcome);
  HWND main = box.StartAndWaitMain();
  Command(main, "NHintSmallWindow");
  HWND small = WaitTop(L"TfrmHintSmallWindow");
  ASSERT_NE(small, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return Visible(small); }));
  const RECT work = WorkArea(), r = WindowRect(small);
  EXPECT_EQ(r.right, work.right);
  EXPECT_EQ(r.bottom, work.bottom);
  EXPECT_GE(r.right - r.left, 119);  // its design size, or larger as the screen zooms it
  EXPECT_TRUE(GetWindowLongW(small, GWL_EXSTYLE) & WS_EX_TOPMOST);
  // It rolls up for 2.5 s, a growing window region; then the whole window shows its lines:
  // black text on the coloured window (the desktop behind is black all over).
  ASSERT_TRUE(WaitUntil([&] { return GetWindowRgn(small, Region()) == ERROR; }, 5s));
  const int area = (r.right - r.left) * (r.bottom - r.top);
  auto drawn = [&] {
    const int dark = DarkPixels(r);
    return dark > 40 && dark < area / 2;
  };
  EXPECT_TRUE(WaitUntil(drawn, 1s)) << "no lines drawn";
  RedrawWindow(small, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  Sleep(100);
  EXPECT_TRUE(drawn()) << "lines lost at a repaint";
  Screenshot("reminder-small");

  // A second "最新提示..." brings this one to the front instead of opening another.
  Command(main, "NHintSmallWindow");
  Sleep(300);
  EXPECT_EQ(CountTop(L"TfrmHintSmallWindow"), 1);
  // It closes by itself ten seconds after the roll.
  EXPECT_TRUE(WaitUntil([&] { return !Visible(small); }, 12s));
}

// A half-hour chime, 60 times faster: the centre window (the default for chimes) says the time
// with seconds 00 and closes by itself six (scaled) seconds after it has grown.
TEST(RemindWindows, ChimeInTheCentreClosesByItself) {
  Sandbox box;
  box.WriteFile(
      L"lh20cfg",
      "x\r\n[0]\r\n[1]\r\n[2]\r\n[3] TRUE\r\n[4]\r\n[5]\r\n[6]\r\n[7] TRUE FALSE FALSE\r\n");
  HWND main = box.StartAndWaitMain({L"TAVU_TIME_SCALE=60"});
  ASSERT_NE(main, nullptr);
  // At most half an hour of the program's time.
  HWND centre = WaitTop(L"TfrmRemindWindowCenter", nullptr, 40s);
  ASSERT_NE(centre, nullptr) << "no chime";
  std::wstring label2, minute, content;
  WaitUntil(
      [&] {
        label2 = Text(GetDlgItem(centre, kRemindLabel2));
        minute = Text(GetDlgItem(centre, kRemindLabel3));
        content = Text(GetDlgItem(centre, kRemindContent));
        return !label2.empty();
      },
      1s);
  // Grown into view (its region gone), it has about a tenth of a second left.
  if (WaitUntil([&] { return GetWindowRgn(centre, Region()) == ERROR; }, 1s))
    Screenshot("reminder-centre-chime", 0ms);
  EXPECT_EQ(label2, L"现在时间是：");
  EXPECT_EQ(content, L"报时！");
  ASSERT_EQ(minute.size(), 8u);
  EXPECT_EQ(minute.substr(5), L":00");
  EXPECT_TRUE(minute.substr(3, 2) == L"00" || minute.substr(3, 2) == L"30") << Utf8(minute);
  // 6.5 s of program time are about a tenth of a second.
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(centre) || !Visible(centre); }, 2s));
}

}  // namespace
}  // namespace e2e
