#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "base/geometry.hpp"

namespace tavu {

inline constexpr std::string_view kQuestionCaption = "岚禾提示";
inline constexpr std::string_view kNoteCaption = "提示";

// A font as the system's font dialog edits it.
struct FontChoice {
  std::string face;
  int size_pt = 12;
  Color color = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
  int charset = 1;
  bool operator==(const FontChoice&) const = default;
};

// Message boxes and the system's colour and font dialogs. Questions are system-modal with Yes and
// No.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual bool Ask(std::string_view text, std::string_view caption) = 0;
  virtual void Inform(std::string_view text, std::string_view caption, bool system_modal) = 0;
  virtual void Warn(std::string_view text, std::string_view caption) = 0;
  // System-modal with the question icon and OK and Cancel; true on OK.
  virtual bool Confirm(std::string_view text, std::string_view caption) = 0;
  // System-modal with the information icon and Yes and No: a suggestion rather than a
  // question; true on Yes.
  virtual bool Suggest(std::string_view text, std::string_view caption) = 0;
  // System-modal with the question icon and OK only.
  virtual void Acknowledge(std::string_view text, std::string_view caption) = 0;
  // The colour dialog at `initial`; nothing when cancelled.
  virtual std::optional<Color> AskColor(Color initial) = 0;
  // The font dialog (with effects and colour) on `font`; false when cancelled.
  virtual bool AskFont(FontChoice& font) = 0;
  // The save-file dialog: `file_name` proposed, files of `extension` (without the dot) listed
  // under `kind`, an existing file replaced only after the dialog asked. The chosen path
  // (UTF-8), nothing when cancelled.
  virtual std::optional<std::string> AskSaveFile(std::string_view title, std::string_view file_name,
                                                 std::string_view kind,
                                                 std::string_view extension) = 0;
};

}  // namespace tavu
