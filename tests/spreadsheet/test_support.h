// Helpers of the spreadsheet tests: scratch files; hand-made record streams come from stream_bytes.h.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "stream_bytes.h"
#include "tests/support/test_output.h"
#include "tests/support/wide_path.h"

namespace sheet_test {

// A fresh path in the tests' scratch folder (widePath gives it as the workbook takes it).
inline std::filesystem::path scratchPath(const std::string& name) {
  std::filesystem::path path = testOutputFolder("spreadsheet") / name;
  std::filesystem::remove(path);
  return path;
}

}  // namespace sheet_test
