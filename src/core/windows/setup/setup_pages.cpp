// The settings window's pages: their controls derived from the page tables and the settings,
// and the user's changes taken back into the settings.
#include <charconv>

#include "ui/color_box.hpp"
#include "windows/setup/setup_form.hpp"
#include "windows/setup/setup_page.hpp"

namespace tavu {

std::span<const SetupPageTable> SetupPages() {
  static const SetupPageTable pages[] = {BasicPage(),     ModePage(),        ScreenSaverPage(),
                                         RemindersPage(), BreakScreenPage(), CountdownPage(),
                                         ChimePage(),     GeneralPage(),     MorePage()};
  return pages;
}

namespace {

using Kind = PageRow::Kind;

constexpr Color kLinkColor = Rgb(0, 0, 255);

const PageRow* FindRow(int id, int* page) {
  for (const SetupPageTable& table : SetupPages())
    for (const PageRow& row : table.rows)
      if (row.id == id) {
        *page = table.page;
        return &row;
      }
  return nullptr;
}

ui::Bar BarOf(const PageRow& row, const Bounded& value) {
  ui::Bar bar;
  bar.style = row.track ? ui::Bar::Style::Track : ui::Bar::Style::Scroll;
  bar.min = value.Lo();
  bar.max = value.Hi();
  bar.position = value;
  bar.line = row.line;
  bar.page = row.page;
  return bar;
}

// The list a row edits, whichever kind of choice it is.
const Choice* ChoiceOf(const PageRow& row, const Settings& s) {
  if (const auto* m = std::get_if<Choice Settings::*>(&row.setting)) return &(s.**m);
  if (const auto* m = std::get_if<CatalogueChoice Settings::*>(&row.setting)) return &(s.**m);
  return nullptr;
}

bool SelectChoice(const PageRow& row, Settings& s, int index) {
  if (const Choice* c = ChoiceOf(row, s); !c || index < 0 || index >= c->Count()) return false;
  if (const auto* m = std::get_if<Choice Settings::*>(&row.setting)) s.** m = index;
  if (const auto* m = std::get_if<CatalogueChoice Settings::*>(&row.setting)) s.** m = index;
  return true;
}

// A setting's value as the program starts with it: the colour boxes' "默认".
const Settings& Defaults() {
  static const Settings defaults;
  return defaults;
}

}  // namespace

// What a row shows, from the settings as they are now.
ui::AnyControl TfrmSetup::Describe(const PageRow& row) {
  const Settings& s = s_;
  const auto* flag = std::get_if<bool Settings::*>(&row.setting);
  const auto* number = std::get_if<Bounded Settings::*>(&row.setting);
  const auto* color = std::get_if<Color Settings::*>(&row.setting);
  switch (row.kind) {
    case Kind::Label:
    case Kind::Link: {
      ui::Label label;
      label.link = row.kind == Kind::Link;
      return label;
    }
    case Kind::GroupBox:
      return ui::GroupBox{};
    case Kind::Button:
      return ui::Button{};
    case Kind::Picture:
      return ui::Picture{};
    case Kind::CheckBox: {
      ui::CheckBox box;
      box.checked = flag && s.**flag;
      return box;
    }
    case Kind::RadioChoice: {
      ui::RadioChoice radio;
      if (const Choice* c = ChoiceOf(row, s)) {
        radio.items = c->Items();
        radio.index = *c;
      }
      return radio;
    }
    case Kind::ComboBox: {
      ui::ComboBox list;
      if (const Choice* c = ChoiceOf(row, s)) {
        list.items = c->Items();
        list.index = *c;
      } else {
        list.items.assign(row.items.begin(), row.items.end());
        list.index = list.items.empty() ? -1 : 0;
      }
      list.editable = row.typed != nullptr;
      return list;
    }
    case Kind::ColorBox:
      return color ? ui::ColorBoxFor(s.**color, Defaults().**color) : ui::ComboBox{};
    case Kind::NumberField: {
      ui::NumberField field;
      if (number) {
        field.min = (s.**number).Lo();
        field.max = (s.**number).Hi();
        field.value = s.**number;
      }
      return field;
    }
    case Kind::Bar:
      return number ? BarOf(row, s.**number) : ui::Bar{};
  }
  return ui::Label{};
}

void TfrmSetup::RefreshPages() {
  if (const int mode = s_.SelectBreakMode; mode >= 0 && mode <= 3) mode_group_ = mode;
  state_.controls.clear();
  for (const SetupPageTable& table : SetupPages()) {
    for (const PageRow& row : table.rows) {
      ui::AnyControl control = Describe(row);
      std::visit(
          [&](ui::Control& c) {
            c.rect = row.rect;
            c.auto_size = row.rect.Width() == 0;
            if (row.typed)
              c.text = *row.typed(*this);
            else
              c.text = row.text ? row.text(s_) : std::string(row.caption);
            c.hint = row.hint_text ? row.hint_text(s_) : std::string(row.hint);
            c.enabled = row.enabled && (!row.active || row.active(*this));
            c.visible = table.page == state_.page && (!row.shown || row.shown(*this));
            if (row.color) {
              c.font = state_.font;
              c.font->color = *row.color;
            }
            if (row.kind == Kind::Link) {
              c.font = state_.font;
              c.font->underline = true;
              c.font->color = kLinkColor;
            }
          },
          control);
      state_.controls.push_back({row.id, std::move(control)});
    }
  }
}

const SetupFormState& TfrmSetup::State() {
  RefreshPages();
  return state_;
}

void TfrmSetup::PageInput(int id, const ui::Input& input) {
  int page = -1;
  const PageRow* row = FindRow(id, &page);
  if (!row || !row->enabled || (row->active && !row->active(*this)) || page != state_.page ||
      (row->shown && !row->shown(*this)))
    return;
  const auto* flag = std::get_if<bool Settings::*>(&row->setting);
  const auto* number = std::get_if<Bounded Settings::*>(&row->setting);
  const auto* color = std::get_if<Color Settings::*>(&row->setting);
  if (number) changed_from_ = s_.**number;
  using In = ui::Input::Kind;
  switch (input.kind) {
    case In::Check:
      if (!flag || row->kind != Kind::CheckBox) return;
      s_.** flag = input.checked;
      break;
    case In::Select:
      if (color && row->kind == Kind::ColorBox) {
        const ui::ColorPick pick = ui::PickColor(s_.**color, Defaults().**color, input.value);
        if (pick.kind == ui::ColorPick::Kind::None) return;
        if (pick.kind == ui::ColorPick::Kind::Custom) {
          const std::optional<Color> chosen = dialogs_.AskColor(s_.**color);
          if (!chosen) return;  // cancelled: the box goes back to the colour it had
          s_.** color = *chosen;
        } else {
          s_.** color = pick.color;
        }
        break;
      }
      // An index the list does not have changes nothing.
      if (!SelectChoice(*row, s_, input.value)) return;
      if (row->typed) *row->typed(*this) = std::string(ChoiceOf(*row, s_)->Text());
      break;
    case In::Step:
      if (!number || row->kind != Kind::NumberField) return;
      s_.** number = (s_.**number).Get() + input.value;
      break;
    case In::Text: {
      if (row->typed && row->kind == Kind::ComboBox) {
        *row->typed(*this) = input.text;
        return;  // typed text is no choice: nothing reacts to it
      }
      if (!number || row->kind != Kind::NumberField) return;
      int value = 0;
      const char* end = input.text.data() + input.text.size();
      if (auto [at, error] = std::from_chars(input.text.data(), end, value);
          error != std::errc{} || at != end)
        return;  // not a number (yet): the setting keeps its value
      s_.** number = value;
      break;
    }
    case In::Scroll:
      if (!number || row->kind != Kind::Bar) return;
      s_.** number = BarOf(*row, s_.**number).Next(input.scroll);
      break;
    case In::Click:
      if (row->kind != Kind::Button && row->kind != Kind::Link) return;
      break;
  }
  if (row->react) (this->*row->react)();
}

}  // namespace tavu
