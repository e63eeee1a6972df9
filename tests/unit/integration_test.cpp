#include <gtest/gtest.h>

#include "fakes.hpp"
#include "machine/integration.hpp"

namespace tavu {
namespace {

constexpr const char* kAppData = "C:\\Users\\u\\AppData\\Roaming";
constexpr const char* kShared = "C:\\Users\\u\\AppData\\Roaming\\LanHe";
constexpr const char* kDir1 = "C:\\Users\\u\\AppData\\Roaming\\LanHe\\dir1";
constexpr const char* kExe = "C:\\Tavu\\tavu.exe";
constexpr const char* kQuotedExe = "\"C:\\Tavu\\tavu.exe\"";
constexpr const char* kLinkFolder = "C:\\Users\\u\\Start Menu\\Programs\\岚禾软件创新产品";
constexpr const char* kLink =
    "C:\\Users\\u\\Start Menu\\Programs\\岚禾软件创新产品\\岚禾休息软件.lnk";

std::string Machine(std::string_view name = "LanHe") {
  return "HKLM\\" + std::string(kRunKey) + "\\" + std::string(name);
}
std::string User(std::string_view name = "LanHe") {
  return "HKCU\\" + std::string(kRunKey) + "\\" + std::string(name);
}

struct IntegrationRig {
  fake::FakeFiles files;
  fake::FakeRegistry registry;
  fake::FakeShellLinks links;
  fake::FakeCodePage code_page;
  fake::FakeDialogs dialogs;
  Integration integration{Integration::Deps{files, registry, links, code_page, dialogs}};
};

TEST(ShellLink, OnlyALnkPathIsWrittenAndAnyOtherIsSaid) {
  const struct {
    const char* path;
    bool saved;
  } cases[] = {
      {"C:\\d\\a.lnk", true},      {"C:\\d\\a.LNK", true},  {"C:\\d\\a.Lnk", true},
      {"C:\\d\\a.lnk.txt", false}, {"C:\\d.lnk\\a", false}, {"C:\\d\\a", false},
      {"C:\\d\\a.lnkx", false},    {"C:\\d\\.lnk", true},
  };
  for (const auto& c : cases) {
    IntegrationRig rig;
    EXPECT_EQ(rig.integration.CreateShellLink(kExe, "/x", c.path, "d"), c.saved) << c.path;
    EXPECT_EQ(rig.links.links.count(c.path), c.saved ? 1u : 0u) << c.path;
    if (c.saved) {
      EXPECT_TRUE(rig.dialogs.shown.empty()) << c.path;
    } else {
      ASSERT_EQ(rig.dialogs.shown.size(), 1u) << c.path;
      EXPECT_EQ(rig.dialogs.shown[0].text, "快捷方式的扩展名必须是 ′LNK′!");
    }
  }
}

TEST(ShellLink, WorksInTheTargetsFolder) {
  IntegrationRig rig;
  rig.integration.CreateShellLink("D:\\长 路径\\tavu.exe", "/A", "C:\\l\\x.lnk", "岚禾护眼钟");
  EXPECT_EQ(rig.links.links.at("C:\\l\\x.lnk"),
            (ShellLink{"D:\\长 路径\\tavu.exe", "/A", "D:\\长 路径\\", "岚禾护眼钟"}));
}

TEST(SelfShortcut, CreatesItsFolderOrQuietlyGivesUp) {
  IntegrationRig rig;
  EXPECT_TRUE(rig.integration.CreateSelfShortcut(kLinkFolder, "岚禾休息软件", "岚禾护眼钟"));
  EXPECT_TRUE(rig.files.folders.count(kLinkFolder));
  EXPECT_EQ(rig.links.links.at(kLink).target, kExe);

  IntegrationRig refused;
  refused.files.fail_folders = true;
  EXPECT_FALSE(refused.integration.CreateSelfShortcut(kLinkFolder, "岚禾休息软件", "岚禾护眼钟"));
  EXPECT_TRUE(refused.links.links.empty());
  EXPECT_TRUE(refused.dialogs.shown.empty());
}

TEST(SharedPathFile, IsWrittenWhenNewOrMovedAndNeverWhenUnchanged) {
  const struct {
    const char* name;
    bool folder;
    std::optional<std::string> file;
    bool folder_refused;
    std::string line1;
    bool written;
  } cases[] = {
      {"absent folder", false, std::nullopt, false, kExe, true},
      {"folder refused", false, std::nullopt, true, kExe, false},
      {"absent file", true, std::nullopt, false, kExe, true},
      {"same first line", true, std::string(kExe) + "\r\n23\r\n", false, kExe, false},
      {"same first line, other marker", true, std::string(kExe) + "\r\n7\r\n", false, kExe, false},
      {"same first line, LF only", true, std::string(kExe) + "\n", false, kExe, false},
      {"different first line", true, "D:\\Old\\tavu.exe\r\n23\r\n", false, kExe, true},
      {"letter case differs", true, "c:\\tavu\\TAVU.EXE\r\n23\r\n", false, kExe, true},
      {"empty file", true, "", false, kExe, true},
      {"path the code page cannot hold", true, std::nullopt, false, "C:\\☺\\tavu.exe", false},
  };
  for (const auto& c : cases) {
    IntegrationRig rig;
    if (c.folder) rig.files.folders.insert(kShared);
    if (c.file) rig.files.files[kDir1] = *c.file;
    rig.files.fail_folders = c.folder_refused;
    EXPECT_EQ(rig.integration.WriteSharedPathFile("dir1", c.line1, "23"), c.written) << c.name;
    if (c.written) {
      EXPECT_EQ(rig.files.files.at(kDir1), c.line1 + "\r\n23\r\n") << c.name;
    } else {
      EXPECT_EQ(rig.files.writes, 0) << c.name;
    }
  }
}

TEST(SharedPathFile, ReadsLineOneOrNothing) {
  IntegrationRig rig;
  EXPECT_EQ(rig.integration.ReadSharedPathFile("dir2"), "");
  rig.files.files[std::string(kShared) + "\\dir2"] = "D:\\Kalo\\kalo.exe\r\n23\r\n";
  EXPECT_EQ(rig.integration.ReadSharedPathFile("dir2"), "D:\\Kalo\\kalo.exe");
  rig.files.locked.insert(std::string(kShared) + "\\dir3");
  EXPECT_EQ(rig.integration.ReadSharedPathFile("dir3"), "");
  rig.links.folders.erase(ShellFolder::AppData);
  EXPECT_EQ(rig.integration.ReadSharedPathFile("dir2"), "");
  EXPECT_FALSE(rig.integration.WriteSharedPathFile("dir1", kExe, "23"));
  (void)kAppData;
}

TEST(ProductDir, ReadsTheMakersMachineWideKey) {
  IntegrationRig rig;
  EXPECT_EQ(rig.integration.ReadProductDir("KALO"), "");
  rig.registry.values["HKLM\\SOFTWARE\\LanHe\\KALO\\dir"] = "E:\\kalo.exe";
  EXPECT_EQ(rig.integration.ReadProductDir("KALO"), "E:\\kalo.exe");
  EXPECT_EQ(rig.integration.ReadProductDir("KoPlayer"), "");
}

TEST(Autostart, WritesTheMachineEntryWhenAllowedOtherwiseTheUsers) {
  const struct {
    const char* name;
    std::optional<std::string> machine, user;
    bool machine_refused;
    std::optional<std::string> machine_after, user_after;
    int writes;
  } cases[] = {
      {"absent", {}, {}, false, kQuotedExe, {}, 1},
      {"same data", kQuotedExe, {}, false, kQuotedExe, {}, 0},
      {"other data", "\"D:\\old.exe\"", {}, false, kQuotedExe, {}, 1},
      {"a user entry gives way", {}, "\"D:\\old.exe\"", false, kQuotedExe, {}, 1},
      {"machine refused", {}, {}, true, {}, kQuotedExe, 1},
      {"machine refused, same user data", {}, kQuotedExe, true, {}, kQuotedExe, 0},
      {"machine refused, other user data", {}, "x", true, {}, kQuotedExe, 1},
      {"machine refused, stale machine entry", "x", {}, true, "x", kQuotedExe, 1},
      {"machine entry already right", kQuotedExe, {}, true, kQuotedExe, {}, 0},
  };
  for (const auto& c : cases) {
    IntegrationRig rig;
    if (c.machine) rig.registry.values[Machine()] = *c.machine;
    if (c.user) rig.registry.values[User()] = *c.user;
    if (c.machine_refused) rig.registry.read_only.insert(RegistryRoot::LocalMachine);
    EXPECT_TRUE(rig.integration.AddAutostart("LanHe", kQuotedExe)) << c.name;
    EXPECT_EQ(rig.registry.Read(RegistryRoot::LocalMachine, kRunKey, "LanHe"), c.machine_after)
        << c.name;
    EXPECT_EQ(rig.registry.Read(RegistryRoot::CurrentUser, kRunKey, "LanHe"), c.user_after)
        << c.name;
    EXPECT_EQ(rig.registry.writes, c.writes) << c.name;
    EXPECT_TRUE(rig.integration.HasAutostart("LanHe")) << c.name;
  }
}

TEST(Autostart, RemovingTakesBothEntriesOrSaysWhichIsLeft) {
  IntegrationRig rig;
  rig.registry.values[Machine()] = kQuotedExe;
  rig.registry.values[User()] = kQuotedExe;
  rig.registry.values[Machine("Other")] = "other.exe";
  EXPECT_TRUE(rig.integration.RemoveAutostart("LanHe"));
  EXPECT_FALSE(rig.integration.HasAutostart("LanHe"));
  EXPECT_TRUE(rig.registry.values.count(Machine("Other")));
  EXPECT_TRUE(rig.integration.RemoveAutostart("LanHe"));  // nothing left to remove

  rig.registry.values[Machine()] = kQuotedExe;
  rig.registry.read_only.insert(RegistryRoot::LocalMachine);
  EXPECT_FALSE(rig.integration.RemoveAutostart("LanHe"));
  EXPECT_TRUE(rig.integration.HasAutostart("LanHe"));
}

TEST(Autostart, CommandQuotesThePath) {
  EXPECT_EQ(AutostartCommand("C:\\Program Files\\Tavu\\tavu.exe"),
            "\"C:\\Program Files\\Tavu\\tavu.exe\"");
}

// The installation check inside the whole program.
class InstallationCheckTest : public ::testing::Test {
 protected:
  void StartAndWait() {
    rig.app.Start();
    rig.loop.Advance(InstallationCheck::kDelayMs);
  }
  std::vector<std::string> Boxes() const {
    std::vector<std::string> out;
    for (const auto& box : rig.dialogs.shown) out.push_back(box.kind + " " + box.caption);
    return out;
  }
  fake::Rig rig;
};

TEST_F(InstallationCheckTest, AFirstRunIsWelcomedAndSettlesIn) {
  rig.app.Start();
  rig.loop.Advance(InstallationCheck::kDelayMs - 1);
  EXPECT_FALSE(rig.files.files.count(kDir1)) << "before 3 s";
  rig.loop.Advance(1);
  EXPECT_EQ(rig.files.files.at(kDir1), std::string(kExe) + "\r\n23\r\n");
  ASSERT_EQ(rig.dialogs.shown.size(), 1u);
  EXPECT_EQ(rig.dialogs.shown[0].kind, "acknowledge");
  EXPECT_EQ(rig.dialogs.shown[0].caption, "欢迎使用岚禾休息软件！");
  EXPECT_EQ(rig.dialogs.shown[0].text,
            "当您初次运行或安装有改变时会出现此欢迎界面，软件需要做一些配置，点击确定继续...");
  EXPECT_EQ(rig.links.links.at(kLink), (ShellLink{kExe, "", "C:\\Tavu\\", "岚禾护眼钟"}));
  EXPECT_EQ(rig.registry.values.at(Machine()), kQuotedExe);
  EXPECT_TRUE(rig.app.AutostartOn());
  rig.loop.Advance(60'000);
  EXPECT_EQ(rig.dialogs.shown.size(), 1u) << "once per start";
}

TEST_F(InstallationCheckTest, AStartInTheSamePlaceRespectsTheUsersChoice) {
  rig.files.folders.insert(kShared);
  rig.files.files[kDir1] = std::string(kExe) + "\r\n23\r\n";
  StartAndWait();  // autostart was switched off earlier: no entry
  EXPECT_TRUE(Boxes().empty());
  EXPECT_TRUE(rig.links.links.empty());
  EXPECT_TRUE(rig.registry.values.empty());
  EXPECT_FALSE(rig.app.AutostartOn());
  EXPECT_EQ(rig.files.writes, 0);
}

TEST_F(InstallationCheckTest, AMovedProgramIsWelcomedAgain) {
  rig.files.folders.insert(kShared);
  rig.files.files[kDir1] = "D:\\Old\\tavu.exe\r\n23\r\n";
  rig.registry.values[Machine()] = "\"D:\\Old\\tavu.exe\"";
  StartAndWait();
  EXPECT_EQ(Boxes(), std::vector<std::string>{"acknowledge 欢迎使用岚禾休息软件！"});
  EXPECT_EQ(rig.registry.values.at(Machine()), kQuotedExe);
  EXPECT_EQ(rig.files.files.at(kDir1), std::string(kExe) + "\r\n23\r\n");
}

TEST_F(InstallationCheckTest, SwitchingAutostartOffLeavesADesktopShortcutAndLasts) {
  StartAndWait();
  rig.app.SwitchAutostart(false);
  EXPECT_FALSE(rig.app.AutostartOn());
  EXPECT_EQ(rig.links.links.at("C:\\Users\\u\\Desktop\\岚禾休息软件.lnk").target, kExe);

  // The next start in the same place.
  fake::Rig next;
  next.files = rig.files;
  next.registry = rig.registry;
  next.app.Start();
  next.loop.Advance(InstallationCheck::kDelayMs);
  EXPECT_FALSE(next.app.AutostartOn());
  EXPECT_TRUE(next.dialogs.shown.empty());

  next.app.SwitchAutostart(true);
  EXPECT_EQ(next.registry.values.at(Machine()), kQuotedExe);
}

TEST_F(InstallationCheckTest, ASwitchTheSystemRefusesIsSaid) {
  rig.registry.values[Machine()] = kQuotedExe;
  rig.registry.read_only.insert(RegistryRoot::LocalMachine);
  rig.app.SwitchAutostart(false);
  ASSERT_EQ(rig.dialogs.shown.size(), 1u);
  EXPECT_EQ(rig.dialogs.shown[0].text, kAutostartOffFailedText);
  EXPECT_TRUE(rig.links.links.empty()) << "the automatic start is still there";
  EXPECT_TRUE(rig.app.AutostartOn());

  fake::Rig refused;
  refused.registry.read_only = {RegistryRoot::LocalMachine, RegistryRoot::CurrentUser};
  refused.app.SwitchAutostart(true);
  ASSERT_EQ(refused.dialogs.shown.size(), 1u);
  EXPECT_EQ(refused.dialogs.shown[0].text, kAutostartOnFailedText);
}

}  // namespace
}  // namespace tavu
