#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace tavu {

// One item of the notification-area menu. Separators have no caption; submenus have children.
struct MenuItem {
  std::string name;
  std::string caption;
  int id = 0;  // command id, unique in the tree (0 for separators and submenus)
  bool separator = false;
  bool checked = false;
  bool enabled = true;
  std::vector<MenuItem> children;
};

// The tree of `PopupMenu1` with its check marks and enabled states.
class MainMenu {
 public:
  MainMenu();
  const MenuItem& Root() const { return root_; }
  MenuItem* Find(std::string_view name);
  const MenuItem* Find(std::string_view name) const;
  const MenuItem* FindById(int id) const;
  // Command id of an item by name; 0 when there is none.
  static int IdOf(std::string_view name);

  bool Checked(std::string_view name) const;
  void SetChecked(std::string_view name, bool checked);
  void SetEnabled(std::string_view name, bool enabled);
  void SetCaption(std::string_view name, std::string_view caption);
  // Exactly one of the four rest-mode items carries the check mark.
  void CheckMode(int mode);

 private:
  MenuItem root_;
};

inline constexpr std::string_view kModeItems[4] = {"NModeFree", "NModePassword",
                                                   "NModeInterference", "NModeEnforce"};
inline constexpr std::string_view kScrEnabledCaption = "已启用,点击禁用";
inline constexpr std::string_view kScrDisabledCaption = "已禁用,点击启用";

}  // namespace tavu
