#include "common/file_replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <optional>
#include <utility>

#include "platform/win/codepage.h"

namespace {

namespace fs = std::filesystem;

// The most symbolic links followed one after the other, as the system follows them.
constexpr int kMostLinks = 40;

// The file a write to the path lands in: symbolic links are followed, each relative one
// from the folder it lies in, to the file the last one names, which need not exist (an
// ordinary open makes it). None when the links go round or on too long.
std::optional<fs::path> landingFile(fs::path path) {
  for (int links = 0; links <= kMostLinks; ++links) {
    std::error_code error;
    if (!fs::is_symlink(path, error)) return path;
    fs::path named = fs::read_symlink(path, error);
    if (error) return std::nullopt;
    path = named.is_absolute() ? named : path.parent_path() / named;
  }
  return std::nullopt;
}

// The new file's name pattern for mkstemp: hidden, beside the target, after its name (cut
// short, never inside a character, so that the name stays within the system's limit).
std::string newFilePattern(const fs::path& target) {
  std::string name = target.filename().string();
  size_t keep = std::min<size_t>(name.size(), 100);
  while (keep > 0 && keep < name.size() && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) --keep;
  return (target.parent_path() / ("." + name.substr(0, keep) + ".XXXXXX")).string();
}

// The permissions a file made by an ordinary open gets under the process's mask.
mode_t freshFileMode() {
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// Gives the new file the target's owner and permissions, or a fresh file's.
void takeOverPermissions(int file, const struct stat* target) {
  if (!target) {
    fchmod(file, freshFileMode());
    return;
  }
  if (fchown(file, target->st_uid, target->st_gid) != 0) {
    // Only a privileged writer may give a file another owner: the new file stays its own.
  }
  fchmod(file, target->st_mode & 07777);
}

// Writes the bytes to the open file whole; false at the first write that fails.
bool writeAll(int file, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(file, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Reads the open file whole, unless it holds more than `most` bytes or cannot be read.
std::optional<std::string> readAll(int file, std::uint64_t most) {
  struct stat status {};
  if (::fstat(file, &status) != 0 || static_cast<std::uint64_t>(status.st_size) > most) return std::nullopt;
  try {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(status.st_size));
    char buffer[65536];
    for (;;) {
      ssize_t n = ::read(file, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return std::nullopt;
      if (n == 0) return bytes;
      if (bytes.size() + static_cast<size_t>(n) > most) return std::nullopt;
      bytes.append(buffer, static_cast<size_t>(n));
    }
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

// Cuts a regular file to its new length once it is written; a device has none.
bool cutToLength(int file, size_t length) {
  struct stat status {};
  if (::fstat(file, &status) != 0) return false;
  return !S_ISREG(status.st_mode) || ::ftruncate(file, static_cast<off_t>(length)) == 0;
}

}  // namespace

FileReplacement::FileReplacement(std::wstring_view target) : writePath_(target) {
  std::optional<fs::path> landing = landingFile(fs::path(WideToUtf8(target)));
  if (!landing) {
    ready_ = false;
    return;
  }
  target_ = landing->string();
  struct stat existing {};
  bool exists = ::stat(target_.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) return;
  std::string pattern = newFilePattern(*landing);
  int file = mkstemp(pattern.data());
  if (file < 0 && (errno == ENOSPC || errno == EDQUOT)) {
    ready_ = false;
    return;
  }
  if (file >= 0) {
    newFile_.name = std::move(pattern);  // a move, which cannot throw
    takeOverPermissions(file, exists ? &existing : nullptr);
    ::close(file);
    std::wstring wide;
    if (Utf8ToWide(newFile_.name, wide)) {
      writePath_ = std::move(wide);
      return;
    }
    ::unlink(newFile_.name.c_str());
    newFile_.name.clear();
  }
  // The target is written itself.
  ready_ = !exists || keepEarlierBytes();
}

FileReplacement::~FileReplacement() {
  if (earlier_) putBackEarlierBytes();
}

FileReplacement::NewFile::~NewFile() {
  if (!name.empty()) ::unlink(name.c_str());
}

bool FileReplacement::commit() {
  if (!ready_) return false;
  earlier_.reset();
  if (newFile_.name.empty()) return true;
  bool moved = std::rename(newFile_.name.c_str(), target_.c_str()) == 0;
  if (moved) newFile_.name.clear();
  return moved;
}

bool FileReplacement::keepEarlierBytes() {
  int file = ::open(target_.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) return false;
  earlier_ = readAll(file, kMostKeptBytes);
  ::close(file);
  return earlier_.has_value();
}

// Written over from the start and then cut to length, so that it takes no room of the
// disk beyond what the earlier file had.
void FileReplacement::putBackEarlierBytes() {
  int file = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
  if (file < 0) return;
  if (!writeAll(file, *earlier_) || !cutToLength(file, earlier_->size())) {
    // Nothing more can be done for the file: its writer reports the failure.
  }
  ::close(file);
}

bool writeWholeFile(std::wstring_view path, std::string_view bytes) {
  FileReplacement replacement(path);
  if (!replacement.ready()) return false;
  // Not cut when opened but once written: a target written itself keeps its earlier bytes
  // past those written until the new ones are whole, and no write needs more room than the
  // new length.
  int file = ::open(WideToUtf8(replacement.path()).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (file < 0) return false;
  bool written = writeAll(file, bytes) && cutToLength(file, bytes.size());
  bool closed = ::close(file) == 0;
  return written && closed && replacement.commit();
}
