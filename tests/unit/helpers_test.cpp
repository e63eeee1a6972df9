#include <gtest/gtest.h>

#include "fakes.hpp"
#include "machine/helpers.hpp"

namespace tavu {
namespace {

TEST(ScreenSaverRunning, ByAnyScrProcessOrTheBuiltInSaverWindow) {
  struct Case {
    std::vector<std::string> processes;
    const char* open_form;
    bool running;
  };
  const Case cases[] = {
      {{"explorer.exe", "Bubbles.SCR"}, nullptr, true},
      {{"C:\\Windows\\System32\\mystify.Scr"}, nullptr, true},
      {{"scr.exe", "notes.scrx", "C:\\a.scr\\b.exe", "scr"}, nullptr, false},
      {{}, "frmScrZEVO", true},
      {{"explorer.exe"}, "frmscrzevo", false},  // form names compare exactly
      {{}, "frmStat", false},
  };
  for (const Case& c : cases) {
    fake::FakeProcesses processes;
    processes.names = c.processes;
    OpenForms forms;
    if (c.open_form) forms.Add(c.open_form);
    EXPECT_EQ(IsScreenSaverRunning(processes, forms), c.running)
        << (c.processes.empty() ? "" : c.processes.back()) << " "
        << (c.open_form ? c.open_form : "");
  }
  fake::FakeProcesses processes;
  processes.names = {"Tool.EXE"};
  EXPECT_TRUE(IsProcessRunningWithExt(processes, ".exe"));
}

struct CountingSink : TimerSink {
  void OnTimer(int) override { ++ticks; }
  int ticks = 0;
};

TEST(WaitWithMessages, KeepsTimersRunningForTheWholeWait) {
  fake::VirtualLoop loop;
  CountingSink sink;
  loop.Start(sink, 1, 1000);
  const uint64_t start = loop.Tick();
  WaitWithMessages(loop, loop, 4000);
  EXPECT_EQ(loop.Tick() - start, 4000u);
  EXPECT_EQ(sink.ticks, 4);
}

TEST(WaitWithMessages, ReturnsWithNothingToHandle) {
  fake::VirtualLoop loop;
  const uint64_t start = loop.Tick();
  WaitWithMessages(loop, loop, 4000);
  EXPECT_EQ(loop.Tick() - start, 4000u);
}

}  // namespace
}  // namespace tavu
