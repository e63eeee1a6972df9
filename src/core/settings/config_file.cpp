#include "settings/config_file.hpp"

#include <algorithm>
#include <charconv>
#include <optional>
#include <variant>
#include <vector>

namespace tavu {
namespace {

// "请勿擅自更改数据，由此造成的软件运行错误，后果自负！" in code page 936.
constexpr unsigned char kWarningLine[] = {
    0xc7, 0xeb, 0xce, 0xf0, 0xc9, 0xc3, 0xd7, 0xd4, 0xb8, 0xfc, 0xb8, 0xc4, 0xca,
    0xfd, 0xbe, 0xdd, 0xa3, 0xac, 0xd3, 0xc9, 0xb4, 0xcb, 0xd4, 0xec, 0xb3, 0xc9,
    0xb5, 0xc4, 0xc8, 0xed, 0xbc, 0xfe, 0xd4, 0xcb, 0xd0, 0xd0, 0xb4, 0xed, 0xce,
    0xf3, 0xa3, 0xac, 0xba, 0xf3, 0xb9, 0xfb, 0xd7, 0xd4, 0xb8, 0xba, 0xa3, 0xa1};

// The kinds of field. Each names the setting it binds; the kind decides how it is written and
// what reading it may change.

// "TRUE" or "FALSE"; on reading, "true" in any letter case is true and any other text false.
struct Flag {
  bool Settings::*member;
};
// A decimal integer kept within the setting's own bounds.
struct Number {
  Bounded Settings::*member;
};
// The index of a choice where "no entry" means something: an index past the list selects
// nothing. `select`, when given, is how the choice is made on reading.
struct ListChoice {
  Choice Settings::*member;
  void (Settings::*select)(int) = nullptr;
};
// The index of a choice that must always name an entry: an index past the list is ignored.
struct EntryChoice {
  Choice Settings::*member;
};
// The index of a catalogue choice: held as read until the catalogue is built.
struct CatalogueIndex {
  CatalogueChoice Settings::*member;
};
// Only a font's point size is kept, within bounds of its own.
struct FontSize {
  StoredFont Settings::*member;
  int lo, hi;
};

using Binding = std::variant<Flag, Number, ListChoice, EntryChoice, CatalogueIndex, FontSize>;

struct Field {
  int line;  // the value line "[line]"
  int pos;   // from 1, in the order the line holds its fields
  Binding binding;
};

// Every field of the file, once, in file order. Adding a setting to the file is one row here.
constexpr Field kFields[] = {
    {0, 1, ListChoice{&Settings::BreakPlanPreSet}},
    {1, 1, EntryChoice{&Settings::SelectBreakMode}},
    {1, 2, Number{&Settings::InterfereIntensity}},
    {1, 3, Flag{&Settings::NotShowFrmBreakHintLastOneMin_FreeMode}},
    {1, 4, Flag{&Settings::NotShowFrmBreakHintLastOneMin_PasswordMode}},
    {2, 1, Number{&Settings::SCR}},
    {2, 2, CatalogueIndex{&Settings::SCRSavers}},
    {2, 3, Flag{&Settings::EnableShutDownDisplayer}},
    {2, 4, Number{&Settings::ShutDownDisplayer}},
    {2, 5, Flag{&Settings::EnableSuspend}},
    {2, 6, Number{&Settings::LetSuspend}},
    {2, 7, Flag{&Settings::RandomSCR}},
    {2, 8, EntryChoice{&Settings::StandByOrSleep}},
    {2, 9, Flag{&Settings::UseKoPlayer}},
    {3, 1, Flag{&Settings::RemindOnHalfHour}},
    {4, 1, EntryChoice{&Settings::BreakInterface}},
    {4, 2, Flag{&Settings::RandomInterface}},
    {4, 3, Flag{&Settings::ShowSlogan}},
    {4, 4, FontSize{&Settings::BreakFont, kMinSloganPoints, kMaxSloganPoints}},
    // Choosing a suggestion also makes it the slogan in use; past the list, the text stays.
    {4, 5, ListChoice{&Settings::SloganList, &Settings::SelectSlogan}},
    {4, 6, Number{&Settings::FadeInSpeed}},
    {4, 7, Number{&Settings::FadeInStep}},
    {4, 8, Number{&Settings::Transparency}},
    {4, 9, Number{&Settings::MoiseStrenth}},
    {5, 1, Number{&Settings::FontAdjust1}},
    {5, 2, Number{&Settings::FontAdjust2}},
    {6, 1, Number{&Settings::FontAdjustOfRemindCenterWindow}},
    {7, 1, Flag{&Settings::ShowSOT}},
    {7, 2, Flag{&Settings::HarwareIsLaptop}},
    {7, 3, Flag{&Settings::EnablePopHelpInfo}},
};

// Lines from 0 without a gap, fields of a line from 1 without a gap.
constexpr bool InFileOrder() {
  int line = -1, pos = 0;
  for (const Field& f : kFields) {
    if (f.line == line && f.pos == pos + 1) {
      pos = f.pos;
    } else if (f.line == line + 1 && f.pos == 1) {
      line = f.line;
      pos = 1;
    } else {
      return false;
    }
  }
  return true;
}
static_assert(InFileOrder(), "the field table must list lines and fields in file order");

constexpr std::size_t kValueLines =
    static_cast<std::size_t>(kFields[std::size(kFields) - 1].line) + 1;

template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

void Append(std::string& out, const Settings& s, const Binding& binding) {
  std::visit(Overloaded{
                 [&](const Flag& f) { out += s.*f.member ? "TRUE" : "FALSE"; },
                 [&](const Number& f) { out += std::to_string((s.*f.member).Get()); },
                 [&](const ListChoice& f) { out += std::to_string((s.*f.member).Index()); },
                 [&](const EntryChoice& f) { out += std::to_string((s.*f.member).Index()); },
                 [&](const CatalogueIndex& f) { out += std::to_string((s.*f.member).Stored()); },
                 [&](const FontSize& f) { out += std::to_string((s.*f.member).size_pt); },
             },
             binding);
}

std::optional<int> ParseInt(std::string_view text) {
  if (text.empty()) return std::nullopt;
  int v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return v;
}

bool EqualsTrue(std::string_view text) {
  constexpr std::string_view kTrue = "true";
  if (text.size() != kTrue.size()) return false;
  for (std::size_t i = 0; i < kTrue.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kTrue[i]) return false;
  }
  return true;
}

// A field that is present but empty or not a decimal integer leaves an integer setting as it
// is; an empty boolean field reads as false.
void Apply(std::string_view text, Settings& s, const Binding& binding) {
  const std::optional<int> v = ParseInt(text);
  std::visit(Overloaded{
                 [&](const Flag& f) { s.*f.member = EqualsTrue(text); },
                 [&](const Number& f) {
                   if (v) s.*f.member = *v;
                 },
                 [&](const ListChoice& f) {
                   if (!v) return;
                   if (f.select)
                     (s.*f.select)(*v);
                   else
                     s.*f.member = *v;
                 },
                 [&](const EntryChoice& f) {
                   if (v && *v >= 0 && *v < (s.*f.member).Count()) s.*f.member = *v;
                 },
                 [&](const CatalogueIndex& f) {
                   if (v) (s.*f.member).Restore(*v);
                 },
                 [&](const FontSize& f) {
                   if (v) (s.*f.member).size_pt = std::clamp(*v, f.lo, f.hi);
                 },
             },
             binding);
}

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

// The fields of one value line: what follows the first space, split at every space. The tag
// before the first space is not looked at.
std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  auto space = line.find(' ');
  if (space == std::string_view::npos) return fields;
  std::string_view rest = line.substr(space + 1);
  for (;;) {
    auto next = rest.find(' ');
    fields.push_back(rest.substr(0, next));
    if (next == std::string_view::npos) break;
    rest = rest.substr(next + 1);
  }
  return fields;
}

}  // namespace

std::string EncodeConfig(const Settings& s) {
  std::string out(reinterpret_cast<const char*>(kWarningLine), sizeof kWarningLine);
  int line = -1;
  for (const Field& f : kFields) {
    if (f.line != line) {
      line = f.line;
      out += "\r\n[" + std::to_string(line) + ']';
    }
    out += ' ';
    Append(out, s, f.binding);
  }
  out += "\r\n";
  return out;
}

void DecodeConfig(std::string_view bytes, Settings& s) {
  // The first line is the warning and is never read; lines are matched by position.
  const auto lines = SplitLines(bytes, 1 + kValueLines);
  std::vector<std::vector<std::string_view>> fields;
  for (std::size_t k = 0; k < kValueLines; ++k) fields.push_back(SplitFields(lines[1 + k]));
  for (const Field& f : kFields) {
    const auto& line = fields[static_cast<std::size_t>(f.line)];
    const auto index = static_cast<std::size_t>(f.pos - 1);
    if (index < line.size()) Apply(line[index], s, f.binding);  // a missing field keeps its value
  }
}

}  // namespace tavu
