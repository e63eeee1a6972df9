#include <gtest/gtest.h>

#include "settings/config_file.hpp"

namespace tavu {
namespace {

std::string Warning() {
  // The warning line as its code page 936 bytes.
  return "\xc7\xeb\xce\xf0\xc9\xc3\xd7\xd4\xb8\xfc\xb8\xc4\xca\xfd\xbe\xdd\xa3\xac\xd3\xc9\xb4\xcb"
         "\xd4\xec\xb3\xc9\xb5\xc4\xc8\xed\xbc\xfe\xd4\xcb\xd0\xd0\xb4\xed\xce\xf3\xa3\xac\xba\xf3"
         "\xb9\xfb\xd7\xd4\xb8\xba\xa3\xa1";
}

const std::string kDefaultFile = Warning() +
                                 "\r\n[0] 2\r\n"
                                 "[1] 0 30 FALSE FALSE\r\n"
                                 "[2] 2 1 TRUE 10 TRUE 30 FALSE 0 FALSE\r\n"
                                 "[3] FALSE\r\n"
                                 "[4] 0 FALSE TRUE 24 5 32 12 200 112\r\n"
                                 "[5] 0 0\r\n"
                                 "[6] 0\r\n"
                                 "[7] TRUE FALSE TRUE\r\n";

std::string FileWith(std::initializer_list<std::string> value_lines) {
  std::string f = "anything at all\r\n";
  for (const auto& l : value_lines) f += l + "\r\n";
  return f;
}

TEST(ConfigFile, DefaultsEncodeToTheReferenceFile) {
  Settings s;
  EXPECT_EQ(EncodeConfig(s), kDefaultFile);
}

TEST(ConfigFile, EveryStoredValueSurvivesASaveAndALoad) {
  Settings a;
  a.BreakPlanPreSet = 4;
  a.SelectBreakMode = 3;
  a.InterfereIntensity = 45;
  a.NotShowFrmBreakHintLastOneMin_FreeMode = true;
  a.SCR = 7;
  a.SCRSavers = 0;
  a.EnableShutDownDisplayer = false;
  a.ShutDownDisplayer = 55;
  a.EnableSuspend = false;
  a.LetSuspend = 99;
  a.RandomSCR = true;
  a.StandByOrSleep = 1;
  a.UseKoPlayer = true;
  a.RemindOnHalfHour = true;
  a.BreakInterface = 13;
  a.RandomInterface = true;
  a.ShowSlogan = false;
  a.BreakFont.size_pt = 30;
  a.SelectSlogan(9);
  a.FadeInSpeed = 150;
  a.FadeInStep = 1;
  a.Transparency = 255;
  a.MoiseStrenth = 99;
  a.FontAdjust1 = -2;
  a.FontAdjust2 = 15;
  a.FontAdjustOfRemindCenterWindow = -3;
  a.ShowSOT = false;
  a.HarwareIsLaptop = true;
  a.EnablePopHelpInfo = false;

  const std::string bytes = EncodeConfig(a);
  EXPECT_NE(bytes.find("[5] -2 15\r\n"), std::string::npos);
  Settings b;
  DecodeConfig(bytes, b);
  EXPECT_EQ(EncodeConfig(b), bytes);
  EXPECT_EQ(b.Slogan, a.Slogan);
  EXPECT_EQ(b.FontAdjust1, -2);
}

// Encoding and decoding share one field table, so a setting bound to the wrong place would
// still survive a save and a load; each case pins one setting to its line and field.
TEST(ConfigFile, EachSettingHasItsOwnPlaceInTheFile) {
  struct Case {
    void (*change)(Settings&);
    const char* line;
  };
  const Case cases[] = {
      {[](Settings& s) { s.BreakPlanPreSet = 0; }, "[0] 0"},
      {[](Settings& s) { s.SelectBreakMode = 1; }, "[1] 1 30 FALSE FALSE"},
      {[](Settings& s) { s.InterfereIntensity = 15; }, "[1] 0 15 FALSE FALSE"},
      {[](Settings& s) { s.NotShowFrmBreakHintLastOneMin_FreeMode = true; }, "[1] 0 30 TRUE FALSE"},
      {[](Settings& s) { s.NotShowFrmBreakHintLastOneMin_PasswordMode = true; },
       "[1] 0 30 FALSE TRUE"},
      {[](Settings& s) { s.SCR = 3; }, "[2] 3 1 TRUE 10 TRUE 30 FALSE 0 FALSE"},
      {[](Settings& s) { s.SCRSavers = 0; }, "[2] 2 0 TRUE 10 TRUE 30 FALSE 0 FALSE"},
      {[](Settings& s) { s.EnableShutDownDisplayer = false; },
       "[2] 2 1 FALSE 10 TRUE 30 FALSE 0 FALSE"},
      {[](Settings& s) { s.ShutDownDisplayer = 11; }, "[2] 2 1 TRUE 11 TRUE 30 FALSE 0 FALSE"},
      {[](Settings& s) { s.EnableSuspend = false; }, "[2] 2 1 TRUE 10 FALSE 30 FALSE 0 FALSE"},
      {[](Settings& s) { s.LetSuspend = 31; }, "[2] 2 1 TRUE 10 TRUE 31 FALSE 0 FALSE"},
      {[](Settings& s) { s.RandomSCR = true; }, "[2] 2 1 TRUE 10 TRUE 30 TRUE 0 FALSE"},
      {[](Settings& s) { s.StandByOrSleep = 1; }, "[2] 2 1 TRUE 10 TRUE 30 FALSE 1 FALSE"},
      {[](Settings& s) { s.UseKoPlayer = true; }, "[2] 2 1 TRUE 10 TRUE 30 FALSE 0 TRUE"},
      {[](Settings& s) { s.RemindOnHalfHour = true; }, "[3] TRUE"},
      {[](Settings& s) { s.BreakInterface = 1; }, "[4] 1 FALSE TRUE 24 5 32 12 200 112"},
      {[](Settings& s) { s.RandomInterface = true; }, "[4] 0 TRUE TRUE 24 5 32 12 200 112"},
      {[](Settings& s) { s.ShowSlogan = false; }, "[4] 0 FALSE FALSE 24 5 32 12 200 112"},
      {[](Settings& s) { s.BreakFont.size_pt = 25; }, "[4] 0 FALSE TRUE 25 5 32 12 200 112"},
      {[](Settings& s) { s.SelectSlogan(6); }, "[4] 0 FALSE TRUE 24 6 32 12 200 112"},
      {[](Settings& s) { s.FadeInSpeed = 33; }, "[4] 0 FALSE TRUE 24 5 33 12 200 112"},
      {[](Settings& s) { s.FadeInStep = 13; }, "[4] 0 FALSE TRUE 24 5 32 13 200 112"},
      {[](Settings& s) { s.Transparency = 201; }, "[4] 0 FALSE TRUE 24 5 32 12 201 112"},
      {[](Settings& s) { s.MoiseStrenth = 113; }, "[4] 0 FALSE TRUE 24 5 32 12 200 113"},
      {[](Settings& s) { s.FontAdjust1 = 1; }, "[5] 1 0"},
      {[](Settings& s) { s.FontAdjust2 = 1; }, "[5] 0 1"},
      {[](Settings& s) { s.FontAdjustOfRemindCenterWindow = 1; }, "[6] 1"},
      {[](Settings& s) { s.ShowSOT = false; }, "[7] FALSE FALSE TRUE"},
      {[](Settings& s) { s.HarwareIsLaptop = true; }, "[7] TRUE TRUE TRUE"},
      {[](Settings& s) { s.EnablePopHelpInfo = false; }, "[7] TRUE FALSE FALSE"},
  };
  for (const auto& c : cases) {
    std::string expected = kDefaultFile;
    const std::string tag = std::string(c.line).substr(0, 4);
    const auto at = expected.find(tag);
    expected.replace(at, expected.find("\r\n", at) - at, c.line);
    Settings changed;
    c.change(changed);
    EXPECT_EQ(EncodeConfig(changed), expected) << c.line;
    Settings loaded;
    DecodeConfig(expected, loaded);
    EXPECT_EQ(EncodeConfig(loaded), expected) << c.line;
  }
}

TEST(ConfigFile, OnlyTrueIgnoringCaseReadsAsTrue) {
  const std::pair<const char*, bool> cases[] = {
      {"True", true}, {"TRUE", true}, {"true", true}, {"tRuE", true}, {"1", false},
      {"yes", false}, {"", false},    {"truex", false}};
  for (auto [text, expected] : cases) {
    Settings s;
    s.RemindOnHalfHour = !expected;
    DecodeConfig(FileWith({"[0] 2", "[1] 0", "[2] 2", std::string("[3] ") + text}), s);
    EXPECT_EQ(s.RemindOnHalfHour, expected) << '"' << text << '"';
  }
}

TEST(ConfigFile, LinesAreReadByPositionWhateverTheirTags) {
  Settings s;
  DecodeConfig(FileWith({"xyz 5", "[0] 2 45", "whatever 3"}), s);
  EXPECT_EQ(s.BreakPlanPreSet, 5);
  EXPECT_EQ(s.SelectBreakMode, 2);
  EXPECT_EQ(s.InterfereIntensity, 45);
  EXPECT_EQ(s.SCR, 3);
}

TEST(ConfigFile, MalformedFieldsKeepTheirDefaultsOneByOne) {
  struct Case {
    const char* name;
    std::string file;
    int scr, shutdown, let_suspend, interface_, mode;
  };
  const Case cases[] = {
      {"missing file lines", FileWith({"[0] 2"}), 2, 10, 30, 0, 0},
      {"fewer fields", FileWith({"[0] 2", "[1] 1", "[2] 5 1 TRUE"}), 5, 10, 30, 0, 1},
      {"empty fields", FileWith({"[0] 2", "[1]  30", "[2] 6  TRUE  TRUE 44"}), 6, 10, 44, 0, 0},
      {"not numbers", FileWith({"[0] 2", "[1] x", "[2] 0x5 1 TRUE 12a TRUE 2e1", "[3] F",
                                "[4] 3.0"}),
       2, 10, 30, 0, 0},
      {"out of range clamps", FileWith({"[0] 2", "[1] 1", "[2] 99 1 TRUE -7 TRUE 100000000000"}),
       20, 5, 30, 0, 1},
      {"invalid choice keeps default", FileWith({"[0] 2", "[1] 7", "[2]", "[3]", "[4] 14"}), 2,
       10, 30, 0, 0},
      {"long line", FileWith({"[0] 2", "[1] 1", "[2] 3 1 TRUE 6" + std::string(400, ' ') + "x"}), 3,
       6, 30, 0, 1},
  };
  for (const auto& c : cases) {
    Settings s;
    DecodeConfig(c.file, s);
    EXPECT_EQ(s.SCR, c.scr) << c.name;
    EXPECT_EQ(s.ShutDownDisplayer, c.shutdown) << c.name;
    EXPECT_EQ(s.LetSuspend, c.let_suspend) << c.name;
    EXPECT_EQ(s.BreakInterface, c.interface_) << c.name;
    EXPECT_EQ(s.SelectBreakMode, c.mode) << c.name;
  }
}

TEST(ConfigFile, EmptyOrShapelessInputLeavesEveryDefault) {
  const std::string inputs[] = {"", "\r\n", std::string(3, '\0'), std::string(1 << 20, '\n'),
                                std::string(1 << 20, 'x'), "only a warning line"};
  for (const auto& in : inputs) {
    Settings s;
    DecodeConfig(in, s);
    EXPECT_EQ(EncodeConfig(s), kDefaultFile);
  }
}

TEST(ConfigFile, BinaryGarbageLoadsToValuesThatSaveAndLoadStably) {
  for (unsigned seed = 1; seed <= 50; ++seed) {
    std::string garbage;
    unsigned x = seed;
    for (int i = 0; i < 2000; ++i) {
      x = x * 1103515245u + 12345u;
      const char alphabet[] = "0123456789- \r\n[]TRUEtruex\0\xff";
      garbage += alphabet[(x >> 16) % (sizeof alphabet - 1)];
    }
    Settings s;
    DecodeConfig(garbage, s);
    const std::string saved = EncodeConfig(s);
    Settings t;
    DecodeConfig(saved, t);
    EXPECT_EQ(EncodeConfig(t), saved) << "seed " << seed;
  }
}

TEST(ConfigFile, ListChoicesPastTheirListSelectNothing) {
  Settings s;
  DecodeConfig(FileWith({"[0] -1", "[1]", "[2] 2 9", "[3]", "[4] 0 FALSE TRUE 500 -1"}), s);
  EXPECT_EQ(s.BreakPlanPreSet, -1);
  EXPECT_EQ(s.SCRSavers, -1);  // the saver file is gone since the save
  EXPECT_EQ(s.SloganList, -1);
  EXPECT_EQ(s.Slogan, "累了吧，该歇一歇了~");  // the text in use stays
  EXPECT_EQ(s.BreakFont.size_pt, 96);
  EXPECT_NE(EncodeConfig(s).find("[0] -1\r\n"), std::string::npos);
}

std::vector<std::string> Catalogue(int saver_files) {
  std::vector<std::string> items{"(无)", "<Internal>"};
  for (int i = 0; i < saver_files; ++i) items.push_back("saver" + std::to_string(i) + ".scr");
  return items;
}

TEST(ConfigFile, ASaverIndexReadBeforeTheCatalogueExistsIsKeptAsRead) {
  const std::string file = FileWith({"[0] 2", "[1]", "[2] 2 7"});
  Settings s;
  DecodeConfig(file, s);
  EXPECT_EQ(s.SCRSavers, -1);  // not in the list yet
  EXPECT_NE(EncodeConfig(s).find("[2] 2 7 TRUE"), std::string::npos);

  struct Case {
    int saver_files;
    int selected;
  };
  for (auto [saver_files, selected] : {Case{6, 7}, Case{5, -1}}) {
    Settings t;
    DecodeConfig(file, t);
    t.SCRSavers.SetCatalogue(Catalogue(saver_files));
    EXPECT_EQ(t.SCRSavers, selected) << saver_files;
    EXPECT_NE(EncodeConfig(t).find("[2] 2 " + std::to_string(selected) + " TRUE"),
              std::string::npos);
  }
}

TEST(ConfigFile, AChoiceMadeAfterReadingReplacesTheHeldSaverIndex) {
  Settings s;
  DecodeConfig(FileWith({"[0] 2", "[1]", "[2] 2 7"}), s);
  s.SCRSavers = 0;
  EXPECT_NE(EncodeConfig(s).find("[2] 2 0 TRUE"), std::string::npos);
  s.SCRSavers.SetCatalogue(Catalogue(6));
  EXPECT_EQ(s.SCRSavers, 0);
}

TEST(ConfigFile, ASaverIndexPastTheBuiltCatalogueSelectsNothing) {
  Settings s;
  s.SCRSavers.SetCatalogue(Catalogue(1));
  DecodeConfig(FileWith({"[0] 2", "[1]", "[2] 2 7"}), s);
  EXPECT_EQ(s.SCRSavers, -1);  // the saver file is gone since the save
  EXPECT_NE(EncodeConfig(s).find("[2] 2 -1 TRUE"), std::string::npos);
  DecodeConfig(FileWith({"[0] 2", "[1]", "[2] 2 2"}), s);
  EXPECT_EQ(s.SCRSavers.Text(), "saver0.scr");
}

TEST(ConfigFile, MoiseStrengthStopsAt150UntilItsBoundFollowsTheFadeSpeed) {
  Settings s;
  DecodeConfig(FileWith({"[0] 2", "[1]", "[2]", "[3]", "[4] 0 FALSE TRUE 24 5 40 12 200 230"}), s);
  EXPECT_EQ(s.MoiseStrenth, 150);
  s.UpdateMoiseBound();
  EXPECT_EQ(s.MoiseStrenth.Hi(), 209);
  s.FadeInSpeed = 150;
  s.UpdateMoiseBound();
  EXPECT_EQ(s.MoiseStrenth, 99);
}

}  // namespace
}  // namespace tavu
