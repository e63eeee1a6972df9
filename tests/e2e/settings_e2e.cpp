// The settings window: every page as the user sees it, and values changed through its controls
// reaching the configuration file.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "harness.hpp"
#include "windows/setup/setup_ids.hpp"

#include <commctrl.h>

namespace e2e {
namespace {

using namespace tavu::ids;

HWND OpenSettings(HWND main) {
  Command(main, "NSetup");
  HWND setup = WaitTop(kSetupClass);
  EXPECT_TRUE(WaitUntil([&] { return Visible(setup); }));
  return setup;
}

int PageInFront(HWND setup) {
  return static_cast<int>(SendMessageW(GetDlgItem(setup, kSetupTabs), TCM_GETCURSEL, 0, 0));
}

// Brings a page to the front as a click on its tab does: the tab control tells the window.
void GoToPage(HWND setup, int page) {
  SendMessageW(GetDlgItem(setup, kSetupTabs), TCM_SETCURFOCUS, page, 0);
  EXPECT_TRUE(WaitUntil([&] { return PageInFront(setup) == page; }, 3s)) << page;
}

// The fields of line `n` of the configuration file ("[n] a b c").
std::vector<std::string> FileLine(const Sandbox& box, int n) {
  const std::string file = box.ReadFile(L"lh20cfg").value_or("");
  std::istringstream lines(file);
  std::string line;
  std::string head = "[";
  head += std::to_string(n);
  head += "]";
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind(head, 0) != 0) continue;
    std::istringstream words(line.substr(head.size()));
    std::vector<std::string> fields;
    for (std::string w; words >> w;) fields.push_back(w);
    return fields;
  }
  return {};
}

// At 96 and at 144 dpi: the design's 645 x 447 pixels scaled to the screen's density.
void EveryPageShowsAndThePageInFrontIsKept(int dpi) {
  Sandbox box;
  box.dpi = dpi;
  box.WriteFile(L"lh20cfg", kNoWelcome);
  HWND main = box.StartAndWaitMain();
  HWND setup = OpenSettings(main);
  EXPECT_EQ(PageInFront(setup), 2);  // "屏保与电源" the first time
  RECT client = ClientRect(setup);
  EXPECT_EQ(client.right, MulDiv(645, dpi, 96));
  EXPECT_EQ(client.bottom, MulDiv(447, dpi, 96));
  struct Probe {
    int page;
    int id;  // a control that shows only on its page
  };
  const Probe probes[] = {{0, kSetupPlanList},
                          {1, kSetupModeGroup},
                          {2, kSetupSaverList},
                          {3, kSetupChimeWindow},
                          {4, kSetupInterface},
                          {5, kSetupHintZoomRate},
                          {6, kSetupHintZoomRate + kSetupCentreOffset},
                          {7, kSetupHotKeyAction},
                          {8, kSetupDeferPresenting}};
  GoToPage(setup, 0);
  for (const Probe& p : probes) {
    GoToPage(setup, p.page);
    EXPECT_TRUE(WaitUntil([&] { return Visible(GetDlgItem(setup, p.id)); }, 3s)) << p.page;
    for (const Probe& other : probes) {
      if (other.page == p.page) continue;
      EXPECT_FALSE(Visible(GetDlgItem(setup, other.id))) << p.page;
    }
    std::string name = "settings-page-";
    name += std::to_string(p.page);
    if (dpi != 96) {
      name += "-";
      name += std::to_string(dpi);
      name += "dpi";
    }
    Screenshot(name);
  }
  // Hidden on page 5, shown again on page 5.
  GoToPage(setup, 5);
  PostMessageW(setup, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !Visible(setup); }));
  setup = OpenSettings(main);
  EXPECT_EQ(PageInFront(setup), 5);
}

TEST(SettingsWindow, EveryPageShowsAndThePageInFrontIsKept) {
  EveryPageShowsAndThePageInFrontIsKept(96);
}

TEST(SettingsWindow, EveryPageShowsAt144Dpi) { EveryPageShowsAndThePageInFrontIsKept(144); }

TEST(SettingsWindow, ValuesChangedThroughControlsReachTheFileOnEsc) {
  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcome);
  HWND main = box.StartAndWaitMain();
  HWND setup = OpenSettings(main);
  ASSERT_EQ(PageInFront(setup), 2);

  // A number field typed into, and a list.
  HWND minutes = GetDlgItem(setup, kSetupSCR);
  SendMessageW(minutes, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"7"));
  HWND sleep = GetDlgItem(setup, kSetupStandByOrSleep);
  SendMessageW(sleep, CB_SETCURSEL, 1, 0);
  SendMessageW(setup, WM_COMMAND, MAKEWPARAM(kSetupStandByOrSleep, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(sleep));
  // A check box on another page.
  GoToPage(setup, 7);
  HWND laptop = GetDlgItem(setup, kSetupIsLaptop);
  ASSERT_TRUE(WaitUntil([&] { return Visible(laptop); }, 3s));
  SendMessageW(laptop, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(laptop, BM_GETCHECK, 0, 0), BST_CHECKED);
  // One of the program's own settings, kept in its own file.
  GoToPage(setup, 8);
  HWND calls = GetDlgItem(setup, kSetupDeferCalls);
  ASSERT_TRUE(WaitUntil([&] { return Visible(calls); }, 3s));
  SendMessageW(calls, BM_CLICK, 0, 0);

  PostMessageW(setup, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !Visible(setup); }));
  const std::vector<std::string> power = FileLine(box, 2);
  ASSERT_EQ(power.size(), 9u);
  EXPECT_EQ(power[0], "7");
  EXPECT_EQ(power[7], "1");
  const std::vector<std::string> general = FileLine(box, 7);
  ASSERT_EQ(general.size(), 3u);
  EXPECT_EQ(general[1], "TRUE");
  EXPECT_NE(box.ReadFile(L"tavu.ini").value_or("").find("\r\nDeferInCalls=1\r\n"),
            std::string::npos);
}

// The font dialog is loaded only when asked for: "设置字体" opens it over the settings window with
// the horizontal faces only, and the face chosen there reaches the program's own file.
TEST(SettingsWindow, TheSloganFontIsChosenInTheFontDialog) {
  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcome);
  HWND main = box.StartAndWaitMain();
  HWND setup = OpenSettings(main);
  GoToPage(setup, 4);
  HWND button = GetDlgItem(setup, kSetupBreakFont);
  ASSERT_TRUE(WaitUntil([&] { return Visible(button); }, 3s));
  PostMessageW(button, BM_CLICK, 0, 0);
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    dialog = FindTop(L"#32770");
    return dialog && Visible(dialog);
  }));
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), setup);
  constexpr int kFaceList = 0x470;  // the dialog's face combo box
  HWND faces = GetDlgItem(dialog, kFaceList);
  const int count = static_cast<int>(SendMessageW(faces, CB_GETCOUNT, 0, 0));
  EXPECT_GT(count, 0);
  for (int i = 0; i < count; ++i) {
    wchar_t face[LF_FACESIZE + 1] = L"";
    if (SendMessageW(faces, CB_GETLBTEXTLEN, i, 0) > LF_FACESIZE) continue;
    SendMessageW(faces, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(face));
    EXPECT_NE(face[0], L'@') << Utf8(face);  // a face for vertical writing
  }
  ASSERT_NE(SendMessageW(faces, CB_SELECTSTRING, -1, reinterpret_cast<LPARAM>(L"DejaVu Sans")),
            CB_ERR);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kFaceList, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(faces));
  Screenshot("settings-font-dialog");
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  ASSERT_TRUE(Visible(setup));
  PostMessageW(setup, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !Visible(setup); }));
  EXPECT_NE(box.ReadFile(L"tavu.ini").value_or("").find("\r\nSloganFontName=DejaVu Sans\r\n"),
            std::string::npos);
}

// Windows says the window moved to a 144-dpi monitor: it takes the suggested frame, and the tabs
// (the view's own) and the pages' controls grow with it.
TEST(SettingsWindow, AMoveToADenserMonitorLaysThePagesOutAgain) {
  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcome);
  HWND main = box.StartAndWaitMain();
  HWND setup = OpenSettings(main);
  HWND tabs = GetDlgItem(setup, kSetupTabs), list = GetDlgItem(setup, kSetupSaverList);
  const RECT tabs_before = RectInParent(tabs), list_before = RectInParent(list);
  const RECT frame = WindowRect(setup);
  const RECT suggested{10, 10, 10 + (frame.right - frame.left) * 3 / 2,
                       10 + (frame.bottom - frame.top) * 3 / 2};
  ASSERT_TRUE(SendDpiChanged(setup, 144, suggested));
  const RECT now = WindowRect(setup);
  EXPECT_TRUE(EqualRect(&now, &suggested));
  const RECT tabs_after = RectInParent(tabs), list_after = RectInParent(list);
  EXPECT_NEAR(tabs_after.right, tabs_before.right * 3 / 2, 1);
  EXPECT_NEAR(tabs_after.bottom, tabs_before.bottom * 3 / 2, 1);
  EXPECT_NEAR(list_after.left, list_before.left * 3 / 2, 1);
  EXPECT_NEAR(list_after.right, list_before.right * 3 / 2, 1);
  Screenshot("settings-moved-to-144dpi");
}

TEST(SettingsWindow, TheHotKeyTipChangesBetweenShowings) {
  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcome);
  HWND main = box.StartAndWaitMain();
  std::set<std::wstring> seen;
  for (int i = 0; i < 10 && seen.size() < 2; ++i) {
    HWND setup = OpenSettings(main);
    seen.insert(Text(GetDlgItem(setup, kSetupHotKeyText)));
    PostMessageW(setup, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !Visible(setup); }));
  }
  EXPECT_GE(seen.size(), 2u);  // ten showings alike by chance: one in 10^8
}

}  // namespace
}  // namespace e2e
