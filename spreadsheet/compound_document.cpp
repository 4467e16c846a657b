#include "spreadsheet/compound_document.h"

#include <locale>

namespace QExcel {

namespace {
constexpr DWORD kCreateMode = STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_READWRITE;  // 0x1012
constexpr DWORD kReadMode = STGM_SHARE_EXCLUSIVE | STGM_READ;                       // 0x0010
constexpr DWORD kWriteMode = STGM_SHARE_EXCLUSIVE | STGM_READWRITE;                 // 0x0012
}  // namespace

std::wstring widenName(const char* text) {
  std::wstring wide;
  if (!text) return wide;
  const auto& facet = std::use_facet<std::ctype<wchar_t>>(std::locale());
  for (const char* p = text; *p; ++p) wide.push_back(facet.widen(*p));
  return wide;
}

bool CompoundDocument::create(const wchar_t* path) {
  if (storage_) return false;
  return SUCCEEDED(StgCreateDocfile(path, kCreateMode, 0, &storage_));
}

bool CompoundDocument::create(const char* path) { return create(widenName(path).c_str()); }

bool CompoundDocument::open(const wchar_t* path, int mode) {
  if (storage_) return false;
  DWORD flags = (mode & 3) == 3 ? kWriteMode : (mode & 2) ? (STGM_SHARE_EXCLUSIVE | STGM_WRITE) : kReadMode;
  return SUCCEEDED(StgOpenStorage(path, nullptr, flags, nullptr, 0, &storage_));
}

bool CompoundDocument::open(const char* path, int mode) { return open(widenName(path).c_str(), mode); }

bool CompoundDocument::close() {
  if (!storage_) return false;
  storage_->Release();
  storage_ = nullptr;
  return true;
}

int CompoundDocument::makeStream(const wchar_t* name) {
  IStream* stream = nullptr;
  if (!storage_ || FAILED(storage_->CreateStream(name, kCreateMode, 0, 0, &stream))) return kFailure;
  stream->Release();
  return kSuccess;
}

int CompoundDocument::makeStream(const char* name) { return makeStream(widenName(name).c_str()); }

int CompoundDocument::streamSize(const wchar_t* name, std::uint64_t& size) {
  IStream* stream = nullptr;
  if (!storage_ || FAILED(storage_->OpenStream(name, nullptr, kReadMode, 0, &stream))) return kFailure;
  STATSTG stat{};
  HRESULT hr = stream->Stat(&stat, STATFLAG_NONAME);
  stream->Release();
  if (FAILED(hr)) return kFailure;
  size = stat.cbSize.QuadPart;
  return kSuccess;
}

int CompoundDocument::streamSize(const char* name, std::uint64_t& size) {
  return streamSize(widenName(name).c_str(), size);
}

int CompoundDocument::readStream(const wchar_t* name, char* buffer, std::uint32_t count) {
  IStream* stream = nullptr;
  if (!storage_ || FAILED(storage_->OpenStream(name, nullptr, kReadMode, 0, &stream))) return kFailure;
  ULONG moved = 0;
  HRESULT hr = stream->Read(buffer, count, &moved);
  stream->Release();
  return SUCCEEDED(hr) && moved == count ? kSuccess : kFailure;
}

int CompoundDocument::readStream(const char* name, char* buffer, std::uint32_t count) {
  return readStream(widenName(name).c_str(), buffer, count);
}

int CompoundDocument::readStream(const wchar_t* name, std::vector<char>& bytes) {
  bytes.clear();
  std::uint64_t size = 0;
  if (streamSize(name, size) != kSuccess) return kFailure;
  if (size == 0) return kSuccess;
  if (size > 0xFFFFFFFFull) return kTooLarge;
  bytes.resize(static_cast<size_t>(size));
  int result = readStream(name, bytes.data(), static_cast<std::uint32_t>(size));
  if (result != kSuccess) bytes.clear();
  return result;
}

int CompoundDocument::readStream(const char* name, std::vector<char>& bytes) {
  return readStream(widenName(name).c_str(), bytes);
}

int CompoundDocument::writeStream(const wchar_t* name, const char* buffer, std::uint32_t count) {
  IStream* stream = nullptr;
  if (!storage_ || FAILED(storage_->OpenStream(name, nullptr, kWriteMode, 0, &stream))) return kFailure;
  ULONG moved = 0;
  HRESULT hr = stream->Write(buffer, count, &moved);
  stream->Release();
  return SUCCEEDED(hr) && moved == count ? kSuccess : kFailure;
}

int CompoundDocument::writeStream(const char* name, const char* buffer, std::uint32_t count) {
  return writeStream(widenName(name).c_str(), buffer, count);
}

int CompoundDocument::writeStream(const wchar_t* name, const std::vector<char>& bytes, std::uint32_t count) {
  if (count > bytes.size()) return kFailure;
  return writeStream(name, bytes.data(), count);
}

int CompoundDocument::writeStream(const char* name, const std::vector<char>& bytes, std::uint32_t count) {
  return writeStream(widenName(name).c_str(), bytes, count);
}

}  // namespace QExcel
