// The statistics window as the tray icon opens it: its pages and the history of the log.
#include <gtest/gtest.h>

#include "harness.hpp"
#include "ui/control_ids.hpp"

namespace e2e {
namespace {

using namespace tavu::ids;

TEST(StatWindow, TrayClickOpensAndClosesItAndEachPageShows) {
  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcome);
  HWND main = box.StartAndWaitMain();
  ASSERT_NE(main, nullptr);
  TrayLeftClick(main);
  HWND stat = WaitTop(kStatClass);
  ASSERT_NE(stat, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return Visible(stat); }));
  EXPECT_EQ(Text(stat).rfind(L"休息统计(供参考)-[当前方案:每隔", 0), 0u) << Utf8(Text(stat));
  // 50 pixels inside the work area's right and bottom edges (a pixel either way for the dpi).
  const RECT work = WorkArea(), r = WindowRect(stat);
  EXPECT_NEAR(work.right - r.right, 50, 2);
  EXPECT_NEAR(work.bottom - r.bottom, 50, 2);
  EXPECT_EQ(Text(GetDlgItem(stat, kStatRefresh)), L"刷新");
  EXPECT_EQ(Text(GetDlgItem(stat, kStatFirstFigure + 6)), L"0");  // no break yet

  const struct {
    int id;
    const char* shot;
  } pages[] = {{kStatHealthScore, "stat-health"},
               {kStatMemo, "stat-history"},
               {kStatFirstApp, "stat-more-apps"}};
  for (int page = 0; page < 3; ++page) {
    SCOPED_TRACE(page);
    ShowStatPage(stat, page);
    // The page shows and the others are hidden (all in one refresh, which may be under way).
    auto only = [&] {
      for (int other = 0; other < 3; ++other) {
        HWND c = GetDlgItem(stat, pages[other].id);
        if (!c || Visible(c) != (other == page)) return false;
      }
      return true;
    };
    EXPECT_TRUE(WaitUntil(only, 3s));
    Screenshot(pages[page].shot);
  }
  EXPECT_EQ(Text(GetDlgItem(stat, kStatFirstApp)), L"打开播放器");
  EXPECT_EQ(Text(GetDlgItem(stat, kStatFirstApp + 12)), L"快捷键列表");

  // A second click closes it; the next opens a fresh one.
  TrayLeftClick(main);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(stat) || !Visible(stat); }));
  EXPECT_TRUE(WaitUntil([&] { return FindTop(kStatClass) == nullptr; }, 3s));
  TrayLeftClick(main);
  HWND again = WaitTop(kStatClass);
  ASSERT_NE(again, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return Visible(again); }));
  // Esc on one of its controls closes it.
  PostMessageW(GetDlgItem(again, kStatRefresh), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitUntil([&] { return FindTop(kStatClass) == nullptr; }, 3s));
}

// Sixty times faster with nobody at the keyboard: the first minutes count as idle time, and the
// history page shows the log's lines from the program's start on, refreshed by its timer.
TEST(StatWindow, HistoryHoldsTheLogsLines) {
  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcome);
  HWND main = box.StartAndWaitMain({L"TAVU_TIME_SCALE=60"});
  ASSERT_NE(main, nullptr);
  TrayLeftClick(main);
  HWND stat = WaitTop(kStatClass);
  ASSERT_NE(stat, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return Visible(stat); }));
  ShowStatPage(stat, 1);
  HWND memo = GetDlgItem(stat, kStatMemo);
  ASSERT_TRUE(WaitUntil([&] { return Visible(memo); }, 3s));
  std::wstring history;
  const bool idle = WaitUntil(
      [&] {
        history = Text(memo);
        return history.find(L"开始空闲时间") != std::wstring::npos;
      },
      30s);
  EXPECT_TRUE(idle) << Utf8(history);
  EXPECT_EQ(history.rfind(L"程序开始运行", 0), 0u) << Utf8(history);
  EXPECT_NE(history.find(L"\r\n"), std::wstring::npos);
  Screenshot("stat-history-idle");
}

}  // namespace
}  // namespace e2e
