// Writing an output file so that a failed write never costs the file it replaces: the new
// content goes to a new file in the target's folder, which is moved over the target only
// once every write and the close have succeeded. The CSV, workbook and settings writers
// all write through it.
#pragma once
#include <string>
#include <string_view>

class FileReplacement {
public:
  // Makes the new file beside the target, with the target's permissions, or those a fresh
  // file gets. A symbolic link is followed to the file it names, through a chain of links,
  // whether that file exists or not (it is made there, and the links stay); links that go
  // round in a loop are refused. A target that is no regular file (a device) is written
  // itself, and so is one whose folder takes no new file; a folder on a full disk takes
  // none either, and then nothing is written (writing the target itself would truncate it
  // first).
  explicit FileReplacement(std::wstring_view target);
  // Removes a new file that was not moved over the target.
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // False when nothing may be written.
  bool ready() const { return ready_; }
  // Where the writer writes: the new file, or the target itself.
  const std::wstring& path() const { return writePath_; }
  // Moves the new file over the target, after the writer has written and closed it whole;
  // false (the new file removed) when it cannot. True for a target written itself.
  bool commit();

private:
  bool ready_ = true;
  std::wstring writePath_;
  std::string newFile_;  // empty when the target is written itself
  std::string target_;
};

// Writes the bytes as the whole file at the path, through a FileReplacement: true only when
// every byte was written, the file closed and moved in place; otherwise a file that was
// there stays as it was.
bool writeWholeFile(std::wstring_view path, std::string_view bytes);
