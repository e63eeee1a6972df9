#include <gtest/gtest.h>

#include "fakes.hpp"
#include "settings/config_file.hpp"
#include "settings/ini_file.hpp"
#include "settings/settings_store.hpp"

namespace tavu {
namespace {

// Every value of the file away from its default.
Settings Changed() {
  Settings s;
  s.BreakOnAllMonitors = false;
  s.DeferWhenPresenting = true;
  s.DeferInCalls = true;
  s.DeferMaxMins = 75;
  s.SoundCues = false;
  s.KeepHistory = false;
  s.KeepHistoryDays = 30;
  s.DisableKeyboard = true;
  s.RemindOnce1 = true;
  s.HourOfRemindOnce1 = 17;
  s.MinOfRemindOnce1 = 45;
  s.ContentOfRemindOnce1 = "开会=带电脑\\C:\\temp\n第二行";
  s.SelectRemindHourWindow = 0;
  s.RemindHourWindowColorMain = Rgb(0x12, 0xAB, 0xEF);
  s.BreakHintColorMain = SystemColor(30);
  s.Slogan = "  前后有空格  ";
  s.BreakFont.name = "微软雅黑";
  s.BreakFont.color = Rgb(1, 2, 3);
  s.BreakFont.italic = true;
  s.BreakFont.charset = 0;
  s.ZoomRate2 = 2;
  s.ZoomPercent2 = 64;
  s.ShowDesktopDeco = false;
  s.HotKeyAction = 3;
  return s;
}

TEST(IniFile, WhatIsWrittenReadsBackAsTheSameSettings) {
  const Settings changed = Changed();
  const std::string written = EncodeIni(changed);
  EXPECT_EQ(written.find('\n'), written.find("\r\n") + 1);  // CR LF lines
  EXPECT_NE(written.find("\r\nDeferMaxMins=75\r\n"), std::string::npos);
  EXPECT_NE(written.find("\r\nRemindHourWindowColorMain=#12ABEF\r\n"), std::string::npos);
  EXPECT_NE(written.find("\r\nBreakHintColorMain=system:30\r\n"), std::string::npos);

  Settings read;
  EXPECT_TRUE(DecodeIni(written, read).empty());
  EXPECT_EQ(EncodeIni(read), written);
  EXPECT_EQ(read.ContentOfRemindOnce1, changed.ContentOfRemindOnce1);
  EXPECT_EQ(read.Slogan, changed.Slogan);
  EXPECT_EQ(read.BreakFont.name, "微软雅黑");
  EXPECT_EQ(read.DeferMaxMins, 75);
  // Nothing the configuration file keeps is touched.
  EXPECT_EQ(EncodeConfig(read), EncodeConfig(Settings{}));
}

// Whatever a line holds, a value that cannot be read keeps its setting; the others still apply.
TEST(IniFile, EachUnreadableValueKeepsItsSettingAlone) {
  struct Case {
    const char* line;
    std::string expected_line;  // how the setting is written after reading
  };
  const Case cases[] = {
      {"DeferMaxMins=999", "DeferMaxMins=120"},  // kept within bounds, as the window would
      {"DeferMaxMins=-5", "DeferMaxMins=1"},
      {"DeferMaxMins=12abc", "DeferMaxMins=30"},
      {"DeferMaxMins=", "DeferMaxMins=30"},
      {"DeferMaxMins=99999999999999999999", "DeferMaxMins=30"},
      {"  SoundCues =  0  ", "SoundCues=0"},
      {"SoundCues=yes", "SoundCues=1"},
      {"BreakOnAllMonitors=false", "BreakOnAllMonitors=0"},
      {"ZoomRate1=3", "ZoomRate1=1"},
      {"ZoomRate1=-1", "ZoomRate1=1"},
      {"RemindHourWindowColorMain=#12345", "RemindHourWindowColorMain=#808080"},
      {"RemindHourWindowColorMain=#GG0000", "RemindHourWindowColorMain=#808080"},
      {"RemindHourWindowColorMain=system:31", "RemindHourWindowColorMain=#808080"},
      {"RemindHourWindowColorMain=system:-1", "RemindHourWindowColorMain=#808080"},
      {"RemindHourWindowColorMain=#ff00aa", "RemindHourWindowColorMain=#FF00AA"},
      {"Slogan=a\\qb", "Slogan=累了吧，该歇一歇了~"},
      {"Slogan=ends in\\", "Slogan=累了吧，该歇一歇了~"},
      {"Slogan=", "Slogan="},
      {"SloganFontName=", "SloganFontName=楷体_GB2312"},
      {"SloganFontCharset=256", "SloganFontCharset=134"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    Settings s;
    const std::string file = std::string("[Tavu]\r\nKeepHistoryDays=9\r\n") + c.line + "\r\n";
    EXPECT_TRUE(DecodeIni(file, s).empty());
    const std::string written = EncodeIni(s);
    EXPECT_NE(written.find("\r\n" + c.expected_line + "\r\n"), std::string::npos) << written;
    EXPECT_EQ(s.KeepHistoryDays, 9);
  }
}

TEST(IniFile, OnlyItsOwnSectionIsReadAndForeignNamesSurviveASave) {
  Settings s;
  const std::string file =
      "\xEF\xBB\xBF; a comment\n"
      "SoundCues=0\n"  // before any section
      "[Other]\nDeferInCalls=1\n"
      "[Tavu]\nKeepHistoryDays=40\nFutureSetting=some value\n#DeferMaxMins=5\nno equals sign\n"
      "KeepHistoryDays=41\n";
  const ForeignLines foreign = DecodeIni(file, s);
  EXPECT_TRUE(s.SoundCues);
  EXPECT_FALSE(s.DeferInCalls);
  EXPECT_EQ(s.DeferMaxMins, 30);
  EXPECT_EQ(s.KeepHistoryDays, 41);  // the last line of a name wins
  ASSERT_EQ(foreign, ForeignLines{"FutureSetting=some value"});
  const std::string written = EncodeIni(s, foreign);
  EXPECT_NE(written.find("\r\nFutureSetting=some value\r\n"), std::string::npos);
  Settings again;
  EXPECT_EQ(DecodeIni(written, again), foreign);
}

// The store reads the program's own file with the configuration file and writes both.
TEST(SettingsWindow, TheProgramsOwnSettingsSurviveARestart) {
  fake::Rig rig;
  rig.app.Start();
  rig.app.settings().DeferInCalls = true;
  rig.app.settings().ShowDesktopDeco = false;
  rig.app.ShowSetup(kPageBasic, false);
  EXPECT_TRUE(rig.app.setup().FormClose());
  const std::string ini = "C:\\Tavu\\tavu.ini";
  ASSERT_EQ(rig.files.files.count(ini), 1u);

  fake::Rig next;
  next.files.files = rig.files.files;
  next.app.Start();
  EXPECT_TRUE(next.app.settings().DeferInCalls);
  EXPECT_FALSE(next.app.settings().ShowDesktopDeco);
}

TEST(SettingsWindow, AnUnreadableOwnFileIsSaidAndKeptUnlessTheUserAgrees) {
  const std::string ini = "C:\\Tavu\\tavu.ini";
  for (bool agree : {false, true}) {
    SCOPED_TRACE(agree);
    fake::Rig rig;
    rig.files.files[ini] = "[Tavu]\r\nDeferInCalls=1\r\n";
    rig.files.locked.insert(ini);
    rig.app.Start();
    EXPECT_FALSE(rig.app.settings().DeferInCalls);
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].text, ConfigUnreadableText(ini));
    rig.files.locked.clear();
    rig.dialogs.answers = {agree};
    rig.app.ShowSetup(kPageBasic, false);
    EXPECT_TRUE(rig.app.setup().FormClose());
    EXPECT_EQ(rig.files.files.at(ini) == "[Tavu]\r\nDeferInCalls=1\r\n", !agree);
    EXPECT_EQ(rig.files.files.count(rig.ConfigPath()), agree ? 1u : 0u);
  }
}

}  // namespace
}  // namespace tavu
