#include "settings/ini_file.hpp"

#include <charconv>
#include <optional>
#include <variant>

namespace tavu {
namespace {

constexpr std::string_view kSection = "[Tavu]";
constexpr std::string_view kHeader = "; 岚禾休息软件的其它设置（lh20cfg 之外）。";

// "1" or "0"; "true"/"false" are read too.
struct Flag {
  bool Settings::*member;
};
struct Number {
  Bounded Settings::*member;
};
// An index that must name an entry.
struct Pick {
  Choice Settings::*member;
};
// "#RRGGBB", or "system:N" for a system colour.
struct Shade {
  Color Settings::*member;
};
// One line of text; "\n", "\r", "\t" and "\\" stand for what they do in C.
struct Text {
  std::string Settings::*member;
};
// The slogan font's parts other than its size, which the configuration file keeps.
struct FontName {};
struct FontColor {};
struct FontStyle {
  bool StoredFont::*member;
};
struct FontCharset {};

using Binding =
    std::variant<Flag, Number, Pick, Shade, Text, FontName, FontColor, FontStyle, FontCharset>;

struct Field {
  std::string_view name;
  Binding binding;
};

// Every value of the file, once. Adding a setting to the file is one row here.
const Field kFields[] = {
    {"BreakOnAllMonitors", Flag{&Settings::BreakOnAllMonitors}},
    {"DeferWhenPresenting", Flag{&Settings::DeferWhenPresenting}},
    {"DeferInCalls", Flag{&Settings::DeferInCalls}},
    {"DeferMaxMins", Number{&Settings::DeferMaxMins}},
    {"SoundCues", Flag{&Settings::SoundCues}},
    {"KeepHistory", Flag{&Settings::KeepHistory}},
    {"KeepHistoryDays", Number{&Settings::KeepHistoryDays}},
    // Settings the window edits that the configuration file has no place for.
    {"DisableKeyboard", Flag{&Settings::DisableKeyboard}},
    {"HideCursor", Flag{&Settings::HideCursor}},
    {"EnableSelfSCR", Flag{&Settings::EnableSelfSCR}},
    {"AutoRestoreDisabledSCR", Flag{&Settings::AutoRestoreDisabledSCR}},
    {"RestoreSCRAfterMins", Number{&Settings::RestoreSCRAfterMins}},
    {"RemindOnHour", Flag{&Settings::RemindOnHour}},
    {"RemindOnce1", Flag{&Settings::RemindOnce1}},
    {"HourOfRemindOnce1", Number{&Settings::HourOfRemindOnce1}},
    {"MinOfRemindOnce1", Number{&Settings::MinOfRemindOnce1}},
    {"ContentOfRemindOnce1", Text{&Settings::ContentOfRemindOnce1}},
    {"RemindOnce2", Flag{&Settings::RemindOnce2}},
    {"HourOfRemindOnce2", Number{&Settings::HourOfRemindOnce2}},
    {"MinOfRemindOnce2", Number{&Settings::MinOfRemindOnce2}},
    {"ContentOfRemindOnce2", Text{&Settings::ContentOfRemindOnce2}},
    {"SelectRemindHourWindow", Pick{&Settings::SelectRemindHourWindow}},
    {"SelectRemindOnceWindow", Pick{&Settings::SelectRemindOnceWindow}},
    {"RemindHourWindowColorMain", Shade{&Settings::RemindHourWindowColorMain}},
    {"RemindHourWindowColorBorder", Shade{&Settings::RemindHourWindowColorBorder}},
    {"RemindOnceWindowColorMain", Shade{&Settings::RemindOnceWindowColorMain}},
    {"RemindOnceWindowColorBorder", Shade{&Settings::RemindOnceWindowColorBorder}},
    {"RemindHourUseColorOfMainSetup", Flag{&Settings::RemindHourUseColorOfMainSetup}},
    {"RemindOnceUseColorOfMainSetup", Flag{&Settings::RemindOnceUseColorOfMainSetup}},
    {"Slogan", Text{&Settings::Slogan}},
    {"SloganFontName", FontName{}},
    {"SloganFontColor", FontColor{}},
    {"SloganFontBold", FontStyle{&StoredFont::bold}},
    {"SloganFontItalic", FontStyle{&StoredFont::italic}},
    {"SloganFontUnderline", FontStyle{&StoredFont::underline}},
    {"SloganFontStrikeOut", FontStyle{&StoredFont::strike_out}},
    {"SloganFontCharset", FontCharset{}},
    {"UseMoiseEffect", Flag{&Settings::UseMoiseEffect}},
    {"ShowPowerButton", Flag{&Settings::ShowPowerButton}},
    {"ToggleB4Break", Flag{&Settings::ToggleB4Break}},
    {"ShowCurrentMode", Flag{&Settings::ShowCurrentMode}},
    {"ZoomRate1", Pick{&Settings::ZoomRate1}},
    {"ZoomPercent1", Number{&Settings::ZoomPercent1}},
    {"BreakHintColorMain", Shade{&Settings::BreakHintColorMain}},
    {"ZoomRate2", Pick{&Settings::ZoomRate2}},
    {"ZoomPercent2", Number{&Settings::ZoomPercent2}},
    {"HintSmallWindowColorMain", Shade{&Settings::HintSmallWindowColorMain}},
    {"ZoomRateRemindCenterWindow", Pick{&Settings::ZoomRateRemindCenterWindow}},
    {"ZoomPercentRemindCenterWindow", Number{&Settings::ZoomPercentRemindCenterWindow}},
    {"ColorMainOfRemindCenterWindow", Shade{&Settings::ColorMainOfRemindCenterWindow}},
    {"ColorBorderOfRemindCenterWindow", Shade{&Settings::ColorBorderOfRemindCenterWindow}},
    {"ShowDesktopDeco", Flag{&Settings::ShowDesktopDeco}},
    {"ActionOnSelectTerminate", Pick{&Settings::ActionOnSelectTerminate}},
    {"HotKeyAction", Pick{&Settings::HotKeyAction}},
};

// System colour indexes run from 0 to 30.
constexpr unsigned kLastSystemColor = 30;
// A font name longer than this is not one; Windows' own limit is 31 characters.
constexpr std::size_t kMaxFontNameBytes = 31 * 4;
// Reminder texts and slogans are a line each; a longer value is not the user's.
constexpr std::size_t kMaxTextBytes = 4096;

template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

std::optional<int> ParseInt(std::string_view text) {
  int v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (text.empty() || ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return v;
}

std::optional<bool> ParseFlag(std::string_view text) {
  if (text == "1" || text == "true" || text == "TRUE") return true;
  if (text == "0" || text == "false" || text == "FALSE") return false;
  return std::nullopt;
}

std::string FormatColor(Color c) {
  if (IsSystemColor(c)) return "system:" + std::to_string(c & 0xff);
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string out = "#";
  for (int shift : {0, 8, 16}) {  // red, green, blue
    const unsigned byte = (c >> shift) & 0xff;
    out += kHex[byte >> 4];
    out += kHex[byte & 15];
  }
  return out;
}

std::optional<Color> ParseColor(std::string_view text) {
  constexpr std::string_view kSystem = "system:";
  if (text.substr(0, kSystem.size()) == kSystem) {
    const auto index = ParseInt(text.substr(kSystem.size()));
    if (!index || *index < 0 || static_cast<unsigned>(*index) > kLastSystemColor)
      return std::nullopt;
    return SystemColor(static_cast<uint8_t>(*index));
  }
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  Color c = 0;
  for (std::size_t i = 1; i < 7; i += 2) {
    unsigned byte = 0;
    auto [end, ec] = std::from_chars(text.data() + i, text.data() + i + 2, byte, 16);
    if (ec != std::errc{} || end != text.data() + i + 2) return std::nullopt;
    c |= static_cast<Color>(byte) << (4 * (i - 1));
  }
  return c;
}

// Spaces at either end are written "\s", so that trimming the line cannot take them.
std::string Escape(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  const std::size_t last = text.find_last_not_of(' ');
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ' ' && (i < first || first == std::string_view::npos || i > last)) {
      out += "\\s";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else {
      out += c;
    }
  }
  return out;
}

std::optional<std::string> Unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\0') return std::nullopt;
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\':
        out += '\\';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 't':
        out += '\t';
        break;
      case 's':
        out += ' ';
        break;
      default:
        return std::nullopt;
    }
  }
  if (out.size() > kMaxTextBytes) return std::nullopt;
  return out;
}

std::string Format(const Settings& s, const Binding& binding) {
  return std::visit(
      Overloaded{
          [&](const Flag& f) -> std::string { return s.*f.member ? "1" : "0"; },
          [&](const Number& f) { return std::to_string((s.*f.member).Get()); },
          [&](const Pick& f) { return std::to_string((s.*f.member).Index()); },
          [&](const Shade& f) { return FormatColor(s.*f.member); },
          [&](const Text& f) { return Escape(s.*f.member); },
          [&](const FontName&) { return Escape(s.BreakFont.name); },
          [&](const FontColor&) { return FormatColor(s.BreakFont.color); },
          [&](const FontStyle& f) -> std::string { return s.BreakFont.*f.member ? "1" : "0"; },
          [&](const FontCharset&) { return std::to_string(s.BreakFont.charset); },
      },
      binding);
}

void Apply(std::string_view text, Settings& s, const Binding& binding) {
  std::visit(Overloaded{
                 [&](const Flag& f) {
                   if (auto v = ParseFlag(text)) s.*f.member = *v;
                 },
                 [&](const Number& f) {
                   if (auto v = ParseInt(text)) s.*f.member = *v;
                 },
                 [&](const Pick& f) {
                   auto v = ParseInt(text);
                   if (v && *v >= 0 && *v < (s.*f.member).Count()) s.*f.member = *v;
                 },
                 [&](const Shade& f) {
                   if (auto v = ParseColor(text)) s.*f.member = *v;
                 },
                 [&](const Text& f) {
                   if (auto v = Unescape(text)) s.*f.member = std::move(*v);
                 },
                 [&](const FontName&) {
                   auto v = Unescape(text);
                   if (v && !v->empty() && v->size() <= kMaxFontNameBytes)
                     s.BreakFont.name = std::move(*v);
                 },
                 [&](const FontColor&) {
                   if (auto v = ParseColor(text)) s.BreakFont.color = *v;
                 },
                 [&](const FontStyle& f) {
                   if (auto v = ParseFlag(text)) s.BreakFont.*f.member = *v;
                 },
                 [&](const FontCharset&) {
                   auto v = ParseInt(text);
                   if (v && *v >= 0 && *v <= 255) s.BreakFont.charset = *v;
                 },
             },
             binding);
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

const Field* Find(std::string_view name) {
  for (const Field& f : kFields)
    if (f.name == name) return &f;
  return nullptr;
}

}  // namespace

std::string EncodeIni(const Settings& s, const ForeignLines& foreign) {
  std::string out(kHeader);
  out += "\r\n";
  out += kSection;
  out += "\r\n";
  for (const Field& f : kFields) {
    out += f.name;
    out += '=';
    out += Format(s, f.binding);
    out += "\r\n";
  }
  for (const std::string& line : foreign) {
    out += line;
    out += "\r\n";
  }
  return out;
}

ForeignLines DecodeIni(std::string_view bytes, Settings& s) {
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (bytes.substr(0, kBom.size()) == kBom) bytes.remove_prefix(kBom.size());
  ForeignLines foreign;
  bool in_section = false;
  while (!bytes.empty()) {
    const auto lf = bytes.find('\n');
    std::string_view line = bytes.substr(0, lf);
    bytes.remove_prefix(lf == std::string_view::npos ? bytes.size() : lf + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = Trim(line);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      in_section = line == kSection;
      continue;
    }
    const auto eq = line.find('=');
    if (!in_section || eq == std::string_view::npos) continue;
    if (const Field* f = Find(Trim(line.substr(0, eq)))) {
      Apply(Trim(line.substr(eq + 1)), s, f->binding);
    } else if (line.find('\0') == std::string_view::npos && foreign.size() < 256) {
      foreign.emplace_back(line);
    }
  }
  return foreign;
}

}  // namespace tavu
