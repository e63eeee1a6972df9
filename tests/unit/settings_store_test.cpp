#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

#include "fakes.hpp"
#include "settings/config_file.hpp"
#include "settings/settings_store.hpp"

namespace tavu {
namespace {

using fake::FakeDialogs;
using fake::FakeFiles;
using Load = SettingsStore::LoadResult;
using Save = SettingsStore::SaveResult;

const std::string kPath = "C:\\Tavu\\lh20cfg";
const std::string kOldTemp = "C:\\Tavu\\lh20cfg.tmp";
const std::string kIniPath = "C:\\Tavu\\tavu.ini";

// The user's file: a rest mode that is not the default.
std::string UsersFile() {
  Settings s;
  s.SelectBreakMode = 2;
  return EncodeConfig(s);
}

// The settings in memory when the settings window closes.
Settings Edited() {
  Settings s;
  s.SCR = 9;
  return s;
}

std::vector<FakeDialogs::Box> Of(const FakeDialogs& d, const std::string& kind) {
  std::vector<FakeDialogs::Box> boxes;
  for (const auto& b : d.shown)
    if (b.kind == kind) boxes.push_back(b);
  return boxes;
}

void Arrange(FakeFiles& f, std::string_view problem) {
  if (problem == "larger than the limit") f.files[kPath] += std::string(kConfigFileReadLimit, 'x');
  if (problem == "held open without sharing") f.locked.insert(kPath);
  if (problem == "access denied") f.denied.insert(kPath);
  if (problem == "read error part-way") f.read_fails_at[kPath] = 10;
  if (problem == "a folder") f.folders.insert(kPath);
  if (problem == "read-only") f.read_only.insert(kPath);
  if (problem == "old temporary folder") f.folders.insert(kOldTemp);
  if (problem == "read-only old temporary") {
    f.files[kOldTemp] = "old";
    f.read_only.insert(kOldTemp);
  }
  if (problem == "disk full") f.fail_writes = true;
}

// The folder of the program with the user's file in it, and what is wrong there.
void Arrange(FakeFiles& f, const std::vector<std::string_view>& problems) {
  auto has = [&](std::string_view p) {
    return std::find(problems.begin(), problems.end(), p) != problems.end();
  };
  if (!has("no file") && !has("a folder")) f.files[kPath] = UsersFile();
  for (auto problem : problems) Arrange(f, problem);
}

// Every way the folder can make reading or replacing the file fail, as a start followed by one
// close of the settings window. The user's file is replaced only when it was read at start or
// the user said yes; otherwise it is left exactly as it was. Every failure is said.
TEST(SettingsStore, NoFileTheProgramCannotReadOrReplaceCostsTheUserTheirSettings) {
  struct Case {
    std::vector<std::string_view> problems;
    std::string_view before_close;  // "released" or "deleted" by the user, or nothing
    std::deque<bool> answers;
    Load load;
    bool asked;
    Save save;
  };
  const Case cases[] = {
      {{"no file"}, "", {}, Load::Absent, false, Save::Saved},
      {{}, "", {}, Load::Loaded, false, Save::Saved},
      {{"larger than the limit"}, "", {}, Load::Loaded, false, Save::Saved},
      {{"held open without sharing"}, "", {false}, Load::Unreadable, true, Save::Kept},
      {{"held open without sharing"}, "", {true}, Load::Unreadable, true, Save::Failed},
      // Readable again by the close: what it holds was never loaded, so the question stands.
      {{"held open without sharing"}, "released", {false}, Load::Unreadable, true, Save::Kept},
      {{"held open without sharing"}, "released", {true}, Load::Unreadable, true, Save::Saved},
      {{"access denied"}, "", {true}, Load::Unreadable, true, Save::Saved},
      {{"access denied"}, "deleted", {}, Load::Unreadable, false, Save::Saved},
      {{"read error part-way"}, "", {false}, Load::Unreadable, true, Save::Kept},
      {{"a folder"}, "", {true}, Load::Unreadable, true, Save::Failed},
      {{"old temporary folder"}, "", {}, Load::Loaded, false, Save::Saved},
      {{"read-only old temporary"}, "", {}, Load::Loaded, false, Save::Saved},
      {{"read-only"}, "", {}, Load::Loaded, false, Save::Failed},
      {{"disk full"}, "", {}, Load::Loaded, false, Save::Failed},
      {{"no file", "disk full"}, "", {}, Load::Absent, false, Save::Failed},
  };
  for (const auto& c : cases) {
    std::string name;
    for (auto p : c.problems) name += std::string(p) + "; ";
    SCOPED_TRACE(name + std::string(c.before_close));
    FakeFiles files;
    FakeDialogs dialogs;
    dialogs.answers = c.answers;
    Arrange(files, c.problems);
    fake::FakeShellLinks links;
    SettingsStore store(files, dialogs, links);

    Settings loaded;
    EXPECT_EQ(store.Load(loaded), c.load);
    if (c.load == Load::Loaded) {
      EXPECT_EQ(loaded.SelectBreakMode, 2);
    } else {
      EXPECT_EQ(EncodeConfig(loaded), EncodeConfig(Settings{}));
    }
    const auto warned_at_start = Of(dialogs, "warn");
    if (c.load == Load::Unreadable) {
      ASSERT_EQ(warned_at_start.size(), 1u);
      EXPECT_EQ(warned_at_start[0].text, ConfigUnreadableText(kPath));
      EXPECT_NE(warned_at_start[0].text.find(kPath), std::string::npos);
    } else {
      EXPECT_TRUE(dialogs.shown.empty());
    }

    if (c.before_close == "released") files.locked.clear();
    if (c.before_close == "deleted") {
      files.files.erase(kPath);
      files.denied.clear();
    }
    const auto before = files.files;
    EXPECT_EQ(store.Save(Edited()), c.save);
    const auto asked = Of(dialogs, "ask");
    ASSERT_EQ(asked.size(), c.asked ? 1u : 0u);
    if (c.asked) {
      EXPECT_EQ(asked[0].text, ReplaceUnreadableConfigQuestion(kPath));
      EXPECT_EQ(asked[0].caption, kQuestionCaption);
    }
    auto expected = before;
    if (c.save == Save::Saved) {
      expected[kPath] = EncodeConfig(Edited());
      expected[kIniPath] = EncodeIni(Edited());
    }
    EXPECT_EQ(files.files, expected);
    const auto warned = Of(dialogs, "warn");
    ASSERT_EQ(warned.size(), warned_at_start.size() + (c.save == Save::Failed ? 1 : 0));
    if (c.save == Save::Failed) {
      EXPECT_EQ(warned.back().text, kSaveFailedText);
    }
  }
}

TEST(SettingsStore, AnUnreadableFileIsAskedAboutAtEverySaveUntilTheUserAgrees) {
  FakeFiles files;
  FakeDialogs dialogs;
  files.files[kPath] = UsersFile();
  files.locked.insert(kPath);
  fake::FakeShellLinks links;
  SettingsStore store(files, dialogs, links);
  Settings s;
  store.Load(s);
  dialogs.answers = {false, false, true};
  EXPECT_EQ(store.Save(s), Save::Kept);
  EXPECT_EQ(store.Save(s), Save::Kept);
  EXPECT_EQ(store.Save(s), Save::Failed);  // still held open
  files.locked.clear();
  EXPECT_EQ(store.Save(s), Save::Saved);  // the yes still holds: no second question
  EXPECT_EQ(Of(dialogs, "ask").size(), 3u);
  EXPECT_EQ(store.Save(Edited()), Save::Saved);
  EXPECT_EQ(Of(dialogs, "ask").size(), 3u);
  EXPECT_EQ(files.files.at(kPath), EncodeConfig(Edited()));
}

TEST(SettingsWindow, AnUnreadableFileIsSaidAtStartAndKeptWhenTheWindowCloses) {
  fake::Rig rig;
  rig.files.files[rig.ConfigPath()] = UsersFile();
  rig.files.locked.insert(rig.ConfigPath());
  rig.app.Start();
  EXPECT_EQ(rig.app.settings().SelectBreakMode, 0);
  ASSERT_EQ(rig.dialogs.shown.size(), 1u);
  EXPECT_EQ(rig.dialogs.shown[0].text, ConfigUnreadableText(rig.ConfigPath()));
  rig.files.locked.clear();
  rig.app.ShowSetup(kPageBasic, false);
  rig.dialogs.answers = {false};
  EXPECT_TRUE(rig.app.setup().FormClose());  // no: closes without saving
  EXPECT_FALSE(rig.app.setup().State().visible);
  EXPECT_EQ(rig.files.files.at(rig.ConfigPath()), UsersFile());
  EXPECT_EQ(rig.dialogs.shown.size(), 2u);
}

// Installed for all users, the program's folder takes no new file: the settings live in the
// user's AppData folder, made at the first save, and are read from there at the next start.
TEST(SettingsWindow, AFolderThatTakesNoNewFileKeepsTheSettingsInTheUsersAppData) {
  const std::string user_file = "C:\\Users\\u\\AppData\\Roaming\\LanHe\\Tavu\\lh20cfg";
  struct Case {
    const char* name;
    bool writable;
    bool maker_folder_there;  // another program of the maker made AppData\LanHe already
    std::string path;
  };
  const Case cases[] = {{"writable folder", true, false, "C:\\Tavu\\lh20cfg"},
                        {"Program Files", false, false, user_file},
                        {"Program Files, LanHe there", false, true, user_file}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fake::Rig rig;
    if (!c.writable) rig.files.no_new_files.insert("C:\\Tavu\\");
    if (c.maker_folder_there) rig.files.folders.insert("C:\\Users\\u\\AppData\\Roaming\\LanHe");
    rig.app.Start();
    rig.app.settings().SelectBreakMode = 2;
    rig.app.ShowSetup(kPageBasic, false);
    EXPECT_TRUE(rig.app.setup().FormClose());
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_EQ(rig.files.files.count(c.path), 1u);
    EXPECT_EQ(rig.files.files.count("C:\\Tavu\\lh20cfg"), c.writable ? 1u : 0u);

    fake::Rig next;  // the next start reads what was saved
    next.files.files = rig.files.files;
    next.files.folders = rig.files.folders;
    next.files.no_new_files = rig.files.no_new_files;
    next.app.Start();
    EXPECT_EQ(next.app.settings().SelectBreakMode, 2);
  }
}

TEST(SettingsWindow, AUserFolderThatCannotBeMadeIsASaveFailureSaid) {
  fake::Rig rig;
  rig.files.no_new_files.insert("C:\\Tavu\\");
  rig.files.fail_folders = true;
  rig.app.Start();
  rig.app.ShowSetup(kPageBasic, false);
  EXPECT_FALSE(rig.app.setup().FormClose());  // stays open, as any failed save
  ASSERT_EQ(rig.dialogs.shown.size(), 1u);
  EXPECT_EQ(rig.dialogs.shown[0].text, kSaveFailedText);
}

// Saver files are listed only once the catalogue is built; an index into them survives anyway.
TEST(SettingsWindow, AStoredSaverIndexSurvivesAStartAndAClose) {
  fake::Rig rig;
  std::string stored = EncodeConfig(Settings{});
  stored.replace(stored.find("[2] 2 1 "), 8, "[2] 2 5 ");
  rig.files.files[rig.ConfigPath()] = stored;
  for (const char* name : {"a.scr", "b.scr", "c.scr", "d.scr"})
    rig.files.files[std::string("C:\\Windows\\") + name] = "";
  rig.app.Start();
  EXPECT_EQ(rig.app.settings().SCRSavers.Text(), "C:\\Windows\\d.scr");
  EXPECT_TRUE(rig.app.setup().FormClose());
  EXPECT_EQ(rig.files.files.at(rig.ConfigPath()), stored);
}

}  // namespace
}  // namespace tavu
