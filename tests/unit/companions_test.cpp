#include <gtest/gtest.h>

#include "fakes.hpp"
#include "machine/companions.hpp"

namespace tavu {
namespace {

constexpr const char* kShared = "C:\\Users\\u\\AppData\\Roaming\\LanHe\\";

struct CompanionRig {
  fake::VirtualLoop loop;
  fake::FakeFiles files;
  fake::FakeRegistry registry;
  fake::FakeShellLinks links;
  fake::FakeCodePage code_page;
  fake::FakeDialogs dialogs;
  fake::FakeShell shell;
  fake::FakeTopWindows windows;
  Integration integration{Integration::Deps{files, registry, links, code_page, dialogs}};
  WebPages pages{shell};
  Companions companions{Companions::Deps{windows, dialogs, shell, loop, files, integration, pages}};
  std::vector<std::string> Targets() const {
    std::vector<std::string> out;
    for (const auto& call : shell.calls) out.push_back(call.target + " " + call.params);
    return out;
  }
};

TEST(CompanionExe, BesideTheProgramThenPathFileThenRegistry) {
  const struct {
    const char* name;
    CompanionKind kind;
    std::vector<std::string> existing;
    std::optional<std::string> path_file, registry;
    std::optional<std::string> found;
  } cases[] = {
      {"beside first",
       CompanionKind::Kalo,
       {"C:\\Tavu\\kalo.exe", "D:\\k.exe", "E:\\k.exe"},
       "D:\\k.exe",
       "E:\\k.exe",
       "C:\\Tavu\\kalo.exe"},
      {"names in table order",
       CompanionKind::Kalo,
       {"C:\\Tavu\\岚禾卡洛宝.exe", "C:\\Tavu\\岚禾卡洛.exe"},
       {},
       {},
       "C:\\Tavu\\岚禾卡洛.exe"},
      {"path file next",
       CompanionKind::Kalo,
       {"D:\\k.exe", "E:\\k.exe"},
       "D:\\k.exe",
       "E:\\k.exe",
       "D:\\k.exe"},
      {"missing file in the path file is passed over",
       CompanionKind::Kalo,
       {"E:\\k.exe"},
       "D:\\gone.exe",
       "E:\\k.exe",
       "E:\\k.exe"},
      {"registry names a missing file", CompanionKind::Kalo, {}, {}, "E:\\gone.exe", {}},
      {"nothing", CompanionKind::KoPlayer, {}, {}, {}, {}},
      {"player beside",
       CompanionKind::KoPlayer,
       {"C:\\Tavu\\岚禾酷玛.exe"},
       {},
       {},
       "C:\\Tavu\\岚禾酷玛.exe"},
      {"player path file", CompanionKind::KoPlayer, {"F:\\p.exe"}, "F:\\p.exe", {}, "F:\\p.exe"},
      {"player registry", CompanionKind::KoPlayer, {"G:\\p.exe"}, {}, "G:\\p.exe", "G:\\p.exe"},
      {"this program", CompanionKind::Self, {"C:\\Tavu\\tavu.exe"}, {}, {}, "C:\\Tavu\\tavu.exe"},
      {"an unknown kind", static_cast<CompanionKind>(4), {"C:\\Tavu\\kalo.exe"}, {}, {}, {}},
  };
  for (const auto& c : cases) {
    CompanionRig rig;
    for (const auto& path : c.existing) rig.files.files[path] = "";
    const char* file = c.kind == CompanionKind::KoPlayer ? "dir3" : "dir2";
    const char* key = c.kind == CompanionKind::KoPlayer ? "KoPlayer" : "KALO";
    if (c.path_file) rig.files.files[std::string(kShared) + file] = *c.path_file + "\r\n23\r\n";
    if (c.registry)
      rig.registry.values["HKLM\\SOFTWARE\\LanHe\\" + std::string(key) + "\\dir"] = *c.registry;
    EXPECT_EQ(FindCompanionExe(c.kind, rig.files, rig.integration), c.found) << c.name;
  }
}

TEST(CompanionCommands, EachCommandHasItsMessage) {
  const std::optional<uint32_t> player[] = {0x1710, 0x8184, 0x8185, 0x8186, 0x8187,
                                            0x8188, 0x8189, 0x8190, 0x8191, 0x8192,
                                            0x8193, 0x8194, 0x8195, 0x8196, 0x8197};
  for (int command = 0; command < 15; ++command)
    EXPECT_EQ(KoPlayerMessage(command), player[command]) << command;
  for (int command : {-1, 15, 100}) EXPECT_EQ(KoPlayerMessage(command), std::nullopt) << command;
  for (uint32_t unused = 0x818A; unused <= 0x818F; ++unused)
    for (int command = 0; command < 15; ++command) EXPECT_NE(KoPlayerMessage(command), unused);
  EXPECT_EQ(KaloMessage(0), 0x1620u);
  for (int command : {-1, 1, 7, 14}) EXPECT_EQ(KaloMessage(command), std::nullopt) << command;
}

TEST(CompanionWindows, CurrentBeforeOldFirstFoundWins) {
  const struct {
    std::set<std::string> running;
    CompanionState state;
    std::string cls;
  } kalo[] = {
      {{}, CompanionState::Absent, ""},
      {{"ZQX050505_230_KALO"}, CompanionState::Current, "ZQX050505_230_KALO"},
      {{"ZQX050505_230_KALO", "ZQX050505_245_KALO"}, CompanionState::Current, "ZQX050505_245_KALO"},
      {{"ZQX050505_250_KALO", "ZQX050505_245_KALO"}, CompanionState::Current, "ZQX050505_250_KALO"},
      {{"ZQX050505_2_KALO", "ZQX050505_235_KALO"}, CompanionState::Current, "ZQX050505_235_KALO"},
      {{"ZQX050505_2_KALO"}, CompanionState::Old, "ZQX050505_2_KALO"},
      {{"ZQX050505_2_KALO", "ZQX050505_220_KALO"}, CompanionState::Old, "ZQX050505_220_KALO"},
      {{"ZQX050505_225_KALO", "ZQX050505_220_KALO"}, CompanionState::Old, "ZQX050505_225_KALO"},
      {{"ZQX050505_3_KoPlayer"}, CompanionState::Absent, ""},
  };
  for (const auto& c : kalo) {
    fake::FakeTopWindows windows;
    windows.classes = c.running;
    const CompanionWindow found = FindKaloWindow(windows);
    EXPECT_EQ(found.state, c.state) << c.cls;
    EXPECT_EQ(found.window_class, c.cls);
  }
  const struct {
    std::set<std::string> running;
    CompanionState state;
    std::string cls;
  } player[] = {
      {{"ZQX050505_315_KoPlayer", "ZQX050505_350_KoPlayer"},
       CompanionState::Current,
       "ZQX050505_350_KoPlayer"},
      {{"ZQX050505_315_KoPlayer", "ZQX050505_320_KoPlayer"},
       CompanionState::Current,
       "ZQX050505_320_KoPlayer"},
      {{"ZQX050505_3_KoPlayer", "ZQX050505_315_KoPlayer"},
       CompanionState::Current,
       "ZQX050505_315_KoPlayer"},
      {{"ZQX050505_3_KoPlayer"}, CompanionState::Old, "ZQX050505_3_KoPlayer"},
      {{"ZQX050505_230_KALO"}, CompanionState::Absent, ""},
  };
  for (const auto& c : player) {
    fake::FakeTopWindows windows;
    windows.classes = c.running;
    const CompanionWindow found = FindKoPlayerWindow(windows);
    EXPECT_EQ(found.state, c.state) << c.cls;
    EXPECT_EQ(found.window_class, c.cls);
  }
}

TEST(CompanionRun, ARunningCurrentToolGetsItsMessageAndNothingStarts) {
  CompanionRig rig;
  rig.windows.classes = {"ZQX050505_230_KALO", "ZQX050505_330_KoPlayer"};
  rig.companions.RunKaloCommand(0);
  rig.companions.RunKaloCommand(3);  // KALO has no such command
  rig.companions.RunKoPlayerCommand(7);
  rig.companions.RunKoPlayerCommand(6);
  using Post = std::tuple<std::string, uint32_t, uintptr_t, intptr_t>;
  EXPECT_EQ(rig.windows.posted, (std::vector<Post>{{"ZQX050505_230_KALO", 0x1620, 0, 0},
                                                   {"ZQX050505_330_KoPlayer", 0x8190, 0, 0},
                                                   {"ZQX050505_330_KoPlayer", 0x8189, 0, 0}}));
  EXPECT_TRUE(rig.shell.calls.empty());
  EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST(CompanionRun, AnOldToolIsAskedToBeUpgraded) {
  CompanionRig rig;
  rig.windows.classes = {"ZQX050505_2_KALO"};
  rig.dialogs.answers = {true};
  rig.companions.RunKaloCommand(0);
  ASSERT_EQ(rig.dialogs.shown.size(), 1u);
  EXPECT_EQ(rig.dialogs.shown[0].kind, "confirm");
  EXPECT_EQ(rig.dialogs.shown[0].caption, "提示：旧版本需要升级！");
  EXPECT_EQ(rig.dialogs.shown[0].text,
            "您正使用的是岚禾卡洛的旧版本,请升级最新版本,如果您已经下载，需要安装或首次运行它。"
            "如果还没有下载，请点击确定进入下载页面。");
  EXPECT_EQ(rig.Targets(), std::vector<std::string>{"http://www.lanhesoft.cn/download/ "});
  EXPECT_TRUE(rig.windows.posted.empty());
}

TEST(CompanionRun, CancellingTheUpgradeGoesOnAsAbsent) {
  CompanionRig rig;
  rig.windows.classes = {"ZQX050505_3_KoPlayer"};
  rig.dialogs.answers = {false, true};
  rig.companions.RunKoPlayerCommand(14);
  ASSERT_EQ(rig.dialogs.shown.size(), 2u);
  EXPECT_EQ(rig.dialogs.shown[0].text,
            "您正使用的是岚禾酷玛的旧版本,请升级最新版本,如果您已经下载，需要安装或首次运行它。"
            "如果还没有下载，请点击确定进入下载页面。");
  EXPECT_EQ(rig.dialogs.shown[1].kind, "ask");
  EXPECT_EQ(rig.dialogs.shown[1].caption, "提示：未安装或启动时发生意外！");
  EXPECT_EQ(rig.dialogs.shown[1].text, "您可能还没有安装岚禾酷玛,现在就下载试用吧？");
  EXPECT_EQ(rig.Targets(), std::vector<std::string>{"http://www.lanhesoft.cn/download/ "});
}

TEST(CompanionRun, AMissingToolOffersTheDownloadPage) {
  CompanionRig rig;
  rig.companions.RunKaloCommand(0);  // answered No
  ASSERT_EQ(rig.dialogs.shown.size(), 1u);
  EXPECT_EQ(rig.dialogs.shown[0].text, "您可能还没有安装岚禾卡洛,现在就下载试用吧？");
  EXPECT_TRUE(rig.shell.calls.empty());
}

TEST(CompanionRun, AnInstalledToolIsStartedAndGetsTheCommandOnceItsWindowIsUp) {
  CompanionRig rig;
  rig.files.files["C:\\Tavu\\koplayer.exe"] = "";
  rig.companions.RunKoPlayerCommand(10);
  EXPECT_EQ(rig.Targets(), std::vector<std::string>{"C:\\Tavu\\koplayer.exe /A"});
  EXPECT_TRUE(rig.companions.Starting(CompanionKind::KoPlayer));
  rig.companions.RunKoPlayerCommand(7);  // while it starts: the newest command waits, no 2nd start
  EXPECT_EQ(rig.shell.calls.size(), 1u);
  rig.loop.Advance(Companions::kStartWaitMs - 1);
  rig.windows.classes = {"ZQX050505_350_KoPlayer"};
  EXPECT_TRUE(rig.windows.posted.empty());
  rig.loop.Advance(1);
  ASSERT_EQ(rig.windows.posted.size(), 1u);
  EXPECT_EQ(std::get<1>(rig.windows.posted[0]), 0x8190u);
  EXPECT_FALSE(rig.companions.Starting(CompanionKind::KoPlayer));
  EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST(CompanionRun, AToolThatDoesNotComeUpIsGivenUpQuietlyAfterOneLook) {
  CompanionRig rig;
  rig.files.files["C:\\Tavu\\kalo.exe"] = "";
  rig.companions.RunKaloCommand(0);
  EXPECT_EQ(rig.Targets(), std::vector<std::string>{"C:\\Tavu\\kalo.exe "});
  rig.loop.Advance(60'000);
  EXPECT_EQ(rig.shell.calls.size(), 1u) << "started once";
  EXPECT_TRUE(rig.dialogs.shown.empty());
  EXPECT_FALSE(rig.companions.Starting(CompanionKind::Kalo));
  rig.companions.RunKaloCommand(0);  // a later command tries again
  EXPECT_EQ(rig.shell.calls.size(), 2u);
}

TEST(CompanionRun, AStartedToolThatTurnsOutOldIsAskedOnceMore) {
  CompanionRig rig;
  rig.files.files["C:\\Tavu\\kalo.exe"] = "";
  rig.companions.RunKaloCommand(0);
  rig.windows.classes = {"ZQX050505_220_KALO"};
  rig.loop.Advance(Companions::kStartWaitMs);  // Cancel: given up, not started again
  ASSERT_EQ(rig.dialogs.shown.size(), 1u);
  EXPECT_EQ(rig.dialogs.shown[0].kind, "confirm");
  EXPECT_EQ(rig.shell.calls.size(), 1u);
}

TEST(WebPages, EveryPageOpensInTheDefaultBrowserWithItsShowMode) {
  const struct {
    const char* name;
    std::function<void(WebPages&)> open;
    ShowState show;
  } cases[] = {
      {"home", [](WebPages& p) { p.OpenHomePage(); }, ShowState::Maximized},
      {"help 1", [](WebPages& p) { p.OpenHelpPage(1); }, ShowState::Normal},
      {"help other", [](WebPages& p) { p.OpenHelpPage(5); }, ShowState::Normal},
      {"vote 1", [](WebPages& p) { p.OpenVotePage(1); }, ShowState::Minimized},
      {"vote other", [](WebPages& p) { p.OpenVotePage(9); }, ShowState::Minimized},
      {"suggestion", [](WebPages& p) { p.OpenSuggestionPage(); }, ShowState::Minimized},
      {"download", [](WebPages& p) { p.OpenDownloadPage(); }, ShowState::Normal},
  };
  for (const auto& c : cases) {
    fake::FakeShell shell;
    WebPages pages(shell);
    c.open(pages);
    ASSERT_EQ(shell.calls.size(), 1u) << c.name;
    EXPECT_EQ(shell.calls[0].target.rfind("http://www.lanhesoft.cn/", 0), 0u) << c.name;
    EXPECT_EQ(shell.calls[0].params, "") << c.name;
    EXPECT_EQ(shell.calls[0].show, c.show) << c.name;
  }
}

TEST(MailAddress, IsCopiedAndSaidOrSaidInFull) {
  fake::FakeClipboard clipboard;
  fake::FakeDialogs dialogs;
  CopyMailAddress(clipboard, dialogs);
  EXPECT_EQ(clipboard.text, kMailAddress);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "邮件地址已成功复制到剪贴板！您现在可以写信给作者了！");

  clipboard.busy = true;
  clipboard.text.clear();
  CopyMailAddress(clipboard, dialogs);
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_NE(dialogs.shown[1].text.find(kMailAddress), std::string::npos);
  EXPECT_EQ(dialogs.shown[1].text.find("成功"), std::string::npos);
}

}  // namespace
}  // namespace tavu
