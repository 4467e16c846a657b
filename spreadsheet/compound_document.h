// A compound file holding the workbook stream: creates or opens the file, makes streams,
// reports a stream's size and reads or writes a stream whole, over the platform's
// structured storage.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/win/structured_storage.h"

namespace QExcel {

class CompoundDocument {
public:
  enum Result { kSuccess = 1, kFailure = -1, kTooLarge = -6 };

  CompoundDocument() = default;
  CompoundDocument(const CompoundDocument&) = delete;
  CompoundDocument& operator=(const CompoundDocument&) = delete;
  ~CompoundDocument() { close(); }

  // Creates the file, replacing an existing one; the caller closes any open file first.
  bool create(const wchar_t* path);
  bool create(const char* path);
  // mode bits 0 and 1 both set: read-write; bit 1 alone: write; otherwise read.
  bool open(const wchar_t* path, int mode);
  bool open(const char* path, int mode);
  bool close();
  bool isOpen() const { return storage_ != nullptr; }

  int makeStream(const wchar_t* name);
  int makeStream(const char* name);
  int streamSize(const wchar_t* name, std::uint64_t& size);
  int streamSize(const char* name, std::uint64_t& size);
  // Reads count bytes from the start of the stream; -1 unless all of them were read.
  int readStream(const wchar_t* name, char* buffer, std::uint32_t count);
  int readStream(const char* name, char* buffer, std::uint32_t count);
  int readStream(const wchar_t* name, std::vector<char>& bytes);
  int readStream(const char* name, std::vector<char>& bytes);
  // Writes count bytes at the start of an existing stream; -1 unless all were written.
  int writeStream(const wchar_t* name, const char* buffer, std::uint32_t count);
  int writeStream(const char* name, const char* buffer, std::uint32_t count);
  int writeStream(const wchar_t* name, const std::vector<char>& bytes, std::uint32_t count);
  int writeStream(const char* name, const std::vector<char>& bytes, std::uint32_t count);

private:
  IStorage* storage_ = nullptr;
};

// An 8-bit name or path widened character by character through the global locale.
std::wstring widenName(const char* text);

}  // namespace QExcel
