#include "settings/config_file.hpp"

#include <charconv>
#include <optional>
#include <vector>

namespace tavu {
namespace {

// "请勿擅自更改数据，由此造成的软件运行错误，后果自负！" in code page 936.
constexpr unsigned char kWarningLine[] = {
    0xc7, 0xeb, 0xce, 0xf0, 0xc9, 0xc3, 0xd7, 0xd4, 0xb8, 0xfc, 0xb8, 0xc4, 0xca, 0xfd, 0xbe,
    0xdd, 0xa3, 0xac, 0xd3, 0xc9, 0xb4, 0xcb, 0xd4, 0xec, 0xb3, 0xc9, 0xb5, 0xc4, 0xc8, 0xed,
    0xbc, 0xfe, 0xd4, 0xcb, 0xd0, 0xd0, 0xb4, 0xed, 0xce, 0xf3, 0xa3, 0xac, 0xba, 0xf3, 0xb9,
    0xfb, 0xd7, 0xd4, 0xb8, 0xba, 0xa3, 0xa1};

constexpr int kMinFontPt = 6;
constexpr int kMaxFontPt = 96;

class LineWriter {
 public:
  explicit LineWriter(std::string& out, int tag) : out_(out) {
    out_ += '[';
    out_ += std::to_string(tag);
    out_ += ']';
  }
  ~LineWriter() { out_ += "\r\n"; }
  LineWriter& operator<<(int v) {
    out_ += ' ';
    out_ += std::to_string(v);
    return *this;
  }
  LineWriter& operator<<(bool b) {
    out_ += b ? " TRUE" : " FALSE";
    return *this;
  }

 private:
  std::string& out_;
};

// The fields of one value line: what follows the first space, split at every space.
class LineReader {
 public:
  explicit LineReader(std::string_view line) {
    auto space = line.find(' ');
    if (space == std::string_view::npos) return;
    std::string_view rest = line.substr(space + 1);
    for (;;) {
      auto next = rest.find(' ');
      fields_.push_back(rest.substr(0, next));
      if (next == std::string_view::npos) break;
      rest = rest.substr(next + 1);
    }
  }

  std::optional<int> Int() {
    auto f = Next();
    if (!f || f->empty()) return std::nullopt;
    int v = 0;
    auto [end, ec] = std::from_chars(f->data(), f->data() + f->size(), v);
    if (ec != std::errc{} || end != f->data() + f->size()) return std::nullopt;
    return v;
  }

  void Read(Bounded& b) {
    if (auto v = Int()) b = *v;
  }
  void Read(bool& b) {
    if (auto f = Next()) b = EqualsTrue(*f);
  }
  // A choice whose "no entry" is meaningful: any stored index, -1 past the list.
  void ReadList(Choice& c) {
    if (auto v = Int()) c = *v;
  }
  // A choice that must always name an entry: an invalid index keeps the current one.
  void ReadEntry(Choice& c) {
    if (auto v = Int(); v && *v >= 0 && *v < c.Count()) c = *v;
  }
  void Read(FontSpec& f) {
    if (auto v = Int()) f.size_pt = std::clamp(*v, kMinFontPt, kMaxFontPt);
  }

 private:
  std::optional<std::string_view> Next() {
    if (next_ >= fields_.size()) return std::nullopt;
    return fields_[next_++];
  }
  static bool EqualsTrue(std::string_view f) {
    if (f.size() != 4) return false;
    constexpr std::string_view kTrue = "true";
    for (std::size_t i = 0; i < 4; ++i) {
      char c = f[i];
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      if (c != kTrue[i]) return false;
    }
    return true;
  }

  std::vector<std::string_view> fields_;
  std::size_t next_ = 0;
};

// Splits at LF, dropping a CR before it; stops after `count` lines.
std::vector<std::string_view> SplitLines(std::string_view bytes, std::size_t count) {
  std::vector<std::string_view> lines;
  while (!bytes.empty() && lines.size() < count) {
    auto lf = bytes.find('\n');
    std::string_view line = bytes.substr(0, lf);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (lf == std::string_view::npos) break;
    bytes.remove_prefix(lf + 1);
  }
  lines.resize(count);  // a line past the end of the file reads as empty
  return lines;
}

}  // namespace

std::string EncodeConfig(const Settings& s) {
  std::string out(reinterpret_cast<const char*>(kWarningLine), sizeof kWarningLine);
  out += "\r\n";
  LineWriter(out, 0) << s.BreakPlanPreSet.Index();
  LineWriter(out, 1) << s.SelectBreakMode.Index() << s.InterfereIntensity.Get()
                     << s.NotShowFrmBreakHintLastOneMin_FreeMode
                     << s.NotShowFrmBreakHintLastOneMin_PasswordMode;
  LineWriter(out, 2) << s.SCR.Get() << s.SCRSavers.Index() << s.EnableShutDownDisplayer
                     << s.ShutDownDisplayer.Get() << s.EnableSuspend << s.LetSuspend.Get()
                     << s.RandomSCR << s.StandByOrSleep.Index() << s.UseKoPlayer;
  LineWriter(out, 3) << s.RemindOnHalfHour;
  LineWriter(out, 4) << s.BreakInterface.Index() << s.RandomInterface << s.ShowSlogan
                     << s.BreakFont.size_pt << s.SloganList.Index() << s.FadeInSpeed.Get()
                     << s.FadeInStep.Get() << s.Transparency.Get() << s.MoiseStrenth.Get();
  LineWriter(out, 5) << s.FontAdjust1.Get() << s.FontAdjust2.Get();
  LineWriter(out, 6) << s.FontAdjustOfRemindCenterWindow.Get();
  LineWriter(out, 7) << s.ShowSOT << s.HarwareIsLaptop << s.EnablePopHelpInfo;
  return out;
}

void DecodeConfig(std::string_view bytes, Settings& s) {
  auto lines = SplitLines(bytes, 9);
  {
    LineReader r(lines[1]);
    r.ReadList(s.BreakPlanPreSet);
  }
  {
    LineReader r(lines[2]);
    r.ReadEntry(s.SelectBreakMode);
    r.Read(s.InterfereIntensity);
    r.Read(s.NotShowFrmBreakHintLastOneMin_FreeMode);
    r.Read(s.NotShowFrmBreakHintLastOneMin_PasswordMode);
  }
  {
    LineReader r(lines[3]);
    r.Read(s.SCR);
    r.ReadList(s.SCRSavers);
    r.Read(s.EnableShutDownDisplayer);
    r.Read(s.ShutDownDisplayer);
    r.Read(s.EnableSuspend);
    r.Read(s.LetSuspend);
    r.Read(s.RandomSCR);
    r.ReadEntry(s.StandByOrSleep);
    r.Read(s.UseKoPlayer);
  }
  {
    LineReader r(lines[4]);
    r.Read(s.RemindOnHalfHour);
  }
  {
    LineReader r(lines[5]);
    r.ReadEntry(s.BreakInterface);
    r.Read(s.RandomInterface);
    r.Read(s.ShowSlogan);
    r.Read(s.BreakFont);
    if (auto v = r.Int()) s.SelectSlogan(*v);
    r.Read(s.FadeInSpeed);
    r.Read(s.FadeInStep);
    r.Read(s.Transparency);
    r.Read(s.MoiseStrenth);
  }
  {
    LineReader r(lines[6]);
    r.Read(s.FontAdjust1);
    r.Read(s.FontAdjust2);
  }
  {
    LineReader r(lines[7]);
    r.Read(s.FontAdjustOfRemindCenterWindow);
  }
  {
    LineReader r(lines[8]);
    r.Read(s.ShowSOT);
    r.Read(s.HarwareIsLaptop);
    r.Read(s.EnablePopHelpInfo);
  }
}

}  // namespace tavu
