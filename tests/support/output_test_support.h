// Helpers shared by the output tests: scratch files, the readers' hexadecimal rows, and
// a small drawing that is the working database while a test runs.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/host/db_database.h"
#include "platform/host/editor.h"
#include "platform/mfc/cstring.h"
#include "platform/win/codepage.h"
#include "tests/support/run_command.h"
#include "tests/support/test_output.h"
#include "tests/support/wide_path.h"

namespace output_test {

inline std::filesystem::path scratchDir() { return testOutputFolder("outputs"); }

// A fresh path in the scratch folder (any old file of that name removed).
inline std::filesystem::path scratchFile(const std::string& name) {
  auto path = scratchDir() / name;
  std::filesystem::remove(path);
  return path;
}

inline std::string readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

inline std::string hexUtf8(const std::wstring& text) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char b : WideToUtf8(text)) {
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out.empty() ? "-" : out;
}

// A drawing of its own for each test, as the working database, with the editor's state
// reset and its accounting checked when the test ends.
class DrawingTest : public ::testing::Test {
protected:
  void SetUp() override {
    HostEditor::resetVariables();
    HostEditor::clearTranscript();
    HostEditor::setEcho(false);
    database_ = std::make_unique<OvDbDatabase>();
    ovdbHostApplicationServices()->setWorkingDatabase(database_.get());
    chainsBefore_ = HostEditor::liveChains();
    buffersBefore_ = HostEditor::liveBuffers();
  }
  void TearDown() override {
    EXPECT_EQ(HostDatabase::openObjects(), 0) << "objects left open";
    EXPECT_EQ(HostEditor::liveChains(), chainsBefore_) << "result-buffer chains left live";
    EXPECT_EQ(HostEditor::liveBuffers(), buffersBefore_) << "host buffers left live";
    ovdbHostApplicationServices()->setWorkingDatabase(nullptr);
    database_.reset();
    HostEditor::resetVariables();
  }
  OvDbDatabase* db() { return database_.get(); }
  std::wstring transcript() const { return HostEditor::transcript(); }

private:
  std::unique_ptr<OvDbDatabase> database_;
  int chainsBefore_ = 0;
  int buffersBefore_ = 0;
};

}  // namespace output_test
