#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings.hpp"
#include "ui/menu.hpp"

namespace tavu {

// The seven global hot keys: atom names (also their ids), keys, the menu command each runs
// (none: the built-in screen saver, which has no menu item), and where each sits in the hot-key
// list with its action's name. Each is registered with the Windows key; current Windows keeps
// many Win+letter keys for itself, and a key it refuses is registered with Ctrl+Alt instead.
struct HotKeyDef {
  std::string_view atom;
  char key;
  MenuCommand command;
  int list_entry;
  std::string_view action;
};
inline constexpr uint32_t kHotKeyModifier = 8;           // MOD_WIN
inline constexpr uint32_t kHotKeyFallbackModifiers = 3;  // MOD_CONTROL | MOD_ALT
inline constexpr std::size_t kHotKeyCount = 7;
inline constexpr HotKeyDef kHotKeys[kHotKeyCount] = {
    {"Hotkey_zevo1", 'S', MenuCommand::None, 4, "启动屏保"},
    {"Hotkey_zevo2", 'Z', MenuCommand::OpenNotePad, 0, "打开记事本"},
    {"Hotkey_zevo3", 'C', MenuCommand::OpenCalculator, 1, "启用计算器"},
    {"Hotkey_zevo4", 'W', MenuCommand::OpenWord, 2, "打开WORD"},
    {"Hotkey_zevo5", 'K', MenuCommand::DisableSelfSCR, 5, "屏保开关"},
    {"Hotkey_zevo6", 'V', MenuCommand::ShowSOT, 6, "倩影开关"},
    {"Hotkey_zevo7", 'X', MenuCommand::OpenExcel, 3, "打开EXCEL"}};
// The list entries of the two switches that tips name.
inline constexpr int kSaverSwitchEntry = 5;
inline constexpr int kSotSwitchEntry = 6;
// What a hot key is called in the lists: "WIN+Z", "CTRL+ALT+Z", or that it is taken.
inline constexpr std::string_view kHotKeyTakenText = "(已被其他程序占用)";
std::string HotKeyName(uint32_t modifiers, char key);
// The hot-key list's entries, "打开记事本 WIN+Z" and so on, for the modifiers each key got
// (0: none would register).
std::vector<std::string> HotKeyListTexts(const std::array<uint32_t, kHotKeyCount>& modifiers);
// The key part of a hot-key list entry ("WIN+K"), for tips that name one.
std::string_view HotKeyOfEntry(const Settings& s, int list_entry);

}  // namespace tavu
