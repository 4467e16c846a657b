// The folder the tests write their files into: the one the test runner names in
// DX_TEST_OUTPUT, else the build's own test output folder (tests/CMakeLists.txt names it),
// so that no test writes outside the build.
#pragma once
#include <cstdlib>
#include <filesystem>
#include <string>

// The folder, or the named sub-folder of it, made when missing.
inline std::filesystem::path testOutputFolder(const std::string& subfolder = {}) {
  const char* named = std::getenv("DX_TEST_OUTPUT");
  std::filesystem::path folder = named ? named : DX_TEST_OUTPUT_FOLDER;
  if (!subfolder.empty()) folder /= subfolder;
  std::filesystem::create_directories(folder);
  return folder;
}
