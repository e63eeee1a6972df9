#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavu {

// What reading a file found. A file that is there but could not be read whole is Unreadable,
// never Absent and never a part of it: the caller must not take it for "no file".
struct FileRead {
  enum class Status {
    Absent,      // no such file
    Read,        // `bytes` holds the file, or its first `limit` bytes when it is larger
    Unreadable,  // access denied, held open without sharing, a read error part-way, a folder
  };
  Status status = Status::Absent;
  std::string bytes;
};

// Paths are UTF-8 with backslashes; folders end with a backslash.
class Files {
 public:
  virtual ~Files() = default;
  // The folder of the running executable.
  virtual std::string ExeFolder() = 0;
  virtual std::string ExePath() = 0;
  virtual FileRead Read(std::string_view path, std::size_t limit) = 0;
  // Writes a fresh temporary file beside the target, then puts it in the target's place in one
  // step. A failure leaves the old file as it was and no temporary behind; whatever else lies
  // beside the target (an earlier temporary, a folder of any name) does not get in the way.
  virtual bool WriteAtomic(std::string_view path, std::string_view bytes) = 0;
  // A file or a folder.
  virtual bool Exists(std::string_view path) = 0;
  // Gives a file a new name (the same volume); false if the name is taken or it stays.
  virtual bool Rename(std::string_view from, std::string_view to) = 0;
  // Whether a new file can be made in `folder` now, found by making and deleting one: rights,
  // read-only media and a folder under Program Files make any guess from attributes wrong.
  virtual bool CanCreateIn(std::string_view folder) = 0;
  // One level; true when the folder exists afterwards.
  virtual bool CreateFolder(std::string_view path) = 0;
  virtual std::vector<std::string> List(std::string_view folder, std::string_view pattern) = 0;
};

}  // namespace tavu
