// Helpers of the spreadsheet tests: scratch files; hand-made record streams come from stream_bytes.h.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "stream_bytes.h"
#include "tests/support/test_output.h"

namespace sheet_test {

// A fresh path in the tests' scratch folder.
inline std::string scratchPath(const std::string& name) {
  std::filesystem::path path = testOutputFolder("spreadsheet") / name;
  std::filesystem::remove(path);
  return path.string();
}

inline std::wstring wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

}  // namespace sheet_test
