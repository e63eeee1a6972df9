#include "machine/helpers.hpp"

#include <algorithm>

namespace tavu {
namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Upper(x) == Upper(y); });
}

// The extension of a file name, dot included; empty when it has none.
std::string_view Extension(std::string_view path) {
  const std::size_t name = path.find_last_of("\\/");
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || (name != std::string_view::npos && dot < name)) return {};
  return path.substr(dot);
}

}  // namespace

void WaitWithMessages(Clock& clock, EventLoop& loop, uint64_t ms) {
  const uint64_t start = clock.Tick();
  for (;;) {
    const uint64_t elapsed = clock.Tick() - start;
    if (elapsed >= ms) return;
    loop.ProcessMessages(ms - elapsed);
  }
}

bool IsProcessRunningWithExt(Processes& processes, std::string_view ext) {
  for (const std::string& name : processes.ExecutableNames())
    if (EqualsIgnoringCase(Extension(name), ext)) return true;
  return false;
}

bool IsScreenSaverRunning(Processes& processes, const OpenForms& forms) {
  return IsProcessRunningWithExt(processes, ".scr") || forms.IsFormOpen(kBuiltInSaverForm);
}

}  // namespace tavu
