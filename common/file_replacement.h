// Writing an output file so that a failed write never costs the file it replaces: the new
// content goes to a new file in the target's folder, which is moved over the target only
// once every write and the close have succeeded. The CSV, workbook and settings writers
// all write through it.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class FileReplacement {
public:
  // The largest earlier file that is kept in memory to be written in place (below).
  static constexpr std::uint64_t kMostKeptBytes = std::uint64_t(64) << 20;

  // Makes the new file beside the target, with the target's permissions, or those a fresh
  // file gets. A symbolic link is followed to the file it names, through a chain of links,
  // whether that file exists or not (it is made there, and the links stay); links that go
  // round in a loop are refused. A target that is no regular file (a device) is written
  // itself, and so is one whose folder takes no new file: then its bytes are read first,
  // to be put back when the new ones are not written whole, and one larger than
  // kMostKeptBytes, or one that cannot be read, is refused. A folder on a full disk takes
  // no new file either, and then nothing is written.
  explicit FileReplacement(std::wstring_view target);
  // Removes a new file that was not moved over the target; puts back the earlier bytes of
  // a target written itself that was not committed.
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
  // Reads the bytes of the target, to be written in place; false when it cannot keep them.
  bool keepEarlierBytes();
  // Writes the kept bytes back as the whole target.
  void putBackEarlierBytes();

  // The new file, removed with its name unless that was cleared once the file was moved
  // over the target: owned from the moment it is made, also when the constructor throws.
  struct NewFile {
    std::string name;  // empty when the target is written itself
    NewFile() = default;
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    ~NewFile();
  };

  bool ready_ = true;
  std::wstring writePath_;
  NewFile newFile_;
  std::string target_;
  std::optional<std::string> earlier_;  // the bytes of a target written itself, until committed
};

// Writes the bytes as the whole file at the path, through a FileReplacement: true only when
// every byte was written, the file closed and moved in place; otherwise a file that was
// there stays as it was.
bool writeWholeFile(std::wstring_view path, std::string_view bytes);
