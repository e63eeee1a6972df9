#include "ui/hot_keys.hpp"

namespace tavu {

std::string HotKeyName(uint32_t modifiers, char key) {
  if (modifiers == kHotKeyModifier) return std::string("WIN+") + key;
  if (modifiers == kHotKeyFallbackModifiers) return std::string("CTRL+ALT+") + key;
  return std::string(kHotKeyTakenText);
}

std::vector<std::string> HotKeyListTexts(const std::array<uint32_t, kHotKeyCount>& modifiers) {
  std::vector<std::string> texts(kHotKeyCount);
  for (std::size_t i = 0; i < kHotKeyCount; ++i) {
    const HotKeyDef& h = kHotKeys[i];
    std::string& text = texts[static_cast<std::size_t>(h.list_entry)];
    text = h.action;
    text += ' ';
    text += HotKeyName(modifiers[i], h.key);
  }
  return texts;
}

std::string_view HotKeyOfEntry(const Settings& s, int list_entry) {
  const auto& items = s.HotKeyAction.Items();
  if (list_entry < 0 || list_entry >= static_cast<int>(items.size())) return {};
  const std::string_view entry = items[static_cast<std::size_t>(list_entry)];
  const auto space = entry.find(' ');
  return space == std::string_view::npos ? entry : entry.substr(space + 1);
}

}  // namespace tavu
