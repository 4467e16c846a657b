// Helpers of the spreadsheet tests: scratch files and hand-made record streams.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

namespace sheet_test {

// A fresh path in the tests' scratch folder.
inline std::string scratchPath(const std::string& name) {
  const char* root = std::getenv("DX_TEST_OUTPUT");
  std::filesystem::path dir = std::filesystem::path(root ? root : DX_BINARY_DIR "/test-output") / "spreadsheet";
  std::filesystem::create_directories(dir);
  std::filesystem::path path = dir / name;
  std::filesystem::remove(path);
  return path.string();
}

inline std::wstring wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

// Little-endian byte strings and records, for streams made by hand.
struct Bytes {
  std::vector<char> data;
  Bytes& u8(unsigned v) {
    data.push_back(static_cast<char>(v));
    return *this;
  }
  Bytes& u16(unsigned v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
  Bytes& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
  Bytes& raw(const std::string& s) {
    for (char c : s) data.push_back(c);
    return *this;
  }
  Bytes& add(const Bytes& other) {
    for (char c : other.data) data.push_back(c);
    return *this;
  }
  Bytes& record(unsigned code, const Bytes& body) {
    u16(code).u16(static_cast<unsigned>(body.data.size()));
    return add(body);
  }
  std::uint32_t size() const { return static_cast<std::uint32_t>(data.size()); }
};

inline Bytes bof(unsigned type) { return Bytes().u16(0x0600).u16(type).u16(0x19A0).u16(0x07CD).u32(0xC0C9).u32(0x0306); }

}  // namespace sheet_test
