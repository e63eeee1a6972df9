// The settings window's pages: their controls derived from the page tables and the settings,
// and the user's changes taken back into the settings.
#include <charconv>

#include "windows/setup/setup_form.hpp"
#include "windows/setup/setup_page.hpp"

namespace tavu {

std::span<const SetupPageTable> SetupPages() {
  static const SetupPageTable pages[] = {ModePage()};
  return pages;
}

namespace {

using Kind = PageRow::Kind;

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
  bar.min = value.Lo();
  bar.max = value.Hi();
  bar.position = value;
  bar.line = row.line;
  bar.page = row.page;
  return bar;
}

// What a row shows, from the settings as they are now.
ui::AnyControl Describe(const PageRow& row, const Settings& s) {
  const auto* flag = std::get_if<bool Settings::*>(&row.setting);
  const auto* choice = std::get_if<Choice Settings::*>(&row.setting);
  const auto* number = std::get_if<Bounded Settings::*>(&row.setting);
  switch (row.kind) {
    case Kind::Label:
      return ui::Label{};
    case Kind::GroupBox:
      return ui::GroupBox{};
    case Kind::Button:
      return ui::Button{};
    case Kind::CheckBox: {
      ui::CheckBox box;
      box.checked = flag && s.**flag;
      return box;
    }
    case Kind::RadioChoice:
    case Kind::ComboBox: {
      std::vector<std::string> items;
      int index = -1;
      if (choice) {
        items = (s.**choice).Items();
        index = s.**choice;
      }
      if (row.kind == Kind::ComboBox) {
        ui::ComboBox list;
        list.items = std::move(items);
        list.index = index;
        return list;
      }
      ui::RadioChoice radio;
      radio.items = std::move(items);
      radio.index = index;
      return radio;
    }
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

}  // namespace

void TfrmSetup::RefreshPages() {
  if (const int mode = s_.SelectBreakMode; mode >= 0 && mode <= 3) mode_group_ = mode;
  state_.controls.clear();
  for (const SetupPageTable& table : SetupPages()) {
    for (const PageRow& row : table.rows) {
      ui::AnyControl control = Describe(row, s_);
      std::visit(
          [&](ui::Control& c) {
            c.rect = row.rect;
            c.text = row.text ? row.text(s_) : std::string(row.caption);
            c.hint = row.hint;
            c.enabled = row.enabled;
            c.visible = table.page == state_.page && (!row.shown || row.shown(*this));
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
  if (!row || !row->enabled || page != state_.page || (row->shown && !row->shown(*this))) return;
  const auto* flag = std::get_if<bool Settings::*>(&row->setting);
  const auto* choice = std::get_if<Choice Settings::*>(&row->setting);
  const auto* number = std::get_if<Bounded Settings::*>(&row->setting);
  using In = ui::Input::Kind;
  switch (input.kind) {
    case In::Check:
      if (!flag || row->kind != Kind::CheckBox) return;
      s_.** flag = input.checked;
      break;
    case In::Select:
      // An index the list does not have changes nothing.
      if (!choice || input.value < 0 || input.value >= (s_.**choice).Count()) return;
      s_.** choice = input.value;
      break;
    case In::Step:
      if (!number || row->kind != Kind::NumberField) return;
      s_.** number = (s_.**number).Get() + input.value;
      break;
    case In::Text: {
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
      if (row->kind != Kind::Button) return;
      break;
  }
  if (row->react) (this->*row->react)();
}

}  // namespace tavu
