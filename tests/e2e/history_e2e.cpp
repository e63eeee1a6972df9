// The history database as the program keeps it across runs: the statistics window's history
// page after a restart, and a damaged file moved aside.
#include <gtest/gtest.h>

#include <sstream>

#include "harness.hpp"
#include "ui/control_ids.hpp"

namespace e2e {
namespace {

using namespace tavu::ids;

constexpr int kHistoryPage = 3;

HWND OpenHistoryPage(HWND main) {
  TrayLeftClick(main);
  HWND stat = WaitTop(kStatClass);
  if (!stat || !WaitUntil([&] { return Visible(stat); })) return nullptr;
  ShowStatPage(stat, kHistoryPage);
  if (!WaitUntil([&] { return Visible(GetDlgItem(stat, kStatExport)); })) return nullptr;
  return stat;
}

// The hours worked in the table's fourteen day columns, added up.
double TableHours(HWND stat) {
  double hours = 0;
  for (int day = 1; day <= 14; ++day) {
    std::wistringstream lines(Text(GetDlgItem(stat, kStatFirstDayColumn + day)));
    std::wstring date, worked;
    std::getline(lines, date);
    std::getline(lines, worked);
    if (!worked.empty()) hours += std::stod(worked);
  }
  return hours;
}

std::vector<std::wstring> FilesLike(const std::wstring& pattern) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE h = FindFirstFileW(pattern.c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return names;
  do names.push_back(found.cFileName);
  while (FindNextFileW(h, &found));
  FindClose(h);
  return names;
}

TEST(History, ARunIsInTheChartAfterARestart) {
  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcome);
  {
    // Twenty minutes of work in the program's time, before any break is due, in ten seconds
    // (the mouse moving), then the normal exit.
    Launch& first = box.Start({L"TAVU_TIME_SCALE=120"});
    HWND main = WaitTop(L"ZQX050505_20");
    ASSERT_NE(main, nullptr);
    TrayLeftClick(main);
    HWND stat = WaitTop(kStatClass);
    ASSERT_NE(stat, nullptr);
    // "程序运行总时间" ("<days>天 h:mm") reaches twenty minutes.
    std::wstring text;
    EXPECT_TRUE(WaitUntil(
        [&] {
          NudgeMouse();
          text = Text(GetDlgItem(stat, kStatFirstFigure + 3));
          const std::size_t at = text.find(L"天 ");
          const std::size_t colon = text.find(L':', at);
          return at != std::wstring::npos && colon != std::wstring::npos &&
                 std::stoi(text.substr(at + 2)) * 60 + std::stoi(text.substr(colon + 1)) >= 20;
        },
        30s))
        << Utf8(text);
    SendMessageTimeoutW(main, 0x8203, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    ASSERT_EQ(first.WaitExit(10s), std::optional<DWORD>(0));
  }
  const std::optional<std::string> db = box.ReadFile(L"tavu-history.db");
  ASSERT_TRUE(db.has_value());
  EXPECT_EQ(db->substr(0, 15), "SQLite format 3");

  HWND main = box.StartAndWaitMain();
  ASSERT_NE(main, nullptr);
  HWND stat = OpenHistoryPage(main);
  ASSERT_NE(stat, nullptr);
  EXPECT_TRUE(Visible(GetDlgItem(stat, kStatChart)));
  EXPECT_FALSE(Visible(GetDlgItem(stat, kStatHistoryNote)));
  EXPECT_EQ(Text(GetDlgItem(stat, kStatExport)), L"导出...");
  EXPECT_EQ(Text(GetDlgItem(stat, kStatFirstDayColumn)).substr(0, 7), L"日期\n工作小时");
  // The first run's twenty minutes (to the tenth of an hour), and not much more: this run has
  // just begun.
  const double hours = TableHours(stat);
  EXPECT_GE(hours, 0.3) << Utf8(Text(GetDlgItem(stat, kStatFirstDayColumn + 14)));
  EXPECT_LE(hours, 0.6);
  Screenshot("stat-history-days");
}

TEST(History, AGarbageFileIsMovedAsideWithANoticeAndTheProgramWorks) {
  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcome);
  box.WriteFile(L"tavu-history.db", std::string(8192, 'x'));
  HWND main = box.StartAndWaitMain();
  ASSERT_NE(main, nullptr);
  HWND notice = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    notice = FindTop(L"TfrmPopHint");
    return notice && Visible(notice) && HasChildWithText(notice, L"历史记录损坏已重建");
  }));
  Screenshot("history-damaged-notice");
  const auto aside = FilesLike(box.PathOf(L"tavu-history.db.damaged-*"));
  ASSERT_EQ(aside.size(), 1u);
  EXPECT_EQ(aside[0].size(), std::wstring(L"tavu-history.db.damaged-20261210-081500").size());
  const std::wstring name = aside[0];
  EXPECT_EQ(box.ReadFile(name.c_str()), std::string(8192, 'x'));
  const std::optional<std::string> db = box.ReadFile(L"tavu-history.db");
  ASSERT_TRUE(db.has_value());
  EXPECT_EQ(db->substr(0, 15), "SQLite format 3");

  // The program goes on, its history with it.
  HWND stat = OpenHistoryPage(main);
  ASSERT_NE(stat, nullptr);
  EXPECT_TRUE(Visible(GetDlgItem(stat, kStatChart)));
  EXPECT_LE(CountTop(L"TfrmPopHint"), 1);  // said once
}

// The save dialog is loaded only when asked for: the export opens it, saves where the user
// chose and the file is the CSV.
TEST(History, TheExportSavesThroughTheStandardDialog) {
  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcome);
  HWND main = box.StartAndWaitMain();
  ASSERT_NE(main, nullptr);
  HWND stat = OpenHistoryPage(main);
  ASSERT_NE(stat, nullptr);
  PostMessageW(GetDlgItem(stat, kStatExport), BM_CLICK, 0, 0);
  HWND dialog = WaitTop(L"#32770", L"导出历史统计");
  ASSERT_NE(dialog, nullptr);
  Screenshot("stat-history-export");
  constexpr int kFileNameBox = 0x47c;  // the Explorer-style dialog's file name field
  const std::wstring target = box.PathOf(L"days.csv");
  SetDlgItemTextW(dialog, kFileNameBox, target.c_str());
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  std::optional<std::string> csv;
  ASSERT_TRUE(WaitUntil([&] { return (csv = box.ReadFile(L"days.csv")) && csv->size() >= 3; }));
  EXPECT_EQ(csv->substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_TRUE(IsWindow(main));
}

// A history file that cannot be opened (here a folder holds its name) is left alone, and the page
// says so instead of saying that the history is switched off.
TEST(History, AFileThatCannotBeOpenedIsSaidOnThePage) {
  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcome);
  ASSERT_TRUE(CreateDirectoryW(box.PathOf(L"tavu-history.db").c_str(), nullptr));
  HWND main = box.StartAndWaitMain();
  ASSERT_NE(main, nullptr);
  HWND stat = OpenHistoryPage(main);
  ASSERT_NE(stat, nullptr);
  HWND note = GetDlgItem(stat, kStatHistoryNote);
  EXPECT_TRUE(Visible(note));
  EXPECT_EQ(Text(note), L"历史统计文件暂时无法打开（可能正被其他程序使用，或由更新的版本创建）。");
  EXPECT_FALSE(Visible(GetDlgItem(stat, kStatChart)));
  EXPECT_TRUE(FilesLike(box.PathOf(L"tavu-history.db.damaged-*")).empty());
  Screenshot("stat-history-unavailable");
}

}  // namespace
}  // namespace e2e
