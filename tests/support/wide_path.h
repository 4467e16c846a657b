// A path as the program holds it: wide text read from the UTF-8 of the file system's name,
// never widened a byte at a time nor read in the ANSI code page (the narrow calls' reading).
#pragma once
#include <filesystem>
#include <string>

#include "platform/win/codepage.h"

inline std::wstring widePath(const std::filesystem::path& path) {
  std::wstring wide;
  Utf8ToWide(path.string(), wide);
  return wide;
}
