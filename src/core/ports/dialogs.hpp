#pragma once
#include <string_view>

namespace tavu {

inline constexpr std::string_view kQuestionCaption = "岚禾提示";
inline constexpr std::string_view kNoteCaption = "提示";

// Message boxes. Questions are system-modal with Yes and No.
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
};

}  // namespace tavu
