#include "settings/settings_store.hpp"

#include "settings/config_file.hpp"

namespace tavu {

std::string ConfigUnreadableText(std::string_view path) {
  return "无法读取设置文件：\n" + std::string(path) +
         "\n\n它可能正被其他程序占用，或者没有读取它的权限。本次没有载入其中的设置，"
         "程序暂时使用默认设置运行。\n\n这个文件会原样保留，不会被覆盖：关闭设置窗口时，"
         "程序会先征求你的同意。";
}

std::string ReplaceUnreadableConfigQuestion(std::string_view path) {
  return "程序启动时无法读取设置文件：\n" + std::string(path) +
         "\n其中的设置没有载入。\n\n是否用当前的设置替换这个文件？\n"
         "选择“否”将保留原文件，本次的设置不保存，只在程序运行期间有效。";
}

std::string SettingsStore::Path() {
  if (!path_.empty()) return path_;
  const std::string exe_folder = files_.ExeFolder();
  const std::string app_data = links_.FolderPath(ShellFolder::AppData);
  if (files_.CanCreateIn(exe_folder) || app_data.empty()) {
    path_ = exe_folder + std::string(kConfigFileName);
  } else {
    user_folder_ = app_data;
    if (user_folder_.back() != '\\') user_folder_ += '\\';
    user_folder_ += kUserConfigFolder;
    path_ = user_folder_ + '\\' + std::string(kConfigFileName);
  }
  return path_;
}

bool SettingsStore::MakeUserFolder() {
  if (user_folder_.empty() || files_.Exists(user_folder_)) return true;
  // One level at a time, each only if missing: the maker's folder may already be there.
  for (std::size_t at = user_folder_.find('\\', user_folder_.size() - kUserConfigFolder.size());;
       at = user_folder_.find('\\', at + 1)) {
    const std::string folder = user_folder_.substr(0, at);
    if (!files_.Exists(folder) && !files_.CreateFolder(folder)) return false;
    if (at == std::string::npos) return true;
  }
}

SettingsStore::LoadResult SettingsStore::Load(Settings& s) {
  const std::string path = Path();
  const FileRead file = files_.Read(path, kConfigFileReadLimit);
  switch (file.status) {
    case FileRead::Status::Absent:
      return LoadResult::Absent;
    case FileRead::Status::Read:
      DecodeConfig(file.bytes, s);
      return LoadResult::Loaded;
    case FileRead::Status::Unreadable:
      break;
  }
  ask_before_replacing_ = true;
  dialogs_.Warn(ConfigUnreadableText(path), kNoteCaption);
  return LoadResult::Unreadable;
}

SettingsStore::SaveResult SettingsStore::Save(const Settings& s) {
  const std::string path = Path();
  // Only while the file is there: one the user has deleted since holds nothing to lose.
  if (ask_before_replacing_ && files_.Exists(path)) {
    if (!dialogs_.Ask(ReplaceUnreadableConfigQuestion(path), kQuestionCaption))
      return SaveResult::Kept;
  }
  ask_before_replacing_ = false;  // consent, once given, holds for the rest of the run
  if (MakeUserFolder() && files_.WriteAtomic(path, EncodeConfig(s))) return SaveResult::Saved;
  dialogs_.Warn(kSaveFailedText, kNoteCaption);
  return SaveResult::Failed;
}

}  // namespace tavu
