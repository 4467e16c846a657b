#include "platform/win/structured_storage.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-utils.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/win/codepage.h"

namespace {

namespace fs = std::filesystem;

void initLibrary() {
  static std::once_flag once;
  std::call_once(once, [] { gsf_init(); });
}

// Names are compared ignoring case, by a simple upper-case mapping of the common alphabets.
wchar_t foldChar(wchar_t c) {
  if (c >= L'a' && c <= L'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 32;
  if (c >= 0x430 && c <= 0x44F) return c - 32;
  if (c >= 0x450 && c <= 0x45F) return c - 80;
  return c;
}

std::wstring foldName(const std::wstring& name) {
  std::wstring folded(name);
  std::transform(folded.begin(), folded.end(), folded.begin(), foldChar);
  return folded;
}

// A compound-file name: 1 to 31 UTF-16 units, none of / \ : ! and no control characters.
bool validName(const WCHAR* name) {
  if (!name || !*name) return false;
  size_t units = 0;
  for (const WCHAR* p = name; *p; ++p) {
    wchar_t c = *p;
    if (c == L'/' || c == L'\\' || c == L':' || c == L'!' || c < 0x20) return false;
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    units += c > 0xFFFF ? 2 : 1;
  }
  return units <= 31;
}

using Clsid = std::array<guint8, 16>;

struct StorageNode;

struct StreamEntry {
  std::wstring name;
  std::vector<char> bytes;  // the stream's bytes, unless only the file holds them
  int openCount = 0;
  bool inFile = false;  // written whole from the caller's bytes: the file holds them
  ULONGLONG fileBytes = 0;

  ULONGLONG size() const { return inFile ? fileBytes : bytes.size(); }
};

// A stream written whole: the file is written with these bytes as the stream's.
struct Replacement {
  const StreamEntry* entry;
  const void* bytes;
  ULONG count;
};

struct StorageEntry {
  std::wstring name;
  std::unique_ptr<StorageNode> node;
};

// One storage of the file, kept whole in memory. Keys are folded names; streams and
// storages share one name space.
struct StorageNode {
  Clsid clsid{};
  std::map<std::wstring, StreamEntry> streams;
  std::map<std::wstring, StorageEntry> storages;
};

bool readNode(GsfInfile* infile, StorageNode& node, gsf_off_t fileSize) {
  if (GSF_IS_INFILE_MSOLE(infile)) gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(infile), node.clsid.data());
  int count = gsf_infile_num_children(infile);
  for (int i = 0; i < count; ++i) {
    GsfInput* child = gsf_infile_child_by_index(infile, i);
    if (!child) return false;
    std::wstring name;
    const char* utf8 = gsf_input_name(child);
    bool ok = utf8 && Utf8ToWide(utf8, name) && !name.empty();
    std::wstring key = foldName(name);
    if (ok && (node.streams.count(key) || node.storages.count(key))) ok = false;
    if (ok && GSF_IS_INFILE(child) && gsf_infile_num_children(GSF_INFILE(child)) >= 0) {
      auto sub = std::make_unique<StorageNode>();
      ok = readNode(GSF_INFILE(child), *sub, fileSize);
      if (ok) node.storages[key] = StorageEntry{name, std::move(sub)};
    } else if (ok) {
      gsf_off_t size = gsf_input_size(child);
      ok = size >= 0 && size <= fileSize;
      StreamEntry entry{name, {}, 0};
      if (ok) {
        entry.bytes.resize(static_cast<size_t>(size));
        ok = size == 0 ||
             gsf_input_read(child, static_cast<size_t>(size), reinterpret_cast<guint8*>(entry.bytes.data())) != nullptr;
      }
      if (ok) node.streams[key] = std::move(entry);
    }
    g_object_unref(child);
    if (!ok) return false;
  }
  return true;
}

bool writeNode(GsfOutfile* outfile, const StorageNode& node, const Replacement* replaced) {
  if (GSF_IS_OUTFILE_MSOLE(outfile)) gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(outfile), node.clsid.data());
  bool ok = true;
  for (const auto& [key, entry] : node.storages) {
    GsfOutput* child = gsf_outfile_new_child(outfile, WideToUtf8(entry.name).c_str(), TRUE);
    if (!child) return false;
    ok = writeNode(GSF_OUTFILE(child), *entry.node, replaced);
    ok = gsf_output_close(child) && ok;
    g_object_unref(child);
    if (!ok) return false;
  }
  for (const auto& [key, entry] : node.streams) {
    GsfOutput* child = gsf_outfile_new_child(outfile, WideToUtf8(entry.name).c_str(), FALSE);
    if (!child) return false;
    bool own = replaced && replaced->entry == &entry;
    const void* bytes = own ? replaced->bytes : entry.bytes.data();
    size_t count = own ? replaced->count : entry.bytes.size();
    if (count) ok = gsf_output_write(child, count, static_cast<const guint8*>(bytes));
    ok = gsf_output_close(child) && ok;
    g_object_unref(child);
    if (!ok) return false;
  }
  return true;
}

// Open storages by file, for the sharing rules.
struct OpenFile {
  int count = 0;
  bool exclusive = false;
};
std::map<std::string, OpenFile>& openFiles() {
  static std::map<std::string, OpenFile> files;
  return files;
}

std::string fileKey(const fs::path& path) {
  std::error_code ec;
  fs::path canonical = fs::weakly_canonical(path, ec);
  return ec ? path.string() : canonical.string();
}

bool canRead(DWORD mode) { return (mode & 3) == STGM_READ || (mode & 3) == STGM_READWRITE; }
bool canWrite(DWORD mode) { return (mode & 3) == STGM_WRITE || (mode & 3) == STGM_READWRITE; }
bool validAccess(DWORD mode) { return (mode & 3) != 3; }

HRESULT writeFailure(const fs::path& path) {
  std::error_code ec;
  fs::path dir = path.parent_path().empty() ? fs::path(".") : path.parent_path();
  if (!fs::is_directory(dir, ec)) return STG_E_PATHNOTFOUND;
  if (access(dir.c_str(), W_OK) != 0) return STG_E_ACCESSDENIED;
  if (fs::exists(path, ec) && access(path.c_str(), W_OK) != 0) return STG_E_ACCESSDENIED;
  return STG_E_WRITEFAULT;
}

// Registers an open of the file under the sharing rules; false on a sharing violation.
bool claimFile(const std::string& key, DWORD mode) {
  OpenFile& file = openFiles()[key];
  bool exclusive = (mode & 0x70) == STGM_SHARE_EXCLUSIVE;
  if (file.count > 0 && (file.exclusive || exclusive)) return false;
  ++file.count;
  file.exclusive = exclusive;
  return true;
}

void unclaimFile(const std::string& key) {
  auto it = openFiles().find(key);
  if (it != openFiles().end() && --it->second.count == 0) openFiles().erase(it);
}

class FileStorage;

class MemoryStream final : public IStream {
public:
  MemoryStream(FileStorage* storage, std::wstring key, DWORD mode);
  HRESULT Read(void* pv, ULONG cb, ULONG* pcbRead) override;
  HRESULT Write(const void* pv, ULONG cb, ULONG* pcbWritten) override;
  HRESULT Stat(STATSTG* pstatstg, DWORD grfStatFlag) override;
  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override;

private:
  ~MemoryStream() override;
  StreamEntry& entry();
  HRESULT writeWhole(const void* pv, ULONG cb, ULONG* pcbWritten);

  ULONG refs_ = 1;
  FileStorage* storage_;
  std::wstring key_;
  DWORD mode_;
  ULONGLONG position_ = 0;
};

class FileStorage final : public IStorage {
public:
  FileStorage(fs::path path, std::string key, DWORD mode) : path_(std::move(path)), key_(std::move(key)), mode_(mode) {}

  HRESULT CreateStream(const WCHAR* name, DWORD mode, DWORD, DWORD, IStream** out) override {
    if (!out) return STG_E_INVALIDPOINTER;
    *out = nullptr;
    if (!validName(name)) return STG_E_INVALIDNAME;
    if ((mode & 0x70) != STGM_SHARE_EXCLUSIVE || !validAccess(mode) || (mode & STGM_TRANSACTED))
      return STG_E_INVALIDFLAG;
    if (!canWrite(mode_)) return STG_E_ACCESSDENIED;
    std::wstring key = foldName(name);
    if (root_.storages.count(key)) return STG_E_FILEALREADYEXISTS;
    auto it = root_.streams.find(key);
    StreamEntry previous;
    bool existed = it != root_.streams.end();
    if (existed) {
      if (!(mode & STGM_CREATE)) return STG_E_FILEALREADYEXISTS;
      if (it->second.openCount > 0) return STG_E_ACCESSDENIED;
      previous = std::move(it->second);
      it->second = StreamEntry{name, {}, 0};
    } else {
      root_.streams[key] = StreamEntry{name, {}, 0};
    }
    // An empty stream replaced by an empty one of the same name leaves the file as it is.
    bool unchanged = existed && previous.size() == 0 && previous.name == name;
    HRESULT hr = unchanged ? S_OK : save();
    if (FAILED(hr)) {
      if (existed) root_.streams[key] = std::move(previous);
      else root_.streams.erase(key);
      return hr;
    }
    *out = new MemoryStream(this, key, mode);
    return S_OK;
  }

  HRESULT OpenStream(const WCHAR* name, void*, DWORD mode, DWORD, IStream** out) override {
    if (!out) return STG_E_INVALIDPOINTER;
    *out = nullptr;
    if (!validName(name)) return STG_E_INVALIDNAME;
    if ((mode & 0x70) != STGM_SHARE_EXCLUSIVE || !validAccess(mode) || (mode & (STGM_CREATE | STGM_TRANSACTED)))
      return STG_E_INVALIDFLAG;
    if ((canRead(mode) && !canRead(mode_)) || (canWrite(mode) && !canWrite(mode_))) return STG_E_ACCESSDENIED;
    std::wstring key = foldName(name);
    auto it = root_.streams.find(key);
    if (it == root_.streams.end()) return STG_E_FILENOTFOUND;
    if (it->second.openCount > 0) return STG_E_ACCESSDENIED;
    *out = new MemoryStream(this, key, mode);
    return S_OK;
  }

  HRESULT Stat(STATSTG* stat, DWORD flag) override {
    if (!stat) return STG_E_INVALIDPOINTER;
    stat->pwcsName = nullptr;
    if (flag == STATFLAG_DEFAULT) {
      std::wstring name = path_.filename().wstring();
      stat->pwcsName = static_cast<LPWSTR>(std::malloc((name.size() + 1) * sizeof(wchar_t)));
      if (!stat->pwcsName) return STG_E_INSUFFICIENTMEMORY;
      std::wmemcpy(stat->pwcsName, name.c_str(), name.size() + 1);
    }
    stat->type = STGTY_STORAGE;
    stat->cbSize.QuadPart = 0;
    stat->grfMode = mode_;
    return S_OK;
  }

  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  StorageNode& root() { return root_; }

  // Writes the whole file, with a stream written whole taken from the caller's bytes; the
  // previous file stays until the new one is complete.
  HRESULT save(const Replacement* replaced = nullptr) {
    HRESULT hr = readBack(replaced ? replaced->entry : nullptr);
    if (FAILED(hr)) return hr;
    GError* error = nullptr;
    GsfOutput* sink = gsf_output_stdio_new(path_.c_str(), &error);
    if (error) g_error_free(error);
    if (!sink) return writeFailure(path_);
    GsfOutfile* outfile = gsf_outfile_msole_new(sink);
    bool ok = outfile != nullptr;
    if (ok) {
      ok = writeNode(outfile, root_, replaced);
      ok = gsf_output_close(GSF_OUTPUT(outfile)) && ok;
      g_object_unref(outfile);
    }
    ok = (gsf_output_is_closed(sink) || gsf_output_close(sink)) && ok;
    g_object_unref(sink);
    return ok ? S_OK : writeFailure(path_);
  }

  HRESULT load() {
    gsf_off_t fileSize = 0;
    GsfInfile* infile = nullptr;
    HRESULT hr = openFile(infile, fileSize);
    if (FAILED(hr)) return hr;
    bool ok = readNode(infile, root_, fileSize);
    g_object_unref(infile);
    return ok ? S_OK : STG_E_DOCFILECORRUPT;
  }

  // Reads back from the file the bytes of the streams that only the file holds, but for
  // the one given.
  HRESULT readBack(const StreamEntry* except) {
    bool any = false;
    for (const auto& [key, entry] : root_.streams) any = any || (entry.inFile && &entry != except);
    if (!any) return S_OK;
    gsf_off_t fileSize = 0;
    GsfInfile* infile = nullptr;
    HRESULT hr = openFile(infile, fileSize);
    if (FAILED(hr)) return hr;
    bool ok = true;
    for (auto& [key, entry] : root_.streams) {
      if (!entry.inFile || &entry == except) continue;
      GsfInput* child = gsf_infile_child_by_name(infile, WideToUtf8(entry.name).c_str());
      std::vector<char> bytes;
      ok = child && gsf_input_size(child) == static_cast<gsf_off_t>(entry.fileBytes);
      if (ok) {
        bytes.resize(static_cast<size_t>(entry.fileBytes));
        ok = bytes.empty() || gsf_input_read(child, bytes.size(), reinterpret_cast<guint8*>(bytes.data())) != nullptr;
      }
      if (child) g_object_unref(child);
      if (!ok) break;
      entry.bytes = std::move(bytes);
      entry.inFile = false;
    }
    g_object_unref(infile);
    return ok ? S_OK : STG_E_READFAULT;
  }

private:
  ~FileStorage() override { unclaimFile(key_); }

  HRESULT openFile(GsfInfile*& infile, gsf_off_t& fileSize) {
    GError* error = nullptr;
    GsfInput* input = gsf_input_stdio_new(path_.c_str(), &error);
    if (error) g_error_free(error);
    error = nullptr;
    if (!input) return STG_E_READFAULT;
    fileSize = gsf_input_size(input);
    infile = gsf_infile_msole_new(input, &error);
    if (error) g_error_free(error);
    g_object_unref(input);
    return infile ? S_OK : STG_E_INVALIDHEADER;
  }

  ULONG refs_ = 1;
  fs::path path_;
  std::string key_;
  DWORD mode_;
  StorageNode root_;
};

MemoryStream::MemoryStream(FileStorage* storage, std::wstring key, DWORD mode)
    : storage_(storage), key_(std::move(key)), mode_(mode) {
  storage_->AddRef();
  ++entry().openCount;
}

MemoryStream::~MemoryStream() {
  --entry().openCount;
  storage_->Release();
}

StreamEntry& MemoryStream::entry() { return storage_->root().streams.at(key_); }

ULONG MemoryStream::Release() {
  ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

HRESULT MemoryStream::Read(void* pv, ULONG cb, ULONG* pcbRead) {
  if (pcbRead) *pcbRead = 0;
  if (!pv && cb) return STG_E_INVALIDPOINTER;
  if (!canRead(mode_)) return STG_E_ACCESSDENIED;
  HRESULT hr = storage_->readBack(nullptr);
  if (FAILED(hr)) return hr;
  const std::vector<char>& bytes = entry().bytes;
  ULONGLONG available = position_ < bytes.size() ? bytes.size() - position_ : 0;
  ULONG n = static_cast<ULONG>(std::min<ULONGLONG>(cb, available));
  if (n) std::memcpy(pv, bytes.data() + position_, n);
  position_ += n;
  if (pcbRead) *pcbRead = n;
  return S_OK;
}

HRESULT MemoryStream::Write(const void* pv, ULONG cb, ULONG* pcbWritten) {
  if (pcbWritten) *pcbWritten = 0;
  if (!pv && cb) return STG_E_INVALIDPOINTER;
  if (!canWrite(mode_)) return STG_E_ACCESSDENIED;
  if (cb == 0) return S_OK;
  if (position_ == 0 && cb >= entry().size()) return writeWhole(pv, cb, pcbWritten);
  HRESULT read = storage_->readBack(nullptr);
  if (FAILED(read)) return read;
  std::vector<char>& bytes = entry().bytes;
  size_t oldSize = bytes.size();
  ULONGLONG end = position_ + cb;
  if (end > bytes.max_size()) return STG_E_MEDIUMFULL;
  // Keep what is overwritten, to put it back when the file cannot be written.
  size_t keepFrom = static_cast<size_t>(std::min<ULONGLONG>(position_, oldSize));
  size_t keepTo = static_cast<size_t>(std::min<ULONGLONG>(end, oldSize));
  std::vector<char> overwritten(bytes.begin() + keepFrom, bytes.begin() + keepTo);
  try {
    if (end > oldSize) bytes.resize(static_cast<size_t>(end));
  } catch (const std::bad_alloc&) {
    return STG_E_INSUFFICIENTMEMORY;
  }
  std::memcpy(bytes.data() + position_, pv, cb);
  HRESULT hr = storage_->save();
  if (FAILED(hr)) {
    std::copy(overwritten.begin(), overwritten.end(), bytes.begin() + keepFrom);
    bytes.resize(oldSize);
    return hr;
  }
  position_ = end;
  if (pcbWritten) *pcbWritten = cb;
  return S_OK;
}

// Bytes that replace the whole stream are not copied: the file is written from them, and
// the stream is read back from the file when it is next needed.
HRESULT MemoryStream::writeWhole(const void* pv, ULONG cb, ULONG* pcbWritten) {
  StreamEntry& e = entry();
  Replacement replacement{&e, pv, cb};
  HRESULT hr = storage_->save(&replacement);
  if (FAILED(hr)) return hr;
  std::vector<char>().swap(e.bytes);
  e.inFile = true;
  e.fileBytes = cb;
  position_ = cb;
  if (pcbWritten) *pcbWritten = cb;
  return S_OK;
}

HRESULT MemoryStream::Stat(STATSTG* stat, DWORD flag) {
  if (!stat) return STG_E_INVALIDPOINTER;
  const StreamEntry& e = entry();
  stat->pwcsName = nullptr;
  if (flag == STATFLAG_DEFAULT) {
    stat->pwcsName = static_cast<LPWSTR>(std::malloc((e.name.size() + 1) * sizeof(wchar_t)));
    if (!stat->pwcsName) return STG_E_INSUFFICIENTMEMORY;
    std::wmemcpy(stat->pwcsName, e.name.c_str(), e.name.size() + 1);
  }
  stat->type = STGTY_STREAM;
  stat->cbSize.QuadPart = e.size();
  stat->grfMode = mode_;
  return S_OK;
}

fs::path nativePath(const WCHAR* name) { return fs::path(WideToUtf8(name)); }

}  // namespace

void CoTaskMemFree(void* block) { std::free(block); }

HRESULT StgCreateDocfile(const WCHAR* pwcsName, DWORD grfMode, DWORD, IStorage** ppstgOpen) {
  if (!ppstgOpen) return STG_E_INVALIDPOINTER;
  *ppstgOpen = nullptr;
  if (!pwcsName || !*pwcsName) return STG_E_INVALIDNAME;
  if (!validAccess(grfMode) || !canWrite(grfMode) || (grfMode & STGM_TRANSACTED)) return STG_E_INVALIDFLAG;
  initLibrary();
  fs::path path = nativePath(pwcsName);
  std::error_code ec;
  if (fs::is_directory(path, ec)) return STG_E_ACCESSDENIED;
  if (fs::exists(path, ec) && !(grfMode & STGM_CREATE)) return STG_E_FILEALREADYEXISTS;
  std::string key = fileKey(path);
  if (!claimFile(key, grfMode)) return STG_E_SHAREVIOLATION;
  auto* storage = new FileStorage(path, key, grfMode);
  HRESULT hr = storage->save();
  if (FAILED(hr)) {
    storage->Release();
    return hr;
  }
  *ppstgOpen = storage;
  return S_OK;
}

HRESULT StgOpenStorage(const WCHAR* pwcsName, IStorage* pstgPriority, DWORD grfMode, WCHAR** snbExclude, DWORD,
                       IStorage** ppstgOpen) {
  if (!ppstgOpen) return STG_E_INVALIDPOINTER;
  *ppstgOpen = nullptr;
  if (!pwcsName || !*pwcsName) return STG_E_INVALIDNAME;
  if (pstgPriority || snbExclude) return STG_E_INVALIDPARAMETER;
  if (!validAccess(grfMode) || (grfMode & (STGM_CREATE | STGM_TRANSACTED))) return STG_E_INVALIDFLAG;
  initLibrary();
  fs::path path = nativePath(pwcsName);
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return fs::exists(path, ec) ? STG_E_ACCESSDENIED : STG_E_FILENOTFOUND;
  if (access(path.c_str(), canWrite(grfMode) ? (R_OK | W_OK) : R_OK) != 0) return STG_E_ACCESSDENIED;
  std::string key = fileKey(path);
  if (!claimFile(key, grfMode)) return STG_E_SHAREVIOLATION;
  auto* storage = new FileStorage(path, key, grfMode);
  HRESULT hr = storage->load();
  if (FAILED(hr)) {
    storage->Release();
    return hr;
  }
  *ppstgOpen = storage;
  return S_OK;
}
