#include "fakes.hpp"

#include <algorithm>
#include <cctype>

namespace tavu::fake {

LocalTime VirtualLoop::Now() {
  // The wall clock at tick 0 (the clock starts at 1'000'000) plus the ticks since.
  const DateTime zero = DateTime::FromLocal(wall_at_zero);
  return DateTime{zero.ms + static_cast<int64_t>(now_) - 1'000'000}.ToLocal();
}

void VirtualLoop::Start(TimerSink& sink, int id, uint32_t interval_ms) {
  timers_[{&sink, id}] = Timer{std::max<uint32_t>(interval_ms, 1),
                               now_ + std::max<uint32_t>(interval_ms, 1), ++generation_};
}

void VirtualLoop::Stop(TimerSink& sink, int id) { timers_.erase({&sink, id}); }

void VirtualLoop::StopAll(TimerSink& sink) {
  std::erase_if(timers_, [&](const auto& kv) { return kv.first.first == &sink; });
}

std::optional<uint32_t> VirtualLoop::Interval(TimerSink& sink, int id) const {
  auto it = timers_.find({&sink, id});
  if (it == timers_.end()) return std::nullopt;
  return it->second.interval;
}

void VirtualLoop::Advance(uint64_t ms) {
  const uint64_t end = now_ + ms;
  for (;;) {
    auto next = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
      if (it->second.due > end) continue;
      if (next == timers_.end() || it->second.due < next->second.due ||
          (it->second.due == next->second.due && it->second.generation < next->second.generation))
        next = it;
    }
    if (next == timers_.end()) break;
    now_ = next->second.due;
    next->second.due += next->second.interval;
    auto [sink, id] = next->first;
    sink->OnTimer(id);  // may start or stop timers, including this one
  }
  now_ = end;
}

void VirtualLoop::Suspend(uint64_t ms) {
  now_ += ms;
  for (auto& [key, timer] : timers_)
    if (timer.due < now_) timer.due = now_;
}

void VirtualLoop::ProcessMessages(uint64_t max_wait_ms) {
  uint64_t wait = max_wait_ms;
  for (const auto& [key, timer] : timers_)
    if (timer.due >= now_) wait = std::min(wait, timer.due - now_);
  Advance(wait);
}

bool FakeDialogs::Ask(std::string_view text, std::string_view caption) {
  shown.push_back({"ask", std::string(text), std::string(caption)});
  if (answers.empty()) return false;
  bool a = answers.front();
  answers.pop_front();
  return a;
}

void FakeDialogs::Inform(std::string_view text, std::string_view caption, bool system_modal) {
  shown.push_back(
      {system_modal ? "inform-system" : "inform", std::string(text), std::string(caption)});
  if (on_inform) on_inform();
}

bool FakeDialogs::Confirm(std::string_view text, std::string_view caption) {
  shown.push_back({"confirm", std::string(text), std::string(caption)});
  if (answers.empty()) return false;
  bool a = answers.front();
  answers.pop_front();
  return a;
}

bool FakeDialogs::Suggest(std::string_view text, std::string_view caption) {
  shown.push_back({"suggest", std::string(text), std::string(caption)});
  if (answers.empty()) return false;
  bool a = answers.front();
  answers.pop_front();
  return a;
}

void FakeDialogs::Acknowledge(std::string_view text, std::string_view caption) {
  shown.push_back({"acknowledge", std::string(text), std::string(caption)});
}

std::optional<Color> FakeDialogs::AskColor(Color) {
  shown.push_back({"color", "", ""});
  return color_answer;
}

bool FakeDialogs::AskFont(FontChoice& font) {
  shown.push_back({"font", font.face, ""});
  if (!font_answer) return false;
  font = *font_answer;
  return true;
}

std::optional<std::string> FakeDialogs::AskSaveFile(std::string_view title,
                                                    std::string_view file_name, std::string_view,
                                                    std::string_view) {
  shown.push_back({"save", std::string(file_name), std::string(title)});
  return save_answer;
}

void FakeDialogs::Warn(std::string_view text, std::string_view caption) {
  shown.push_back({"warn", std::string(text), std::string(caption)});
}

FileRead FakeFiles::Read(std::string_view path, std::size_t limit) {
  const std::string p(path);
  if (folders.count(p) || locked.count(p) || denied.count(p))
    return {FileRead::Status::Unreadable, {}};
  auto it = files.find(p);
  if (it == files.end()) return {FileRead::Status::Absent, {}};
  const std::size_t size = std::min(limit, it->second.size());
  if (auto fail = read_fails_at.find(p); fail != read_fails_at.end() && fail->second < size)
    return {FileRead::Status::Unreadable, {}};
  return {FileRead::Status::Read, it->second.substr(0, size)};
}

bool FakeFiles::WriteAtomic(std::string_view path, std::string_view bytes) {
  ++writes;
  const std::string p(path);
  if (fail_writes || folders.count(p) || locked.count(p) || read_only.count(p)) return false;
  files[p] = std::string(bytes);
  denied.erase(p);  // the new file is the program's own
  read_fails_at.erase(p);
  return true;
}

bool FakeFiles::Exists(std::string_view path) {
  const std::string p(path);
  return files.count(p) || folders.count(p) || locked.count(p) || denied.count(p);
}

bool FakeFiles::Rename(std::string_view from, std::string_view to) {
  const std::string f(from), t(to);
  if (!files.count(f) || Exists(t) || locked.count(f) || read_only.count(f)) return false;
  files[t] = std::move(files[f]);
  files.erase(f);
  return true;
}

bool FakeFiles::CreateFolder(std::string_view path) {
  const std::string p(path);
  if (folders.count(p)) return true;
  if (fail_folders || files.count(p)) return false;
  folders.insert(p);
  return true;
}

namespace {
std::string RegistryPath(RegistryRoot root, std::string_view key, std::string_view name) {
  return std::string(root == RegistryRoot::LocalMachine ? "HKLM\\" : "HKCU\\") + std::string(key) +
         "\\" + std::string(name);
}
}  // namespace

std::optional<std::string> FakeRegistry::Read(RegistryRoot root, std::string_view key,
                                              std::string_view name) {
  auto it = values.find(RegistryPath(root, key, name));
  if (it == values.end()) return std::nullopt;
  return it->second;
}

bool FakeRegistry::Write(RegistryRoot root, std::string_view key, std::string_view name,
                         std::string_view data) {
  if (read_only.count(root)) return false;
  ++writes;
  values[RegistryPath(root, key, name)] = std::string(data);
  return true;
}

bool FakeRegistry::Delete(RegistryRoot root, std::string_view key, std::string_view name) {
  const std::string path = RegistryPath(root, key, name);
  if (!values.count(path)) return true;
  if (read_only.count(root)) return false;
  values.erase(path);
  return true;
}

std::string FakeShellLinks::FolderPath(ShellFolder folder) {
  auto it = folders.find(folder);
  return it == folders.end() ? std::string() : it->second;
}

std::optional<std::string> FakeCodePage::Encode(std::string_view utf8) {
  for (const std::string& m : missing)
    if (utf8.find(m) != std::string_view::npos) return std::nullopt;
  return std::string(utf8);
}

bool FakeShell::Execute(std::string_view verb, std::string_view target, std::string_view params,
                        ShowState show) {
  calls.push_back({std::string(verb), std::string(target), std::string(params), show});
  return true;
}

int FakeRandom::Next(int n) {
  if (n <= 0) return 0;
  int v = 0;
  if (!values.empty()) {
    v = values.front();
    values.pop_front();
  }
  return ((v % n) + n) % n;
}

std::vector<std::string> FakeFiles::List(std::string_view folder, std::string_view pattern) {
  auto lower = [](std::string t) {
    for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return t;
  };
  const std::string ext = lower(std::string(pattern.substr(pattern.find('*') + 1)));
  std::vector<std::string> names;
  for (const auto& [path, bytes] : files) {
    if (path.size() <= folder.size() || path.compare(0, folder.size(), folder) != 0) continue;
    const std::string name = path.substr(folder.size());
    if (name.find('\\') != std::string::npos || name.size() < ext.size()) continue;
    if (lower(name.substr(name.size() - ext.size())) == ext) names.push_back(name);
  }
  return names;
}

bool FakeTopWindows::PostToClass(std::string_view cls, uint32_t msg, uintptr_t w, intptr_t l) {
  if (!ExistsByClass(cls)) return false;
  posted.emplace_back(std::string(cls), msg, w, l);
  return true;
}

std::vector<std::string> FakeEngineActions::Whats() const {
  std::vector<std::string> out;
  for (const Request& r : requests) out.push_back(r.what);
  return out;
}

void FakeEngineActions::Record(std::string what) {
  requests.push_back({std::move(what), clock_.Tick()});
  if (on_request) on_request(requests.back().what);
}

}  // namespace tavu::fake

namespace tavu::fake {

Size FakePopHintHost::MeasureText(const ui::Font& font, std::string_view text) {
  // Characters, not bytes: a Chinese character is three bytes in UTF-8.
  int chars = 0;
  for (unsigned char c : text) chars += (c & 0xC0) != 0x80;
  return {chars * font.size, font.size + 4};
}

}  // namespace tavu::fake

namespace tavu::fake {

Size FakeMeasure(int height_px, std::string_view text) {
  int chars = 0;
  for (unsigned char c : text) chars += (c & 0xC0) != 0x80;
  return {chars * 8, height_px * 5 / 4};
}

Size FakeHintSmallWindowHost::MeasureText(const CanvasFont& font, std::string_view text) {
  return FakeMeasure(font.size_pt * 4 / 3, text);
}

}  // namespace tavu::fake

namespace tavu::fake {

namespace {
// The built-in saver's view: measures by bytes and frees itself at once when asked.
class FakeScrZevoHost : public ScrZevoHost {
 public:
  explicit FakeScrZevoHost(std::function<void()> on_freed) : on_freed_(std::move(on_freed)) {}
  Size MeasureText(const CanvasFont& font, std::string_view text) override {
    return {static_cast<int>(text.size()) * font.size_pt / 2, font.size_pt * 4 / 3};
  }
  void Show() override {}
  void Repaint() override {}
  void Free() override {
    if (on_freed_) on_freed_();
  }

 private:
  std::function<void()> on_freed_;
};
}  // namespace

std::unique_ptr<ScrZevoHost> FakeViewFactory::CreateScrZevo(std::function<void()> on_freed) {
  if (!cycle_windows) return nullptr;
  ++savers_created;
  return std::make_unique<FakeScrZevoHost>(std::move(on_freed));
}

}  // namespace tavu::fake
